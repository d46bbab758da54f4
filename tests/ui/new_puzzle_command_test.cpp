// "新しい問題...": the puzzle made opens like a file with its rating known, saves with "保",
// and the progress box's "中止" leaves the puzzle in play alone.
#include "ui/new_puzzle_command.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include "model/puzzle_state.h"
#include "ui_test_support.h"

namespace vexilo {
namespace {

using testing::FormFixture;

TEST(NewPuzzleCommand, OpensTheSeedsPuzzleWithItsRatingAndSaves) {
    FormFixture f;
    const generate::GenerateRequest request{8, 6, 2, false, 7};
    generate::GeneratedPuzzle expected;
    generate::PuzzleGenerator().generate(request, expected);

    ASSERT_TRUE(f.form().newPuzzleCommand().generateAndOpen(request));
    EXPECT_EQ(f.form().windowTitle(), "new-8x6-7 8x6 - Vexilo");
    EXPECT_EQ(f.state().difficulty.stored, expected.rating);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 8; ++c) {
            const int clue = expected.puzzle.clue(c, r);
            const int code = (*f.state().clueGrid)[r][c];
            EXPECT_EQ(code, clue < 0 ? 0 : clue == 0 ? kClueZero : clue) << c << "," << r;
        }
    }
    EXPECT_EQ(f.messages.isEmpty(), expected.ratingAsked) << f.messages.join("/").toStdString();

    f.nextSavePath = f.copyToScratch("easy-10x10-01.ALC") + ".new.ALC";
    f.form().SpeedButton8Click();
    EXPECT_EQ(f.savePreset, "new-8x6-7");
    QFile saved(f.nextSavePath);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        saved.readAll().startsWith(QStringLiteral("[Vexilo data]   8 x   6 %1\r\n[Start]\r\n")
                                       .arg(expected.rating)
                                       .toLatin1()));
}

TEST(NewPuzzleCommand, CancelKeepsThePuzzleInPlay) {
    FormFixture f;
    f.openTestFile("easy-10x10-01.ALC");
    const QString title = f.form().windowTitle();
    bool boxSeen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr || box->objectName() != "GenerateProgress") return;
        boxSeen = true;
        box->findChild<QPushButton*>()->click();
    });
    poll.start(50);
    EXPECT_FALSE(f.form().newPuzzleCommand().generateAndOpen({300, 300, 4, false, 1}));
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(f.form().windowTitle(), title);
    EXPECT_EQ(f.state().W(), 10);
}

}  // namespace
}  // namespace vexilo
