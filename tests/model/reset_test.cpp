#include "model/reset.h"

#include <gtest/gtest.h>

#include "model/move_log.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::TestState;

TEST(ResetPuzzle, ReturnsToTheStateWithoutAPuzzle) {
    TestState t;
    testing::setClues(*t, {"123", "---"});
    Board& board = *t->mainBoard;
    appendEntry(board, moveEntry(2, 1, 3), t.frontend);
    openStep(board, t.frontend);
    appendEntry(board, moveEntry(4, 1, 2), t.frontend);
    t->difficulty.stored = 10003;
    t->drawEnabled = 0;
    t->zoom = 8;
    t->fileName = "/x/y.ALC";
    t->colourBitmap.resize(33, 25);
    t->plainBitmap.resize(33, 25);
    t->errorX = 3;
    t->fileLines = {"kept"};
    t.frontend.undoEnabled = true;

    resetPuzzle(*t);

    EXPECT_EQ(t->W(), 0);
    EXPECT_EQ(t->H(), 0);
    EXPECT_EQ(t->difficulty.stored, -1);
    EXPECT_EQ(t->drawEnabled, 1);
    EXPECT_EQ(t->zoom, 1);
    EXPECT_EQ(t->fileName, "");
    EXPECT_EQ(t->colourBitmap.width, 1);
    EXPECT_EQ(t->colourBitmap.height, 1);
    EXPECT_EQ(t->plainBitmap.width, 33);  // the plain picture keeps its size
    EXPECT_EQ(board.writePos, 1);
    EXPECT_EQ(board.stepCount, 0);
    EXPECT_EQ(board.moveLog[0], kFirstMarker);
    EXPECT_EQ(t->errorX, 3);
    EXPECT_EQ(t->fileLines, std::vector<std::string>{"kept"});
    EXPECT_EQ(t.frontend.resets, 1);
    EXPECT_EQ(t.frontend.caption, "Vexilo");
    EXPECT_EQ(t.frontend.stepLabel, 0);
    EXPECT_FALSE(t.frontend.undoEnabled);
    EXPECT_TRUE(t.frontend.messages.empty());
}

// The window lays itself out when told of the reset; by then W must already be 0.
class LayoutFrontend : public testing::RecordingFrontend {
  public:
    void puzzleReset() override {
        RecordingFrontend::puzzleReset();
        widthSeen = state->W();
        zoomSeen = state->zoom;
    }
    PuzzleState* state = nullptr;
    int widthSeen = -1;
    int zoomSeen = -1;
};

TEST(ResetPuzzle, TheWindowSeesTheResetStateWhenItIsTold) {
    LayoutFrontend frontend;
    PuzzleState state(frontend);
    frontend.state = &state;
    testing::setClues(state, {"11"});
    state.zoom = 4;
    resetPuzzle(state);
    EXPECT_EQ(frontend.widthSeen, 0);
    EXPECT_EQ(frontend.zoomSeen, 1);
}

}  // namespace
}  // namespace vexilo
