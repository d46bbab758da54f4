#include "model/path_ends.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace vexilo {
namespace {

constexpr int kSteps[4] = {-1, 1, -kLatticeSide, kLatticeSide};

int linesAt(const std::vector<uint8_t>& lattice, int dot) {
    int lines = 0;
    for (int step : kSteps) lines += lattice[static_cast<size_t>(dot + step)] == kLine ? 1 : 0;
    return lines;
}

// From `dot` along its line `step`, dot by dot, to the first dot without two lines, or
// back to `dot` round a loop.
int walkFrom(const std::vector<uint8_t>& lattice, int dot, int step) {
    int previous = dot;
    int at = dot + 2 * step;
    while (at != dot && linesAt(lattice, at) == 2) {
        for (int onward : kSteps) {
            if (lattice[static_cast<size_t>(at + onward)] == kLine && at + 2 * onward != previous) {
                previous = at;
                at += 2 * onward;
                break;
            }
        }
    }
    return at;
}

// The ends reached along each line of `dot`.
std::vector<int> walkedEnds(const std::vector<uint8_t>& lattice, int dot) {
    std::vector<int> found;
    for (int step : kSteps) {
        if (lattice[static_cast<size_t>(dot + step)] == kLine)
            found.push_back(walkFrom(lattice, dot, step));
    }
    return found;
}

// Random lines set and taken back (newest first, a few at a time) on small boards, some standing
// before the ends are first learnt: after every change the kept ends are those of a walk along the
// path, and the newest line names the two ends of its path.
TEST(PathEnds, KeptEndsAreThoseOfAWalkAfterLinesAreSetAndTakenBack) {
    std::vector<uint8_t> lattice(kLatticeBytes);
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 rng(seed);
        const int w = 1 + static_cast<int>(rng() % 6);
        const int h = 1 + static_cast<int>(rng() % 6);
        std::fill(lattice.begin(), lattice.end(), uint8_t{0});
        std::vector<int> edges;
        std::vector<int> dots;
        for (int y = 1; y <= 2 * h + 1; ++y) {
            for (int x = 1; x <= 2 * w + 1; ++x) {
                if ((x + y) % 2 == 1) edges.push_back(latticeIndex(x, y));
                if (x % 2 == 1 && y % 2 == 1) dots.push_back(latticeIndex(x, y));
            }
        }
        const auto randomUndecided = [&]() {
            for (int tries = 0; tries < 20; ++tries) {
                const int edge = edges[rng() % edges.size()];
                if (lattice[static_cast<size_t>(edge)] == 0) return edge;
            }
            return -1;
        };
        for (int i = static_cast<int>(rng() % 4); i > 0; --i) {
            const int edge = randomUndecided();
            if (edge >= 0) lattice[static_cast<size_t>(edge)] = kLine;
        }
        PathEnds ends;
        ends.start(lattice.data(), w, h);
        std::vector<int> standing;
        for (int change = 0; change < 200; ++change) {
            const bool setOne = standing.empty() || rng() % 5 < 3;
            const int edge = setOne ? randomUndecided() : standing.back();
            if (edge < 0) continue;
            if (setOne) {
                lattice[static_cast<size_t>(edge)] = kLine;
                ends.lineSet(lattice.data(), edge);
                standing.push_back(edge);
            } else {
                // One to three of the newest lines at once.
                const size_t back = 1 + rng() % std::min<size_t>(3, standing.size());
                for (size_t i = 0; i < back; ++i) {
                    lattice[static_cast<size_t>(standing.back())] = 0;
                    standing.pop_back();
                }
                ends.linesTakenBack(back);
            }
            bool branch = false;
            for (int dot : dots) branch |= linesAt(lattice, dot) > 2;
            ASSERT_EQ(ends.known(), !branch) << "seed " << seed << " change " << change;
            if (branch) continue;
            for (int dot : dots) {
                if (linesAt(lattice, dot) != 1) continue;
                ASSERT_EQ(ends.otherEnd(dot), walkedEnds(lattice, dot)[0])
                    << "seed " << seed << " change " << change << " dot " << dot;
            }
            if (!setOne) continue;
            // The newest line's path: its ends by a walk from the line's first dot.
            const int a = edge - (edge % 2 != 0 ? kLatticeSide : 1);
            std::vector<int> path = walkedEnds(lattice, a);
            if (path.size() == 1) path.push_back(a);
            const PathEnds::Joined joined = ends.joinedBy(1);
            if (path[0] == a) {
                EXPECT_EQ(joined.a, -1) << "a loop closed: seed " << seed << " change " << change;
                continue;
            }
            EXPECT_TRUE((joined.a == path[0] && joined.b == path[1]) ||
                        (joined.a == path[1] && joined.b == path[0]))
                << "seed " << seed << " change " << change;
        }
    }
}

}  // namespace
}  // namespace vexilo
