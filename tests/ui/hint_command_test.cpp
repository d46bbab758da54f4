// "ヒント" in the check button's menu: the hint waits in its panel with the position and
// history untouched; the command again (or Enter) draws it as one move that undo takes back.
#include "ui/hint_command.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "model/puzzle_state.h"
#include "ui_test_support.h"

namespace vexilo {
namespace {

class HintWindow : public ::testing::Test {
  protected:
    void SetUp() override { f.openTestFile("easy-10x10-01.ALC"); }
    TForm1& w() { return f.form(); }
    QAction* item() { return w().CheckMenu->findChild<QAction*>("Hint1"); }
    HintCommand& hints() { return *w().findChild<HintCommand*>("HintCommand"); }
    QLabel& panel() { return *w().findChild<QLabel*>("HintPanel"); }
    int logLength() { return f.state().mainBoard->writePos - 1; }
    testing::FormFixture f;
};

TEST_F(HintWindow, WaitsUntilAcceptedThenUndoTakesItBack) {
    ASSERT_NE(item(), nullptr);
    EXPECT_EQ(item()->shortcut(), QKeySequence(Qt::Key_H));
    const auto before = std::make_unique<Board>(*f.state().mainBoard);
    item()->trigger();
    ASSERT_TRUE(hints().showing());
    const Hint h = hints().hint();
    EXPECT_EQ(h.kind, HintKind::kDeduction);
    EXPECT_FALSE(panel().isHidden());
    EXPECT_EQ(panel().text().toStdString(), h.text);
    EXPECT_EQ(logLength(), 0);
    EXPECT_EQ(f.state().mainBoard->lattice, before->lattice);

    item()->trigger();  // the second press accepts
    EXPECT_FALSE(hints().showing());
    EXPECT_TRUE(panel().isHidden());
    ASSERT_EQ(logLength(), 1);
    EXPECT_EQ(f.state().mainBoard->at(h.x, h.y) & kKeyMask, h.value);
    w().SpeedButton11->click();  // 一手戻す
    EXPECT_EQ(logLength(), 0);
    EXPECT_EQ(f.state().mainBoard->at(h.x, h.y) & kKeyMask, kUndecided);
}

TEST_F(HintWindow, AMoveMeanwhileDropsTheHint) {
    item()->trigger();
    ASSERT_TRUE(hints().showing());
    f.click(Qt::LeftButton, 32, 20);
    EXPECT_FALSE(hints().showing());
    EXPECT_EQ(logLength(), 1);
}

TEST_F(HintWindow, ACancelledHintShowsNothingThenTheNextOneArrives) {
    EXPECT_EQ(testing::cancelThroughProgressBox(w(), [&] { item()->trigger(); }),
              QStringLiteral("調べています…"));
    EXPECT_FALSE(hints().showing());
    EXPECT_TRUE(panel().isHidden());
    EXPECT_EQ(logLength(), 0);
    EXPECT_TRUE(f.messages.isEmpty());
    item()->trigger();
    EXPECT_TRUE(hints().showing());
    EXPECT_EQ(logLength(), 0);
}

}  // namespace
}  // namespace vexilo
