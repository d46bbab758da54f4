#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "solver/engine/basic_rules.h"
#include "solver/engine/edge_setting.h"
#include "support/test_support.h"
#include "work_board.h"

namespace vexilo {
namespace {

using testing::loadWorkPicture;
using testing::loggedEntries;
using testing::TestState;
using testing::trimmed;
using testing::workPicture;

void setQueueIndices(Board& wb, int index) {
    wb.queue.resetAt(index);
}

// A strip of four blank cells whose sides are all crossed but the top ones: the dot rule
// crosses the top edges one after another, each only once the previous one is queued.
const std::vector<std::string> kStrip = {
    "+ + + + +",  //
    "x x x x x",  //
    "+x+x+x+x+",
};
const std::vector<std::string> kStripCrossed = {
    "+x+x+x+x+",  //
    "x x x x x",  //
    "+x+x+x+x+",
};

class BasicPass : public ::testing::Test {
  protected:
    Board& wb() { return *t->workBoard; }
    TestState t;
};

TEST_F(BasicPass, AnEmptyQueueReturnsOneAndCountsNothing) {
    loadWorkPicture(*t, kStrip);
    setQueueIndices(wb(), 77);
    t->effortScore = 5;
    t->ruleUsage = 4;
    EXPECT_TRUE(runBasicRules(*t));
    EXPECT_EQ(t->effortScore, 5);
    EXPECT_EQ(t->ruleUsage, 4);
    EXPECT_EQ(wb().queue.positions().readA, 77);
    EXPECT_EQ(wb().queue.positions().passEnd, 77);
    EXPECT_EQ(workPicture(*t), trimmed(kStrip));
}

TEST_F(BasicPass, EdgesDecidedDuringThePassAreExaminedInLaterGenerations) {
    loadWorkPicture(*t, kStrip);
    pushWorkQueue(*t, moveEntry(1, 2, 0));
    EXPECT_TRUE(runBasicRules(*t));
    EXPECT_EQ(workPicture(*t), trimmed(kStripCrossed));
    EXPECT_EQ(wb().queue.positions().head, 5);
    EXPECT_EQ(wb().queue.positions().readA, 5);
    EXPECT_EQ(wb().queue.positions().passEnd, 5);
    EXPECT_EQ(loggedEntries(*t), (std::vector<int32_t>{moveEntry(2, 1, 2), moveEntry(4, 1, 2),
                                                       moveEntry(6, 1, 2), moveEntry(8, 1, 2)}));
}

TEST_F(BasicPass, TheReadersFollowTheWriterAcrossTheEndOfTheRing) {
    loadWorkPicture(*t, kStrip);
    setQueueIndices(wb(), kLogSlots - 2);
    pushWorkQueue(*t, moveEntry(1, 2, 0));  // the ring's last slot
    EXPECT_EQ(wb().queue.positions().head, kLogSlots - 1);
    EXPECT_TRUE(runBasicRules(*t));
    EXPECT_EQ(workPicture(*t), trimmed(kStripCrossed));
    EXPECT_EQ(wb().queue.at(0), moveEntry(2, 1, 2));
    EXPECT_EQ(wb().queue.at(3), moveEntry(8, 1, 2));
    EXPECT_EQ(wb().queue.positions().head, 3);
    EXPECT_EQ(wb().queue.positions().readA, 3);
    EXPECT_EQ(wb().queue.positions().passEnd, 3);
}

TEST_F(BasicPass, AFullQueueDropsTheEntryWithAMessageAndThePassGoesOn) {
    loadWorkPicture(*t, kStrip);
    setQueueIndices(wb(), 10);
    // The advanced pass lags three slots behind: two free slots.
    wb().queue.setPositions({10, 10, 10, 13});
    pushWorkQueue(*t, moveEntry(1, 2, 0));
    EXPECT_TRUE(runBasicRules(*t));
    // (2, 1) is queued in the last free slot; (4, 1) is decided and logged but not queued,
    // so the dot beyond it is never examined.
    EXPECT_EQ(workPicture(*t), trimmed({"+x+x+ + +", "x x x x x", "+x+x+x+x+"}));
    EXPECT_EQ(t.frontend.messages, std::vector<std::string>{"next 記憶領域がいっぱいです。"});
    EXPECT_EQ(loggedEntries(*t), (std::vector<int32_t>{moveEntry(2, 1, 2), moveEntry(4, 1, 2)}));
    EXPECT_EQ(wb().queue.positions().head, 12);
    EXPECT_EQ(wb().queue.positions().readA, 12);
}

TEST_F(BasicPass, AProductivePassCountsOnceUpToTenThousand) {
    loadWorkPicture(*t, kStrip);
    t->ruleUsage = 6;
    t->effortScore = 9999;
    pushWorkQueue(*t, moveEntry(1, 2, 0));
    EXPECT_TRUE(runBasicRules(*t));
    EXPECT_EQ(t->ruleUsage, 7);
    EXPECT_EQ(t->effortScore, 10000);

    loadWorkPicture(*t, kStrip);
    pushWorkQueue(*t, moveEntry(1, 2, 0));
    EXPECT_TRUE(runBasicRules(*t));
    EXPECT_EQ(t->effortScore, 10000);
}

TEST_F(BasicPass, APassThatDecidesNothingCountsNothing) {
    loadWorkPicture(*t, kStripCrossed);
    pushWorkQueue(*t, moveEntry(4, 1, 0));
    pushWorkQueue(*t, moveEntry(3, 2, 0));
    EXPECT_TRUE(runBasicRules(*t));
    EXPECT_EQ(t->effortScore, 0);
    EXPECT_EQ(t->ruleUsage, 0);
    EXPECT_EQ(wb().queue.positions().readA, 2);
}

TEST_F(BasicPass, AContradictionStopsOnItsEntryWithoutCounting) {
    // The 1 has two lines; its top side's entry finds it.
    loadWorkPicture(*t, {"+ + + +-+ +",  //
                         "       1|",    //
                         "+ + + + + +"});
    pushWorkQueue(*t, moveEntry(2, 1, 0));  // far from the 1: nothing to decide
    pushWorkQueue(*t, moveEntry(6, 1, 0));
    pushWorkQueue(*t, moveEntry(10, 1, 0));
    EXPECT_FALSE(runBasicRules(*t));
    EXPECT_EQ(wb().queue.positions().readA, 2);
    EXPECT_EQ(wb().queue.positions().head, 3);
    EXPECT_EQ(t->effortScore, 0);
    EXPECT_EQ(t->ruleUsage, 0);
}

TEST_F(BasicPass, AnEntryThatIsNoEdgeEndsThePass) {
    loadWorkPicture(*t, kStrip);
    pushWorkQueue(*t, moveEntry(2, 2, 0));  // a cell
    pushWorkQueue(*t, moveEntry(1, 2, 0));
    EXPECT_FALSE(runBasicRules(*t));
    EXPECT_EQ(wb().queue.positions().readA, 1);
    EXPECT_EQ(workPicture(*t), trimmed(kStrip));
}

// Every dot and cell of a fully crossed board settles when examined, so the settled flags
// show which ones an entry reaches.
std::set<std::pair<int, int>> settledPositions(const PuzzleState& s) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y <= 2 * s.H() + 2; ++y) {
        for (int x = 0; x <= 2 * s.W() + 2; ++x) {
            if (!isEdge(x, y) && (s.workBoard->at(x, y) & kSettled)) out.insert({x, y});
        }
    }
    return out;
}

const std::vector<std::string> kAllCrossed = {
    "+x+x+x+",  //
    "x x x x",  //
    "+x+x+x+",  //
    "x x x x",  //
    "+x+x+x+",  //
    "x x x x",  //
    "+x+x+x+",
};

TEST_F(BasicPass, AVerticalEdgeReachesItsTwoDotsAndTheSixCellsBesideIt) {
    loadWorkPicture(*t, kAllCrossed);
    pushWorkQueue(*t, moveEntry(3, 4, 0));
    EXPECT_TRUE(runBasicRules(*t));
    EXPECT_EQ(settledPositions(*t),
              (std::set<std::pair<int, int>>{
                  {3, 3}, {3, 5}, {2, 2}, {2, 4}, {2, 6}, {4, 2}, {4, 4}, {4, 6}}));
}

TEST_F(BasicPass, AHorizontalEdgeReachesItsTwoDotsAndTheSixCellsAboveAndBelow) {
    loadWorkPicture(*t, kAllCrossed);
    pushWorkQueue(*t, moveEntry(4, 7, 0));  // the bottom border
    EXPECT_TRUE(runBasicRules(*t));
    EXPECT_EQ(settledPositions(*t),
              (std::set<std::pair<int, int>>{{3, 7}, {5, 7}, {2, 6}, {4, 6}, {6, 6}}));
}

TEST_F(BasicPass, TheDotsComeFirstAndAContradictionThereSkipsTheRest) {
    std::vector<std::string> picture = kAllCrossed;
    picture[1][2] = '|';  // (3, 2), (2, 3) and (4, 3): three lines at dot (3, 3)
    picture[2][1] = '-';
    picture[2][3] = '-';
    loadWorkPicture(*t, picture);
    pushWorkQueue(*t, moveEntry(3, 4, 0));
    EXPECT_FALSE(runBasicRules(*t));
    EXPECT_TRUE(settledPositions(*t).empty());
}

}  // namespace
}  // namespace vexilo
