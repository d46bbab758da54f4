// The replay's net entries against a plain reading of the rule: scanning from the newest
// entry, an entry becomes live when its edge has none, cancels the live entry it equals
// (searching the list from its end), and is ignored otherwise.
#include <gtest/gtest.h>

#include <random>

#include "model/move_log.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

std::vector<int32_t> naiveNetEntries(const Board& board, int width, int height) {
    std::vector<int32_t> list = {kFirstMarker};
    std::vector<bool> live(kLatticeBytes, false);
    for (int slot = board.writePos - 1; slot >= 0; --slot) {
        const int32_t e = board.moveLog[slot];
        if (e == kFirstMarker) break;
        if (isMarker(e)) continue;
        const int x = entryX(e);
        const int y = entryY(e);
        if (x > 2 * width + 1 || y > 2 * height + 1) continue;
        if (!live[latticeIndex(x, y)]) {
            live[latticeIndex(x, y)] = true;
            list.push_back(e);
            continue;
        }
        for (size_t i = list.size() - 1; i >= 1; --i) {
            if (list[i] == e) {
                list[i] = kTombstone;
                live[latticeIndex(x, y)] = false;
                break;
            }
        }
    }
    return list;
}

TEST(NetEntries, AgreeWithThePlainRuleOnRandomLogs) {
    testing::TestState t;
    std::mt19937 random(31337);
    for (int round = 0; round < 200; ++round) {
        const int width = 1 + static_cast<int>(random() % 6);
        const int height = 1 + static_cast<int>(random() % 6);
        t->puzzleWidth = width;
        t->puzzleHeight = height;
        Board& board = *t->mainBoard;
        resetMoveLog(board);
        // Few edges and many entries, so that entries cancel, revive and are ignored; now
        // and then a step marker and an entry naming a position beyond the puzzle.
        const int entries = static_cast<int>(random() % 120);
        for (int i = 0; i < entries; ++i) {
            const int r = static_cast<int>(random() % 40);
            if (r == 0) {
                openStep(board, t.frontend);
            } else if (r == 1) {
                appendEntry(board, moveEntry(2 * width + 3, 2, kLine), t.frontend);
            } else {
                const int x = 1 + static_cast<int>(random() % 3);
                const int y = 1 + static_cast<int>(random() % 3);
                if ((x + y) % 2 == 1) {
                    appendEntry(board, moveEntry(x, y, random() % 2 ? kLine : kCross), t.frontend);
                }
            }
        }
        const std::vector<int32_t> expected = naiveNetEntries(board, width, height);
        const int end = computeNetEntries(*t, board);
        ASSERT_EQ(end + 1, static_cast<int>(expected.size())) << "round " << round;
        for (int i = 0; i <= end; ++i) {
            ASSERT_EQ((*t->replayList)[i], expected[i]) << "round " << round << ", slot " << i;
        }
    }
}

}  // namespace
}  // namespace vexilo
