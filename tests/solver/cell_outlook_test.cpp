#include "solver/engine/cell_outlook.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "model/move_log.h"
#include "solver/engine/basic_rules.h"
#include "solver/engine/edge_setting.h"
#include "solver/engine/rule_observer.h"
#include "support/test_support.h"
#include "work_board.h"

namespace vexilo {
namespace {

using testing::loadWorkPicture;
using testing::loggedEntries;
using testing::TestState;

// With an observer the rules run in full: every group they name is heard of, so the pass's
// shortcuts are off.
class Listener : public RuleObserver {
  public:
    void edgeDecided(int, int, int) override {}
};

// What a rule run left: its result, the cell's and its twelve edges' bytes, the log.
struct Outcome {
    RuleResult result;
    std::array<uint8_t, 13> bytes;
    std::vector<int32_t> logged;
    bool operator==(const Outcome&) const = default;
};

// On every position of the twelve edges a cell's rule reads (3^12 of them): cellOutlook
// tells exactly whether the rule of a 0, 1, 2 or 3 run in full decides something (or finds
// a contradiction), for a cell without clue at least whenever it does, and if not, whether
// it settles the cell; and the rule as the pass runs it (no observer: what cellOutlook
// passes over is not run) leaves the same result, board and log.
TEST(CellOutlook, TellsWhatTheRuleWouldDo) {
    constexpr int kX = 4;
    constexpr int kY = 4;
    const int offsets[12][2] = {{0, -1}, {0, 1},  {-1, 0}, {1, 0}, {-1, -2}, {-2, -1},
                                {-1, 2}, {-2, 1}, {1, 2},  {2, 1}, {1, -2},  {2, -1}};
    for (const char clue : {' ', '0', '1', '2', '3'}) {
        TestState t;
        loadWorkPicture(
            *t, {"+ + + +", "", "+ + + +", std::string("   ") + clue, "+ + + +", "", "+ + + +"});
        Board& wb = *t->workBoard;
        const uint8_t cellByte = wb.at(kX, kY);
        const auto run = [&](RuleObserver* observer) {
            t->ruleObserver = observer;
            Outcome out{basicCellRule(*t, kX, kY), {}, loggedEntries(*t)};
            for (size_t i = 0; i < 12; ++i) {
                out.bytes[i] = wb.at(kX + offsets[i][0], kY + offsets[i][1]);
            }
            out.bytes[12] = wb.at(kX, kY);
            t->ruleObserver = nullptr;
            return out;
        };
        Listener listener;
        for (int n = 0; n < 531441; ++n) {
            const auto set = [&] {
                int digits = n;
                for (size_t i = 0; i < 12; ++i, digits /= 3) {
                    constexpr uint8_t kValue[3] = {kUndecided, kCross, kLine};
                    // Colour marks on the edges, which the rules do not read, vary too.
                    constexpr uint8_t kMark[3] = {0, kInside, kOutside};
                    wb.at(kX + offsets[i][0], kY + offsets[i][1]) =
                        kValue[digits % 3] | kMark[(static_cast<size_t>(n) + i) % 3];
                }
                wb.at(kX, kY) = cellByte;
                resetMoveLog(wb);
                wb.queue.resetAt(0);
            };
            set();
            wb.at(kX, kY) = cellByte | kSettled;
            ASSERT_EQ(cellOutlook(&wb.at(kX, kY)), 0) << "clue " << clue << ", position " << n;
            wb.at(kX, kY) = cellByte;
            const int outlook = cellOutlook(&wb.at(kX, kY));
            const Outcome full = run(&listener);
            const bool decides = full.result != RuleResult::kUnchanged || !full.logged.empty();
            const bool settles = (full.bytes[12] & kSettled) != 0;
            if (decides || clue != ' ') {
                ASSERT_EQ((outlook & 1) != 0, decides) << "clue " << clue << ", position " << n;
            }
            if ((outlook & 1) == 0) {
                ASSERT_EQ((outlook & 2) != 0, settles) << "clue " << clue << ", position " << n;
            }
            set();
            ASSERT_EQ(run(nullptr), full) << "clue " << clue << ", position " << n;
        }
    }
}

}  // namespace
}  // namespace vexilo
