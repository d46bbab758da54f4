// The complete solver on real puzzles: each has exactly one answer, the one in its .sol
// file (janko-10x10-1165's is the loop around one cell); without one of its clues a
// puzzle may gain answers, and every answer found is a true one.
#include <gtest/gtest.h>

#include <filesystem>

#include "complete/complete_solver.h"
#include "complete/loop_pictures.h"
#include "files/open_save.h"
#include "loading/puzzle_loading.h"
#include "support/test_support.h"

namespace vexilo::complete {
namespace {

using vexilo::testing::readTestData;
using vexilo::testing::splitLines;
using vexilo::testing::TestState;

LoopPuzzle readPuzzle(const std::string& path) {
    TestState s;
    openPuzzleFile(*s, path, WriteBack::kNone);
    return loopPuzzleOf(*s);
}

// True when the answer is one closed loop that satisfies every clue of the puzzle.
bool isAnswer(const LoopPuzzle& p, const LoopSolution& a) {
    const int s = 2 * p.width + 3;
    int lines = 0;
    int start = -1;
    for (int y = 1; y <= 2 * p.height + 1; ++y) {
        for (int x = 1; x <= 2 * p.width + 1; ++x) {
            const int i = y * s + x;
            const int around = a.line[i - 1] + a.line[i + 1] + a.line[i - s] + a.line[i + s];
            if (x % 2 == 1 && y % 2 == 1 && around != 0 && around != 2) return false;
            if (x % 2 == 0 && y % 2 == 0 && p.clue(x / 2 - 1, y / 2 - 1) >= 0 &&
                around != p.clue(x / 2 - 1, y / 2 - 1)) {
                return false;
            }
            if ((x + y) % 2 == 1 && a.line[i]) {
                ++lines;
                start = i;
            }
        }
    }
    if (lines == 0) return false;
    int walked = 1;
    int previous = start;
    int dot = start + ((start / s) % 2 == 0 ? s : 1);
    for (;;) {
        int next = -1;
        for (int step : {-1, 1, -s, s}) {
            if (a.line[dot + step] && dot + step != previous) next = dot + step;
        }
        if (next == start) break;
        ++walked;
        previous = next;
        dot = 2 * next - dot;
    }
    return walked == lines;
}

std::vector<std::string> corpusPuzzles() {
    std::vector<std::string> files;
    for (const char* set : {"loopy", "ploop", "janko"}) {
        const std::string folder = std::string(VEXILO_TEST_DATA) + "/corpus/" + set;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() == ".ALC") files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(CompleteCorpus, EveryPuzzleHasItsOneKnownAnswer) {
    CompleteSolver solver;
    const auto files = corpusPuzzles();
    ASSERT_GT(files.size(), 100u);
    for (const std::string& path : files) {
        const LoopPuzzle p = readPuzzle(path);
        const CompleteResult r = solver.solve(p);
        ASSERT_EQ(r.solutions, 1) << path;
        std::string solFile = path.substr(path.find("/corpus/") + 1);
        solFile.replace(solFile.size() - 4, 4, ".sol");
        EXPECT_EQ(solutionPicture(p, r.first), splitLines(readTestData(solFile))) << path;
    }
}

TEST(CompleteCorpus, ChangedCluesGiveTrueAnswersOnly) {
    CompleteSolver solver;
    const LoopPuzzle original =
        readPuzzle(std::string(VEXILO_TEST_DATA) + "/corpus/loopy/normal-10x10-01.ALC");
    int several = 0;
    int none = 0;
    for (size_t i = 0; i < original.clues.size(); ++i) {
        if (original.clues[i] < 0) continue;
        for (int8_t change : {kNoClue, static_cast<int8_t>((original.clues[i] + 1) % 4)}) {
            LoopPuzzle p = original;
            p.clues[i] = change;
            const CompleteResult r = solver.solve(p);
            if (r.solutions >= 1) {
                EXPECT_TRUE(isAnswer(p, r.first)) << i;
            }
            if (r.solutions == 2) {
                EXPECT_TRUE(isAnswer(p, r.second)) << i;
                EXPECT_NE(r.first.line, r.second.line) << i;
                EXPECT_NE(firstDifference(r.first, r.second).x, 0);
            }
            // Without a clue the old answer still fits; a changed clue rules it out.
            if (change == kNoClue) {
                EXPECT_GE(r.solutions, 1) << i;
            }
            several += r.solutions == 2;
            none += r.solutions == 0;
        }
    }
    EXPECT_GT(several, 0);
    EXPECT_GT(none, 0);
}

}  // namespace
}  // namespace vexilo::complete
