// Kept progress through the window: a closed window's position comes back in the next one,
// under another file name, with its caption note; Open II marks it; "初" clears it.
#include <gtest/gtest.h>

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include "model/puzzle_state.h"
#include "progress/progress_keeper.h"
#include "solver/solve_commands.h"
#include "ui/exp_view_lite.h"
#include "ui/form2.h"
#include "ui/progress_keeping.h"
#include "ui_test_support.h"

namespace vexilo::testing {
namespace {

std::vector<int32_t> logOf(PuzzleState& state) {
    const Board& b = *state.mainBoard;
    return {b.moveLog.begin(), b.moveLog.begin() + b.writePos};
}

TEST(ProgressFlow, TheNextWindowGoesOnWhereTheLastOneStopped) {
    QTemporaryDir puzzles;
    QTemporaryDir kept;
    const QString first = puzzles.filePath("first.ALC");
    const QString second = puzzles.filePath("second.ALC");
    ASSERT_TRUE(QFile::copy(testDataPath("easy-10x10-01.ALC"), first));
    ASSERT_TRUE(QFile::copy(testDataPath("easy-10x10-01.ALC"), second));

    std::vector<int32_t> played;
    {
        FormFixture f;
        f.form().keepProgressIn(kept.path());
        f.form().openFile(first);
        f.form().keepProgress();
        f.click(Qt::LeftButton, 32, 20);
        f.clickWidget(f.form().SpeedButton1);  // 記
        f.click(Qt::RightButton, 48, 32);
        // The idle event loop hands the changes over.
        QEventLoop idle;
        QTimer::singleShot(50, &idle, &QEventLoop::quit);
        idle.exec();
        f.form().progressKeeper()->flush();
        EXPECT_EQ(logOf(f.state()).size(), 4u);
        const auto keptLog = f.form().progressKeeper()->store().load(puzzleKeyOf(f.state()));
        ASSERT_TRUE(keptLog);
        EXPECT_EQ(keptLog->log, logOf(f.state()));
        played = logOf(f.state());
        ASSERT_EQ(played.size(), 4u);
        f.form().close();
    }

    FormFixture f;
    f.form().keepProgressIn(kept.path());
    TForm2 dialog(f.state(), &f.form());
    dialog.setProgressMarks([&f](const QStringList& paths) {
        return progressMarksOf(f.form().progressKeeper()->store(), paths);
    });
    QFile other(puzzles.filePath("other.ALC"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("[Vexilo data]   2 x   1\r\n[Start]\r\n3-\r\n[End]\r\n");
    other.close();
    dialog.ExpViewLite1->SetPathName(puzzles.path() + "/");  // lists the folder
    auto marks = [&] {
        dialog.refreshProgressMarks();
        QStringList column;
        for (int r = 0; r < dialog.ListView1->rowCount(); ++r) {
            column << dialog.ListView1->item(r, 0)->text() + dialog.ListView1->item(r, 3)->text();
        }
        return column;
    };
    EXPECT_EQ(marks(), (QStringList{"first.ALC△", "other.ALC", "second.ALC△"}));

    f.form().openFile(second);
    f.form().keepProgress();
    EXPECT_EQ(logOf(f.state()), played);
    EXPECT_EQ(f.form().Label1->text(), "1");
    EXPECT_EQ(f.form().windowTitle(), "second.ALC 10x10 - Vexilo（続きから）");

    autoSolveCommand(f.state());
    f.clickWidget(f.form().SpeedButton10);  // 検: correct
    ASSERT_EQ(f.messages.last(), "正解です!!");
    f.clickWidget(f.form().SpeedButton9);  // 初
    f.form().keepProgress();
    f.form().progressKeeper()->flush();
    EXPECT_EQ(f.form().windowTitle(), "second.ALC 10x10 - Vexilo");
    EXPECT_EQ(marks(), (QStringList{"first.ALC○", "other.ALC", "second.ALC○"}));
    const QString base = QString::fromStdString(progressBaseName(puzzleKeyOf(f.state())));
    EXPECT_EQ(QDir(kept.path()).entryList(QDir::Files), QStringList{base + ".solved"});
}

TEST(ProgressFlow, TheEnvironmentTurnsKeepingOff) {
    QStandardPaths::setTestModeEnabled(true);
    EXPECT_TRUE(progressFolderFor(true).endsWith("/progress"));
    EXPECT_EQ(progressFolderFor(false), "");
    qputenv("VEXILO_NO_PROGRESS", "1");
    EXPECT_EQ(progressFolderFor(true), "");
    qunsetenv("VEXILO_NO_PROGRESS");
}

}  // namespace
}  // namespace vexilo::testing
