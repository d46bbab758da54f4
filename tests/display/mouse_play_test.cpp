// The hit map and mouse play: which pixel selects which edge, and what a click records.
#include "display/mouse_play.h"

#include <gtest/gtest.h>

#include "display/hit_map.h"
#include "model/move_log.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::TestState;

TEST(HitMap, DiagonalsAndTheCentreAreDead) {
    for (int i = 0; i < 8; ++i) EXPECT_FALSE(hitMapSide(i, i)) << i;
    for (int i = 1; i < 8; ++i) EXPECT_FALSE(hitMapSide(8 - i, i)) << i;
    for (int sy = 3; sy <= 5; ++sy) {
        for (int sx = 3; sx <= 5; ++sx) EXPECT_FALSE(hitMapSide(sx, sy));
    }
}

TEST(HitMap, ViewPixelsToEdges) {
    // Just below the top border line in the first cell: its top side.
    EXPECT_EQ(edgeAtViewPixel(8, 5, 0, 0, 1, 10, 10), (LatticePoint{2, 1}));
    // On a dot, on a diagonal, in the centre of a cell: nothing.
    EXPECT_FALSE(edgeAtViewPixel(4, 4, 0, 0, 1, 10, 10));
    EXPECT_FALSE(edgeAtViewPixel(14, 14, 0, 0, 1, 10, 10));
    EXPECT_FALSE(edgeAtViewPixel(8, 8, 0, 0, 1, 10, 10));
    // The margin left of the grid, level with the first cell's middle: its left side.
    EXPECT_EQ(edgeAtViewPixel(2, 8, 0, 0, 1, 10, 10), (LatticePoint{1, 2}));
    // The margins right of and below the grid select the last sides; beyond them nothing.
    EXPECT_EQ(edgeAtViewPixel(86, 16, 0, 0, 1, 10, 10), (LatticePoint{21, 4}));
    EXPECT_EQ(edgeAtViewPixel(16, 86, 0, 0, 1, 10, 10), (LatticePoint{4, 21}));
    EXPECT_FALSE(edgeAtViewPixel(90, 16, 0, 0, 1, 10, 10));
    EXPECT_FALSE(edgeAtViewPixel(16, 90, 0, 0, 1, 10, 10));
    // Left of the view (a release outside the paint box): outside the grid.
    EXPECT_FALSE(edgeAtViewPixel(-5, 8, 0, 0, 1, 10, 10));
}

TEST(HitMap, ZoomAndScrollMapBackToScaleOne) {
    // Zoom 4, scrolled 40 right: view x 0 is image x 40, scale-1 x 10; y 20 is y 5.
    EXPECT_EQ(edgeAtViewPixel(0, 20, 40, 0, 4, 10, 10), (LatticePoint{2, 1}));
    // The bottom side of cell (column 3, row 2) at zoom 2 with the view scrolled down 16.
    EXPECT_EQ(edgeAtViewPixel(2 * 32, 2 * 27 - 16, 0, 16, 2, 10, 10), (LatticePoint{8, 7}));
}

class MousePlay : public ::testing::Test {
  protected:
    void SetUp() override { testing::setClues(*t, {"---", "---"}); }
    ClickResult click(MouseButton b, int x, int y) { return playClick(*t, b, x, y, 0, 0); }
    int edge(int x, int y) { return t->mainBoard->at(x, y) & 3; }
    int logLength() { return t->mainBoard->writePos - 1; }
    TestState t;
};

// Pixel (8, 5) is the top side (2, 1) of the first cell; (12, 8) the side (3, 2) to its right.
TEST_F(MousePlay, LeftClicksDrawAndRemoveALine) {
    EXPECT_EQ(click(MouseButton::kLeft, 8, 5), ClickResult::kRecorded);
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_TRUE(t.frontend.undoEnabled);
    EXPECT_EQ(click(MouseButton::kLeft, 8, 5), ClickResult::kRecorded);
    EXPECT_EQ(edge(2, 1), 0);
    EXPECT_EQ(logLength(), 2);
}

TEST_F(MousePlay, RightClicksPutAndRemoveACross) {
    EXPECT_EQ(click(MouseButton::kRight, 12, 8), ClickResult::kRecorded);
    EXPECT_EQ(edge(3, 2), kCross);
    EXPECT_EQ(click(MouseButton::kRight, 12, 8), ClickResult::kRecorded);
    EXPECT_EQ(edge(3, 2), 0);
}

TEST_F(MousePlay, ALineIsNotCrossedAndACrossNotLined) {
    click(MouseButton::kLeft, 8, 5);
    click(MouseButton::kRight, 12, 8);
    t.frontend.undoEnabled = false;  // a refused click leaves the button alone
    EXPECT_EQ(click(MouseButton::kRight, 8, 5), ClickResult::kIgnored);
    EXPECT_EQ(click(MouseButton::kLeft, 12, 8), ClickResult::kIgnored);
    EXPECT_EQ(logLength(), 2);
    EXPECT_EQ(edge(2, 1), kLine);
    EXPECT_EQ(edge(3, 2), kCross);
    EXPECT_FALSE(t.frontend.undoEnabled);
}

TEST_F(MousePlay, ACrossColouredByTheFillIsStillACross) {
    click(MouseButton::kRight, 8, 5);  // outer top side: the cross turns outside
    ASSERT_EQ(t->mainBoard->at(2, 1), kCross | kOutside);
    EXPECT_EQ(click(MouseButton::kLeft, 8, 5), ClickResult::kIgnored);
    EXPECT_EQ(click(MouseButton::kRight, 8, 5), ClickResult::kRecorded);
    EXPECT_EQ(edge(2, 1), 0);
}

TEST_F(MousePlay, DeadSpotsOutsideClicksAndOtherButtons) {
    EXPECT_EQ(click(MouseButton::kLeft, 4, 4), ClickResult::kIgnored);
    EXPECT_EQ(click(MouseButton::kLeft, 8, 8), ClickResult::kIgnored);
    EXPECT_EQ(click(MouseButton::kLeft, 40, 8), ClickResult::kIgnored);
    EXPECT_EQ(logLength(), 0);
    click(MouseButton::kLeft, 8, 5);
    openStep(*t->mainBoard, t.frontend);
    // Another button records nothing but refreshes the undo button: the last entry is a
    // marker now, so it is disabled.
    t.frontend.undoEnabled = true;
    EXPECT_EQ(click(MouseButton::kOther, 8, 5), ClickResult::kNoMove);
    EXPECT_FALSE(t.frontend.undoEnabled);
    EXPECT_EQ(logLength(), 2);
}

TEST_F(MousePlay, NothingHappensWithoutAPuzzle) {
    t->puzzleWidth = 0;
    EXPECT_EQ(click(MouseButton::kLeft, 8, 5), ClickResult::kIgnored);
    EXPECT_EQ(logLength(), 0);
}

TEST_F(MousePlay, AFullLogShowsTheMessageAndRecordsNothing) {
    Board& b = *t->mainBoard;
    fillMoveLog(b, kFirstMarker + 1);  // the next store would land on the end sentinel
    b.stepCount = 0;
    EXPECT_EQ(click(MouseButton::kLeft, 8, 5), ClickResult::kRecorded);
    EXPECT_EQ(t.frontend.messages, std::vector<std::string>{kLogFullMessage});
    EXPECT_EQ(edge(2, 1), 0);
    EXPECT_EQ(b.writePos, kLogSlots - 1);
}

}  // namespace
}  // namespace vexilo
