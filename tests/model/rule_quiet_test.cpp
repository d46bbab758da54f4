#include "model/rule_quiet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <random>

namespace vexilo {
namespace {

// The marks around edge (x, y), one by one: its two end dots and the six cells whose groups
// hold it.
void wakeOneByOne(RuleQuiet& quiet, int x, int y) {
    const auto clear = [&](std::array<uint8_t, RuleQuiet::kSlots>& marks, int px, int py) {
        marks[static_cast<size_t>(RuleQuiet::slot(px, py))] = 0;
    };
    const bool vertical = (x & 1) != 0;
    for (int along = -2; along <= 2; along += 2) {
        for (int side = -1; side <= 1; side += 2) {
            if (vertical) {
                clear(quiet.cell, x + side, y + along);
            } else {
                clear(quiet.cell, x + along, y + side);
            }
        }
    }
    for (int end = -1; end <= 1; end += 2) {
        if (vertical) {
            clear(quiet.dot, x, y + end);
        } else {
            clear(quiet.dot, x + end, y);
        }
    }
}

// Random edges of boards up to the largest: wakeEdge clears the marks around the edge and no
// others, among random marks around the edge and anywhere else.
TEST(RuleQuiet, TheUnbranchedWakeClearsWhatWakeEdgeClears) {
    auto plain = std::make_unique<RuleQuiet>();
    auto unbranched = std::make_unique<RuleQuiet>();
    std::memset(plain.get(), 0x5A, sizeof(RuleQuiet));
    std::memset(unbranched.get(), 0x5A, sizeof(RuleQuiet));
    std::mt19937 rng(11);
    for (int round = 0; round < 4000; ++round) {
        // An edge of a puzzle of up to kMaxCells cells a side: (even, odd) or (odd, even).
        int x = 1 + static_cast<int>(rng() % (2 * kMaxCells + 1));
        int y = 2 + static_cast<int>(rng() % (2 * kMaxCells - 1));
        if (rng() % 2 == 0) std::swap(x, y);
        if ((x + y) % 2 == 0) ++y;
        // Random marks on the slots around it, the same in both.
        const int at = RuleQuiet::slot(x, y);
        for (int row = -2; row <= 2; ++row) {
            for (int column = -3; column <= 3; ++column) {
                const int around = at + row * RuleQuiet::kRow + column;
                if (around < 0) continue;
                const auto slot = static_cast<size_t>(around);
                const auto cell = static_cast<uint8_t>(rng() | 1);
                const auto dot = static_cast<uint8_t>(rng() | 1);
                plain->cell[slot] = unbranched->cell[slot] = cell;
                plain->dot[slot] = unbranched->dot[slot] = dot;
            }
        }
        wakeOneByOne(*plain, x, y);
        unbranched->wakeEdge(static_cast<size_t>(x), static_cast<size_t>(y));
        for (int row = -2; row <= 2; ++row) {
            const int first = std::max(0, at + row * RuleQuiet::kRow - 3);
            const auto slot = static_cast<size_t>(first);
            ASSERT_EQ(std::memcmp(&plain->cell[slot], &unbranched->cell[slot], 7), 0);
            ASSERT_EQ(std::memcmp(&plain->dot[slot], &unbranched->dot[slot], 7), 0);
        }
        // The whole of both now and then: marks cleared far away stay cleared.
        if (round % 8 == 0) {
            ASSERT_EQ(std::memcmp(plain.get(), unbranched.get(), sizeof(RuleQuiet)), 0)
                << "edge " << x << ", " << y;
        }
    }
}

}  // namespace
}  // namespace vexilo
