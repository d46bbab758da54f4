// The complete solver against brute force: every loop of a board up to 4 x 4 is the
// outline of a set of cells, so enumerating the cell sets whose outline is one closed loop
// lists every answer; a puzzle's answers are the loops that satisfy its clues.
#include "complete/complete_solver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>

namespace vexilo::complete {
namespace {

// A loop as its set of line edges, in the solver's lattice (stride 2W + 3).
using EdgeSet = std::vector<uint8_t>;

struct Loops {
    int width;
    int height;
    std::vector<EdgeSet> loops;
};

int stride(int w) {
    return 2 * w + 3;
}

// The outline of `inside` as edges; empty when it is not one closed loop.
EdgeSet outlineLoop(int w, int h, unsigned inside) {
    const int s = stride(w);
    EdgeSet edges(static_cast<size_t>(s * (2 * h + 3)), 0);
    auto in = [&](int c, int r) {
        return c >= 0 && r >= 0 && c < w && r < h && (inside >> (r * w + c) & 1u) != 0;
    };
    int count = 0;
    int start = -1;
    for (int r = 0; r <= h; ++r) {
        for (int c = 0; c <= w; ++c) {
            if (c < w && in(c, r - 1) != in(c, r)) {  // the top edge of cell (c, r)
                start = (2 * r + 1) * s + 2 * c + 2;
                edges[start] = 1;
                ++count;
            }
            if (r < h && in(c - 1, r) != in(c, r)) {  // the left edge
                start = (2 * r + 2) * s + 2 * c + 1;
                edges[start] = 1;
                ++count;
            }
        }
    }
    if (count == 0) return {};
    // Every dot meets 0 or 2 lines, and a walk from one line passes all of them.
    for (int y = 1; y < 2 * h + 2; y += 2) {
        for (int x = 1; x < s - 1; x += 2) {
            const int p = y * s + x;
            const int degree = edges[p - 1] + edges[p + 1] + edges[p - s] + edges[p + s];
            if (degree != 0 && degree != 2) return {};
        }
    }
    const bool vertical = (start / s) % 2 == 0;
    int previous = start;
    int dot = start + (vertical ? s : 1);
    int walked = 1;
    while (true) {
        int next = -1;
        for (int step : {-1, 1, -s, s}) {
            if (edges[dot + step] && dot + step != previous) next = dot + step;
        }
        if (next == start) break;
        ++walked;
        previous = next;
        dot = 2 * next - dot;
    }
    return walked == count ? edges : EdgeSet{};
}

Loops allLoops(int w, int h) {
    Loops result{w, h, {}};
    for (unsigned inside = 1; inside < (1u << (w * h)); ++inside) {
        EdgeSet e = outlineLoop(w, h, inside);
        if (!e.empty()) result.loops.push_back(std::move(e));
    }
    return result;
}

bool satisfies(const LoopPuzzle& p, const EdgeSet& e) {
    const int s = stride(p.width);
    for (int r = 0; r < p.height; ++r) {
        for (int c = 0; c < p.width; ++c) {
            const int clue = p.clue(c, r);
            const int cell = (2 * r + 2) * s + 2 * c + 2;
            if (clue >= 0 && e[cell - 1] + e[cell + 1] + e[cell - s] + e[cell + s] != clue) {
                return false;
            }
        }
    }
    return true;
}

LoopPuzzle cluesOf(int w, int h, const EdgeSet& e) {
    LoopPuzzle p(w, h);
    const int s = stride(w);
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            const int cell = (2 * r + 2) * s + 2 * c + 2;
            const int lines = e[cell - 1] + e[cell + 1] + e[cell - s] + e[cell + s];
            p.setClue(c, r, lines < 4 ? static_cast<int8_t>(lines) : kNoClue);
        }
    }
    return p;
}

TEST(CompleteSolver, AgreesWithBruteForceOnRandomSmallPuzzles) {
    std::mt19937 random(20261208);
    CompleteSolver solver;  // one solver for every puzzle, as a generator uses it
    int seen[3] = {0, 0, 0};
    for (int w = 1; w <= 4; ++w) {
        for (int h = 1; h <= 4; ++h) {
            const Loops loops = allLoops(w, h);
            for (int round = 0; round < 150; ++round) {
                LoopPuzzle p = cluesOf(w, h, loops.loops[random() % loops.loops.size()]);
                const int blankPercent = std::array{0, 30, 60, 85, 100}[round % 5];
                for (auto& clue : p.clues) {
                    if (static_cast<int>(random() % 100) < blankPercent) clue = kNoClue;
                }
                if (round % 7 == 3) p.clues[random() % p.clues.size()] = random() % 4;
                std::vector<const EdgeSet*> answers;
                for (const EdgeSet& e : loops.loops) {
                    if (satisfies(p, e)) answers.push_back(&e);
                }
                const CompleteResult r = solver.solve(p);
                const int expected = std::min<int>(static_cast<int>(answers.size()), 2);
                ASSERT_EQ(r.solutions, expected)
                    << w << "x" << h << " round " << round << " clues " << [&] {
                           std::string t;
                           for (auto c : p.clues) t += c < 0 ? '-' : char('0' + c);
                           return t;
                       }();
                ++seen[expected];
                if (expected >= 1) {
                    EXPECT_TRUE(satisfies(p, r.first.line));
                    bool listed = false;
                    for (const EdgeSet* e : answers) listed = listed || *e == r.first.line;
                    EXPECT_TRUE(listed) << w << "x" << h << " round " << round;
                }
                if (expected == 2) {
                    EXPECT_NE(r.first.line, r.second.line);
                    bool listed = false;
                    for (const EdgeSet* e : answers) listed = listed || *e == r.second.line;
                    EXPECT_TRUE(listed) << w << "x" << h << " round " << round;
                }
            }
        }
    }
    // The draw covers all three answers.
    EXPECT_GT(seen[0], 50);
    EXPECT_GT(seen[1], 200);
    EXPECT_GT(seen[2], 200);
}

TEST(CompleteSolver, ACancelStopsTheSearchAndTheSolverStaysUsable) {
    const LoopPuzzle blank(12, 12);  // no clue: many answers, found only by searching
    CompleteSolver solver;
    std::atomic<bool> cancel{true};
    solver.setCancelFlag(&cancel);
    const CompleteResult stopped = solver.solve(blank);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_LT(stopped.solutions, 2);
    cancel = false;
    const CompleteResult whole = solver.solve(blank);
    EXPECT_FALSE(whole.stopped);
    EXPECT_EQ(whole.solutions, 2);
}

}  // namespace
}  // namespace vexilo::complete
