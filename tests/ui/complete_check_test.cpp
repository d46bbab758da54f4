// "唯一解の確認" in the check button's menu: the count of answers as a message, the
// pointer at a difference between two answers, the player's position untouched.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QToolButton>

#include "model/puzzle_state.h"
#include "ui_test_support.h"

namespace vexilo {
namespace {

class UniqueCheck : public ::testing::Test {
  protected:
    void SetUp() override { f.openTestFile("easy-10x10-01.ALC"); }
    TForm1& w() { return f.form(); }
    int logLength() { return f.state().mainBoard->writePos - 1; }
    testing::FormFixture f;
};

TEST_F(UniqueCheck, IsTheCheckButtonsMenuAndFindsOneAnswer) {
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                w().SpeedButton10->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w().SpeedButton10, &menuEvent);
    EXPECT_TRUE(w().CheckMenu->isVisible());
    w().CheckMenu->hide();
    f.click(Qt::LeftButton, 32, 20);
    w().UniqueCheck1->trigger();
    EXPECT_EQ(f.messages, QStringList{QStringLiteral("解は一つです。")});
    EXPECT_EQ(logLength(), 1);
    EXPECT_EQ(w().lastPointerTarget(), QPoint(0, 0));
}

TEST_F(UniqueCheck, PointsAtADifferenceWhenThereAreSeveral) {
    auto& clues = *f.state().clueGrid;
    for (auto& row : clues) row.fill(0);  // no clue at all: many loops
    w().UniqueCheck1->trigger();
    EXPECT_EQ(f.messages, QStringList{QStringLiteral("解が複数あります。")});
    EXPECT_NE(w().lastPointerTarget(), QPoint(0, 0));
    EXPECT_EQ(logLength(), 0);
}

TEST_F(UniqueCheck, SaysSoWhenThereIsNone) {
    (*f.state().clueGrid)[0][0] = 3;
    (*f.state().clueGrid)[0][1] = kClueZero;  // a 3 beside two 0s
    (*f.state().clueGrid)[1][0] = kClueZero;
    w().UniqueCheck1->trigger();
    EXPECT_EQ(f.messages, QStringList{QStringLiteral("解はありません。")});
}

TEST_F(UniqueCheck, ACancelShowsNothingAndKeepsThePosition) {
    f.click(Qt::LeftButton, 32, 20);
    const auto before = std::make_unique<Board>(*f.state().mainBoard);
    EXPECT_EQ(testing::cancelThroughProgressBox(w(), [&] { w().UniqueCheck1->trigger(); }),
              QStringLiteral("調べています…"));
    EXPECT_TRUE(f.messages.isEmpty()) << f.messages.join('|').toStdString();
    EXPECT_EQ(f.state().mainBoard->lattice, before->lattice);
    EXPECT_EQ(logLength(), 1);
    EXPECT_EQ(w().lastPointerTarget(), QPoint(0, 0));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace vexilo
