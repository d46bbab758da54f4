// Playing in the main window: clicks on the board, the log buttons, the answer check,
// zoom and scrolling, and the picture PaintBox1 shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>

#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "support/test_support.h"
#include "ui/board_widgets.h"
#include "ui_test_support.h"

namespace vexilo {
namespace {

using testing::FormFixture;

// The 10 x 10 sample at zoom 4 (cells 32 view pixels wide, no scrolling): view (32, 20)
// is the top side (2, 1) of the first cell, view (48, 32) the side (3, 2) to its right.
class Play : public ::testing::Test {
  protected:
    void SetUp() override { f.openTestFile("easy-10x10-01.ALC"); }
    int edge(int x, int y) { return f.state().mainBoard->at(x, y) & 3; }
    int logLength() { return f.state().mainBoard->writePos - 1; }
    TForm1& w() { return f.form(); }
    FormFixture f;
};

TEST_F(Play, LeftClicksDrawAndTakeBackALine) {
    ASSERT_EQ(f.state().zoom, 4);
    f.click(Qt::LeftButton, 32, 20);
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_TRUE(w().SpeedButton11->isEnabled());
    f.click(Qt::LeftButton, 32, 20);
    EXPECT_EQ(edge(2, 1), 0);
    EXPECT_EQ(logLength(), 2);
}

TEST_F(Play, RightClickOnALineIsRefusedAndKeepsTheUndoButton) {
    f.click(Qt::LeftButton, 32, 20);
    w().setUndoEnabled(false);
    f.click(Qt::RightButton, 32, 20);
    EXPECT_EQ(logLength(), 1);
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_FALSE(w().SpeedButton11->isEnabled());
    f.click(Qt::RightButton, 48, 32);
    EXPECT_EQ(edge(3, 2), kCross);
    f.click(Qt::LeftButton, 48, 32);
    EXPECT_EQ(edge(3, 2), kCross);
    EXPECT_EQ(logLength(), 2);
}

TEST_F(Play, DeadSpotsRecordNothing) {
    f.click(Qt::LeftButton, 16, 16);  // a dot
    f.click(Qt::LeftButton, 32, 32);  // the middle of the first cell
    f.click(Qt::LeftButton, 20, 20);  // its diagonal
    EXPECT_EQ(logLength(), 0);
    EXPECT_FALSE(w().SpeedButton11->isEnabled());
}

TEST_F(Play, AReleaseWithoutAPressOnTheBoardIsNoMove) {
    f.release(Qt::LeftButton, 32, 20);  // nothing pressed since the open
    EXPECT_EQ(logLength(), 0);
    // A press, then an open (whose dialog takes the double click), then the release.
    f.press(Qt::LeftButton, 32, 20);
    f.nextOpenPath = testing::testDataPath("easy-10x10-01.ALC");
    w().SpeedButton6Click();
    f.release(Qt::LeftButton, 32, 20);
    EXPECT_EQ(logLength(), 0);
    EXPECT_EQ(w().mouseArmed, 0);
}

TEST_F(Play, OpenIIShowsItsDialogAndDisarmsTheBoard) {
    int shown = 0;
    w().setOpenIIDialog([&] { ++shown; });
    f.press(Qt::LeftButton, 32, 20);
    f.clickWidget(w().SpeedButton7);
    EXPECT_EQ(shown, 1);
    f.release(Qt::LeftButton, 32, 20);
    EXPECT_EQ(logLength(), 0);
}

TEST_F(Play, MemoriseTwiceWithoutAMoveCountsOnce) {
    f.click(Qt::LeftButton, 32, 20);
    f.clickWidget(w().SpeedButton1);
    f.clickWidget(w().SpeedButton1);
    EXPECT_EQ(w().Label1->text(), QStringLiteral("1"));
    EXPECT_EQ(f.state().mainBoard->stepCount, 1);
}

TEST_F(Play, RestoreReturnsToTheMemorisedPositionsInTurn) {
    f.click(Qt::LeftButton, 32, 20);
    f.clickWidget(w().SpeedButton1);
    f.click(Qt::RightButton, 48, 32);
    f.clickWidget(w().SpeedButton1);
    f.click(Qt::LeftButton, 32, 20);  // takes the line back
    EXPECT_EQ(w().Label1->text(), QStringLiteral("2"));
    f.clickWidget(w().SpeedButton2);
    EXPECT_EQ(w().Label1->text(), QStringLiteral("1"));
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_EQ(edge(3, 2), kCross);
    f.clickWidget(w().SpeedButton2);
    EXPECT_EQ(w().Label1->text(), QStringLiteral("0"));
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_EQ(edge(3, 2), 0);
    f.clickWidget(w().SpeedButton2);  // nothing memorised: the moves stay
    EXPECT_EQ(edge(2, 1), kLine);
}

TEST_F(Play, UndoRightAfterMemoriseUndoesNothingAndDisablesTheButton) {
    f.click(Qt::LeftButton, 32, 20);
    f.clickWidget(w().SpeedButton1);
    ASSERT_TRUE(w().SpeedButton11->isEnabled());
    f.clickWidget(w().SpeedButton11);
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_FALSE(w().SpeedButton11->isEnabled());
    EXPECT_EQ(w().Label1->text(), QStringLiteral("1"));
}

TEST_F(Play, TwoUndosAfterTwoEqualClicksReturnToTheSameLook) {
    const auto before = f.state().plainBitmap.pixels;
    f.click(Qt::LeftButton, 32, 20);
    f.click(Qt::LeftButton, 32, 20);
    EXPECT_EQ(f.state().plainBitmap.pixels, before);
    f.clickWidget(w().SpeedButton11);
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_TRUE(w().SpeedButton11->isEnabled());
    f.clickWidget(w().SpeedButton11);
    EXPECT_EQ(f.state().plainBitmap.pixels, before);
    EXPECT_FALSE(w().SpeedButton11->isEnabled());
}

TEST_F(Play, BackToTheStartEmptiesTheLog) {
    f.click(Qt::LeftButton, 32, 20);
    f.clickWidget(w().SpeedButton1);
    f.click(Qt::RightButton, 48, 32);
    f.clickWidget(w().SpeedButton9);
    EXPECT_EQ(w().Label1->text(), QStringLiteral("0"));
    EXPECT_EQ(logLength(), 0);
    EXPECT_EQ(edge(2, 1), 0);
    f.clickWidget(w().SpeedButton2);
    EXPECT_EQ(edge(2, 1), 0);
    EXPECT_EQ(logLength(), 0);
}

TEST(PlayWithoutAPuzzle, EveryCommandDoesNothing) {
    FormFixture f;
    TForm1& w = f.form();
    w.PaintBox1MouseDown(Qt::LeftButton, 8, 5);
    w.PaintBox1MouseUp(Qt::LeftButton, 8, 5);
    for (QToolButton* b : {w.SpeedButton1, w.SpeedButton2, w.SpeedButton3, w.SpeedButton4,
                           w.SpeedButton5, w.SpeedButton9, w.SpeedButton10}) {
        b->click();
    }
    w.Level01->trigger();
    EXPECT_EQ(f.state().mainBoard->writePos, 1);
    EXPECT_EQ(f.state().zoom, 1);
    EXPECT_EQ(w.paintRequests(), 0);
    EXPECT_TRUE(f.messages.isEmpty());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Vexilo"));
}

// ---- The answer check

class Check : public Play {
  protected:
    std::vector<std::string> solution() {
        return testing::splitLines(testing::readTestData("ui/easy-10x10-01.sol"));
    }
    void drawPicture(const std::vector<std::string>& picture) {
        testing::appendPictureMoves(f.state(), *f.state().mainBoard, picture);
        rebuildBoard(f.state(), *f.state().mainBoard, *f.state().mainBoard);
    }
};

TEST_F(Check, TheSolutionIsCorrectAndNothingMoves) {
    drawPicture(solution());
    const int length = logLength();
    f.clickWidget(w().SpeedButton10);
    EXPECT_EQ(f.messages, QStringList{QStringLiteral("正解です!!")});
    EXPECT_EQ(w().lastPointerTarget(), QPoint(0, 0));
    EXPECT_EQ(logLength(), length);
    EXPECT_EQ(f.state().mainBoard->stepCount, 0);
}

TEST_F(Check, AnEmptyBoardPointsAtTheFirstClue) {
    f.clickWidget(w().SpeedButton10);
    EXPECT_EQ(f.messages, QStringList{QStringLiteral("違います。")});
    // The clue 2 in column 1 of the first row: image x 4 * (8 * 2 + 2), y 4 * (8 + 2).
    EXPECT_EQ(w().lastPointerTarget(), QPoint(72, 40));
    EXPECT_EQ(w().ScrollBarX->value(), 0);
    EXPECT_EQ(logLength(), 0);
    EXPECT_EQ(edge(2, 1), 0);
}

TEST_F(Check, ALoopAroundOneEmptyCellIsOpenWithoutAMessage) {
    for (auto [x, y] : {std::pair{32, 20}, {20, 32}, {48, 32}, {32, 48}}) {
        f.click(Qt::LeftButton, x, y);
    }
    ASSERT_EQ(edge(1, 2), kLine);
    ASSERT_EQ(edge(2, 3), kLine);
    f.clickWidget(w().SpeedButton1);
    f.clickWidget(w().SpeedButton10);
    EXPECT_TRUE(f.messages.isEmpty());
    EXPECT_EQ(w().lastPointerTarget(), QPoint(40, 40));
    // The log and its buttons are as before the check.
    EXPECT_EQ(w().Label1->text(), QStringLiteral("1"));
    f.clickWidget(w().SpeedButton2);
    EXPECT_EQ(w().Label1->text(), QStringLiteral("0"));
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_EQ(logLength(), 4);
}

TEST_F(Check, AFaultFarDownScrollsAsFarAsTheBarsAllow) {
    auto picture = solution();
    picture[20][19] = ' ';  // the bottom line's last edge, (20, 21), left open
    drawPicture(picture);
    f.clickWidget(w().SpeedButton3);
    f.clickWidget(w().SpeedButton3);
    ASSERT_EQ(f.state().zoom, 16);
    ASSERT_TRUE(w().ScrollBarX->isVisible());
    f.clickWidget(w().SpeedButton10);
    EXPECT_EQ(f.messages, QStringList{QStringLiteral("違います。")});
    // The dot (19, 21) with one line: image point 16 * (8 * 10 + 2) = 1312 across and
    // 16 * (8 * 11 + 2) = 1440 down. Centring asks for 1312 - 176 and 1440 - 176; the view
    // allows 1424 - 352 = 1072. The pointer still goes to the fault, below the view.
    EXPECT_EQ(f.state().errorX, 10);
    EXPECT_EQ(f.state().errorY, 11);
    EXPECT_EQ(w().ScrollBarX->value(), 1072);
    EXPECT_EQ(w().ScrollBarY->value(), 1072);
    EXPECT_EQ(w().lastPointerTarget(), QPoint(1312 - 1072, 1440 - 1072));
}

TEST_F(Check, AFaultInTheMiddleIsCentred) {
    auto picture = solution();
    picture[10][9] = ' ';  // edge (10, 11): its dots (9, 11) and (11, 11) are open ends
    drawPicture(picture);
    for (int i = 0; i < 3; ++i) f.clickWidget(w().SpeedButton3);
    ASSERT_EQ(f.state().zoom, 32);
    f.clickWidget(w().SpeedButton10);
    EXPECT_EQ(f.messages, QStringList{QStringLiteral("違います。")});
    EXPECT_EQ(f.state().errorX, 5);
    EXPECT_EQ(f.state().errorY, 6);
    EXPECT_EQ(w().ScrollBarX->value(), 32 * 42 - 176);
    EXPECT_EQ(w().ScrollBarY->value(), 32 * 50 - 176);
    EXPECT_EQ(w().lastPointerTarget(), QPoint(176, 176));
}

// ---- The solver

TEST_F(Play, AutoSolveSolvesAsOneStepAndRemembersTheRating) {
    f.click(Qt::RightButton, 32, 20);  // a mark of the user's, replaced by the solve
    f.clickWidget(w().SpeedButton5);
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].startsWith(QStringLiteral("難易度は")))
        << f.messages[0].toStdString();
    const int rating = f.state().difficulty.stored - 10000;
    EXPECT_GE(rating, 0);
    EXPECT_LE(rating, 6);
    EXPECT_EQ(w().Label1->text(), QStringLiteral("1"));
    EXPECT_TRUE(w().SpeedButton11->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor is gone
    f.clickWidget(w().SpeedButton10);
    EXPECT_EQ(f.messages.last(), QStringLiteral("正解です!!"));
    // "戻す" takes the whole solve back to the user's cross.
    f.clickWidget(w().SpeedButton2);
    EXPECT_EQ(edge(2, 1), kCross);
    EXPECT_EQ(logLength(), 1);
    // A second press shows the held rating without solving again, and hands it over again.
    f.messages.clear();
    f.clickWidget(w().SpeedButton5);
    EXPECT_EQ(f.messages, QStringList{QStringLiteral("難易度は%1です。").arg(rating)});
    EXPECT_EQ(w().Label1->text(), QStringLiteral("1"));
}

TEST_F(Play, TheSolveLevelsAreTheAutoSolveButtonsMenu) {
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                w().SpeedButton5->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w().SpeedButton5, &menuEvent);
    EXPECT_TRUE(w().PopupMenu1->isVisible());
    w().PopupMenu1->hide();
    f.state().difficulty.stored = 10003;
    w().Level11->trigger();
    ASSERT_EQ(f.messages.size(), 1);
    EXPECT_TRUE(f.messages[0].startsWith(QStringLiteral("Level1\n ")));
    EXPECT_TRUE(f.messages[0].endsWith(QStringLiteral(" ms")));
    EXPECT_EQ(f.state().difficulty.stored, 3);
    EXPECT_EQ(w().Label1->text(), QStringLiteral("1"));
    w().Level01->trigger();
    w().Level21->trigger();
    ASSERT_EQ(f.messages.size(), 3);
    EXPECT_TRUE(f.messages[1].startsWith(QStringLiteral("Level0\n ")));
    EXPECT_TRUE(f.messages[2].startsWith(QStringLiteral("Level2\n ")));
}

// ---- Zoom, scrolling and the picture

TEST_F(Play, ZoomStopsAtThirtyTwoAndOneWithoutRepainting) {
    for (int i = 0; i < 3; ++i) w().SpeedButton3Click();
    ASSERT_EQ(f.state().zoom, 32);
    int paints = w().paintRequests();
    w().SpeedButton3Click();
    EXPECT_EQ(f.state().zoom, 32);
    EXPECT_EQ(w().paintRequests(), paints);
    for (int i = 0; i < 5; ++i) w().SpeedButton4Click();
    ASSERT_EQ(f.state().zoom, 1);
    paints = w().paintRequests();
    w().SpeedButton4Click();
    EXPECT_EQ(f.state().zoom, 1);
    EXPECT_EQ(w().paintRequests(), paints);
    EXPECT_EQ(w().PaintBox1->size(), QSize(89, 89));
}

TEST_F(Play, ZoomingAndResizingShowTheTopLeftCorner) {
    w().SpeedButton3Click();
    w().SpeedButton3Click();
    w().ScrollBarX->setValue(500);
    w().ScrollBarY->setValue(300);
    ASSERT_EQ(w().ScrollBarX->value(), 500);
    w().SpeedButton3Click();
    EXPECT_EQ(w().ScrollBarX->value(), 0);
    EXPECT_EQ(w().ScrollBarY->value(), 0);
    w().ScrollBarX->setValue(500);
    w().resize(600, 500);
    QApplication::processEvents();
    EXPECT_EQ(w().Panel2->size(), QSize(559, 500));
    EXPECT_EQ(w().ScrollBarX->value(), 0);
    EXPECT_EQ(w().ScrollBarX->geometry(), QRect(0, 484, 543, 16));
}

TEST_F(Play, ScrollingStopsWhereTheBoardEnds) {
    w().SpeedButton3Click();
    w().SpeedButton3Click();
    ASSERT_EQ(w().scrollLimitX(), 1424 - 352);
    // The bar itself goes one pixel further; the change handler takes it back.
    w().ScrollBarX->setValue(w().ScrollBarX->maximum());
    EXPECT_EQ(w().ScrollBarX->value(), 1072);
    w().ScrollBarY->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(w().ScrollBarY->value(), 1072);
    w().ScrollBarY->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(w().ScrollBarY->value(), 1064);
    // The last column of the board's pixels is at the view's right edge.
    const QImage view = w().PaintBox1->grab().toImage();
    EXPECT_EQ(view.pixel(351, 100), qRgb(255, 255, 255));
    EXPECT_EQ(view.pixel(351 - 16 * 4, 100), qRgb(0xC0, 0xC0, 0xC0));  // the last grid line
}

TEST_F(Play, TheCheckBoxSwitchesThePictureWithoutARebuild) {
    QImage view = w().PaintBox1->grab().toImage();
    EXPECT_EQ(view.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(view.pixel(16, 16), qRgb(0xC0, 0xC0, 0xC0));  // the first dot, a 4 x 4 block
    EXPECT_EQ(view.pixel(19, 19), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(view.pixel(20, 20), qRgb(255, 255, 255));
    const auto colourBefore = f.state().colourBitmap.pixels;
    const int paints = w().paintRequests();
    f.clickWidget(w().CheckBox1);
    ASSERT_TRUE(w().CheckBox1->isChecked());
    EXPECT_EQ(w().paintRequests(), paints + 1);
    view = w().PaintBox1->grab().toImage();
    EXPECT_EQ(view.pixel(0, 0), qRgb(0x99, 0xFF, 0x99));  // the colour picture's frame
    EXPECT_EQ(f.state().colourBitmap.pixels, colourBefore);
}

}  // namespace
}  // namespace vexilo
