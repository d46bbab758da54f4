#include "ui/puzzle_folders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

bool writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// An installed layout: prefix/bin (the program) and prefix/share/vexilo/samples, and the
// player's copies elsewhere.
TEST(PuzzleFolders, BesideTheProgramFirstThenCopiesOfTheInstalledSamples) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString bin = root.path() + "/bin";
    const QString samples = root.path() + "/share/vexilo/samples";
    const QString copies = root.path() + "/home/samples";
    const QString relative = "../share/vexilo/samples";
    ASSERT_TRUE(QDir().mkpath(bin));

    EXPECT_EQ(vexilo::puzzleStartFolder(bin, relative, copies), bin + "/");

    ASSERT_TRUE(QDir().mkpath(samples));
    ASSERT_TRUE(writeFile(samples + "/a.ALC", "installed a"));
    ASSERT_TRUE(writeFile(samples + "/b.ALC", "installed b"));
    ASSERT_TRUE(QDir().mkpath(copies));
    ASSERT_TRUE(writeFile(copies + "/a.ALC", "rated by the player"));
    EXPECT_EQ(vexilo::puzzleStartFolder(bin, relative, copies), copies + "/");
    EXPECT_EQ(readFile(copies + "/a.ALC"), "rated by the player");
    EXPECT_EQ(readFile(copies + "/b.ALC"), "installed b");
    // No place for copies: the installed folder itself.
    EXPECT_EQ(vexilo::puzzleStartFolder(bin, relative, ""), samples + "/");

    // The build folder: puzzles beside the program win, whatever their extension's case.
    ASSERT_TRUE(writeFile(bin + "/tiny.alc", ""));
    EXPECT_EQ(vexilo::puzzleStartFolder(bin, relative, copies), bin + "/");
}

}  // namespace
