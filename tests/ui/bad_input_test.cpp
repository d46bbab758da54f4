// Files and positions that once misled the window: each now opens, is refused with the
// command-line tool's message, or shows its message once.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "ui_test_support.h"

namespace vexilo {
namespace {

using testing::FormFixture;

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

TEST(BadInput, TheWindowRefusesARowlessPuzzleReadsAMarkedFileAndSavesAnyRating) {
    FormFixture f;
    QTemporaryDir dir;
    f.nextOpenPath =
        writeFile(dir, "rowless.ALC", "[Vexilo data]   5 x   0 -1\r\n[Start]\r\n[End]\r\n");
    f.clickWidget(f.form().SpeedButton6);
    EXPECT_EQ(f.errors, QStringList{QStringLiteral("パズルにマスがありません（5 x 0）。")});
    EXPECT_EQ(f.state().W(), 0);

    f.nextOpenPath = writeFile(
        dir, "marked.ALC", "\xEF\xBB\xBF[Vexilo data]   2 x   1 -7\r\n[Start]\r\n12\r\n[End]\r\n");
    f.clickWidget(f.form().SpeedButton6);
    EXPECT_EQ(f.state().W(), 2);
    EXPECT_EQ(f.state().difficulty.stored, -1);
    f.nextSavePath = dir.filePath(QStringLiteral("saved.ALC"));
    f.clickWidget(f.form().SpeedButton8);
    QFile saved(f.nextSavePath);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(),
              QByteArray("[Vexilo data]   2 x   1 -1\r\n[Start]\r\n12\r\n[End]\r\n"));
    EXPECT_EQ(f.errors.size(), 1);
}

TEST(BadInput, AFullMoveLogShowsItsMessageOncePerCommand) {
    FormFixture f;
    f.openTestFile("easy-10x10-01.ALC");
    Board& board = *f.state().mainBoard;
    while (appendEntry(board, moveEntry(2, 1, kCross), f.form())) {
    }
    const int writePos = board.writePos;
    for (QToolButton* command : {f.form().SpeedButton10, f.form().SpeedButton5}) {
        f.messages.clear();
        f.clickWidget(command);
        EXPECT_EQ(f.messages.count(QString::fromUtf8(kLogFullMessage)), 1) << f.messages.size();
        EXPECT_GT(f.form().refusalsThisCommand, 1);
    }
    EXPECT_EQ(board.writePos, writePos);
}

}  // namespace
}  // namespace vexilo
