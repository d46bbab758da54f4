// The window's commands without a window: what they show, in order, through the frontend;
// a cancelled count or hint leaves the player's position and history as they were.
#include <gtest/gtest.h>

#include "commands/check_commands.h"
#include "commands/hint_in_play.h"
#include "model/move_log.h"
#include "model/rebuild.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

// Records messages, pointing and the solved mark in one list; cancels the next long work
// when asked, as the window's "中止" would before the work has gone far.
class CommandFrontend : public testing::RecordingFrontend {
  public:
    void showMessage(const std::string& text) override { shown.push_back(text); }
    void pointAt(int x, int y) override {
        shown.push_back("point " + std::to_string(x) + "," + std::to_string(y));
    }
    void puzzleSolved() override { shown.push_back("solved"); }
    void runSolve(const std::function<bool()>& solve, std::atomic<bool>& cancel,
                  const std::string&) override {
        if (cancelNext) cancel = true;
        solve();
    }
    bool cancelNext = false;
    std::vector<std::string> shown;
};

struct CommandState {
    CommandFrontend frontend;
    std::unique_ptr<PuzzleState> state = std::make_unique<PuzzleState>(frontend);
    PuzzleState& operator*() { return *state; }

    std::vector<int32_t> log() const {
        const Board& b = *state->mainBoard;
        return {b.moveLog.begin(), b.moveLog.begin() + b.writePos};
    }
};

// A 2 x 2 whose one answer is its outline.
void openTwoByTwo(CommandState& s) {
    testing::setClues(*s, {"22", "22"});
}

void draw(CommandState& s, const std::vector<std::string>& picture) {
    testing::appendPictureMoves(*s, *s.state->mainBoard, picture);
    rebuildBoard(*s, *s.state->mainBoard, *s.state->mainBoard);
}

TEST(CheckCommand, TellsAndPointsAtTheFaultOrMarksTheAnswerSolvedFirst) {
    CommandState s;
    checkCommand(*s);  // no puzzle: nothing
    EXPECT_TRUE(s.frontend.shown.empty());
    openTwoByTwo(s);
    draw(s, {"+-+ +", "     ", "+ + +", "     ", "+ + +"});
    checkCommand(*s);
    ASSERT_EQ(s.frontend.shown.size(), 2u);
    EXPECT_EQ(s.frontend.shown[0], "違います。");
    EXPECT_EQ(s.frontend.shown[1],
              "point " + std::to_string(s.state->errorX) + "," + std::to_string(s.state->errorY));
    s.frontend.shown.clear();
    resetMoveLog(*s.state->mainBoard);
    draw(s, {"+-+-+", "|   |", "+ + +", "|   |", "+-+-+"});
    checkCommand(*s);
    EXPECT_EQ(s.frontend.shown, (std::vector<std::string>{"solved", "正解です!!"}));
}

TEST(UniqueCheckCommand, CountsAnswersPointsAtADifferenceAndACancelShowsNothing) {
    CommandState s;
    testing::setClues(*s, {"---", "---", "---"});
    const auto log = s.log();
    s.frontend.cancelNext = true;
    uniqueCheckCommand(*s);
    EXPECT_TRUE(s.frontend.shown.empty());
    EXPECT_FALSE(s.state->cancelRequest);
    s.frontend.cancelNext = false;
    uniqueCheckCommand(*s);
    ASSERT_EQ(s.frontend.shown.size(), 2u);
    EXPECT_EQ(s.frontend.shown[0], "解が複数あります。");
    EXPECT_EQ(s.frontend.shown[1].rfind("point ", 0), 0u);
    EXPECT_EQ(s.log(), log);
    s.frontend.shown.clear();
    openTwoByTwo(s);
    uniqueCheckCommand(*s);
    EXPECT_EQ(s.frontend.shown, std::vector<std::string>{"解は一つです。"});
}

TEST(HintCommand, ACancelChangesNothingAndAHintWaitsUntilAccepted) {
    CommandState s;
    openTwoByTwo(s);
    HintInPlay hints;
    const auto log = s.log();
    s.frontend.cancelNext = true;
    EXPECT_EQ(hintCommand(*s, hints), HintStep::kNone);
    EXPECT_FALSE(hints.pending());
    EXPECT_EQ(s.log(), log);
    s.frontend.cancelNext = false;

    ASSERT_EQ(hintCommand(*s, hints), HintStep::kGiven);
    ASSERT_TRUE(hints.waiting(*s));
    const Hint h = hints.hint();
    EXPECT_EQ(h.kind, HintKind::kDeduction);
    EXPECT_EQ(s.log(), log);

    EXPECT_EQ(hintCommand(*s, hints), HintStep::kAccepted);
    EXPECT_FALSE(hints.pending());
    ASSERT_EQ(s.log().size(), log.size() + 1);
    EXPECT_EQ(s.log().back(), moveEntry(h.x, h.y, h.value));
    EXPECT_EQ(s.state->mainBoard->at(h.x, h.y) & kKeyMask, h.value);
}

}  // namespace
}  // namespace vexilo
