#include "solver/plane_faces.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "model/zeroed_block.h"

namespace vexilo {
namespace {

// The faces tell whether taking an edge out splits its component: compared with a search
// over the dots, on random boards, for edges taken out at rest from pass to pass and for
// the edges of random steps in between, each step forgetting the last one's.
TEST(PlaneFaces, SplitsAgreeWithASearch) {
    std::mt19937 random(5);
    auto faces = allocateZeroed<PlaneFaces>();
    for (int round = 0; round < 200; ++round) {
        const int w = 1 + static_cast<int>(random() % 12);
        const int h = 1 + static_cast<int>(random() % 12);
        std::vector<int> edges;
        for (int y = 1; y <= 2 * h + 1; ++y) {
            for (int x = 1 + (y % 2); x <= 2 * w + 1; x += 2) edges.push_back(latticeIndex(x, y));
        }
        std::vector<char> out(static_cast<size_t>(latticeIndex(0, 2 * h + 3)), 0);
        // Is `to` reachable from `from` over the edges not taken out?
        const auto joined = [&](int from, int to) {
            std::vector<char> seen(out.size(), 0);
            std::vector<int> stack{from};
            seen[static_cast<size_t>(from)] = 1;
            while (!stack.empty()) {
                const int dot = stack.back();
                stack.pop_back();
                for (int step : {1, -1, kLatticeSide, -kLatticeSide}) {
                    const int edge = dot + step;
                    const int x = edge % kLatticeSide;
                    const int y = edge / kLatticeSide;
                    if (x < 1 || x > 2 * w + 1 || y < 1 || y > 2 * h + 1) continue;
                    if (out[static_cast<size_t>(edge)] != 0 ||
                        seen[static_cast<size_t>(edge + step)]) {
                        continue;
                    }
                    seen[static_cast<size_t>(edge + step)] = 1;
                    stack.push_back(edge + step);
                }
            }
            return seen[static_cast<size_t>(to)] != 0;
        };
        // Takes an edge out, as the naive search sees it: true when that split its ends.
        const auto takeOut = [&](int edge) {
            out[static_cast<size_t>(edge)] = 1;
            const int across = (edge & 1) != 0 ? kLatticeSide : 1;
            return !joined(edge - across, edge + across);
        };
        const unsigned share = random() % 60;
        for (int edge : edges) {
            if (random() % 100 < share) out[static_cast<size_t>(edge)] = 1;
        }
        faces->learn(w, h, [&](int edge) { return out[static_cast<size_t>(edge)] != 0; });
        for (int pass = 0; pass < 4; ++pass) {
            for (int step = 0; step < 3; ++step) {
                const std::vector<char> rest = out;
                faces->newStep();
                for (int edge : edges) {
                    if (out[static_cast<size_t>(edge)] != 0 || random() % 4 != 0) continue;
                    SCOPED_TRACE(::testing::Message() << round << "/" << pass << "/" << step);
                    EXPECT_EQ(faces->takeOutInStep(edge), takeOut(edge));
                }
                out = rest;
            }
            for (int edge : edges) {
                if (out[static_cast<size_t>(edge)] != 0 || random() % 8 != 0) continue;
                EXPECT_EQ(faces->takeOutAtRest(edge), takeOut(edge));
            }
        }
    }
}

}  // namespace
}  // namespace vexilo
