#include "ui/puzzle_folders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// An installed layout: prefix/bin (the program) and prefix/share/vexilo/samples.
TEST(PuzzleFolders, BesideTheProgramFirstThenTheInstalledDataFolder) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString bin = prefix.path() + "/bin";
    const QString samples = prefix.path() + "/share/vexilo/samples";
    const QString relative = "../share/vexilo/samples";
    ASSERT_TRUE(QDir().mkpath(bin));

    EXPECT_EQ(vexilo::puzzleStartFolder(bin, relative), bin + "/");

    ASSERT_TRUE(QDir().mkpath(samples));
    EXPECT_EQ(vexilo::puzzleStartFolder(bin, relative), samples + "/");

    // The build folder: puzzles beside the program win, whatever their extension's case.
    QFile puzzle(bin + "/tiny.alc");
    ASSERT_TRUE(puzzle.open(QIODevice::WriteOnly));
    puzzle.close();
    EXPECT_EQ(vexilo::puzzleStartFolder(bin, relative), bin + "/");
}

}  // namespace
