// Level0 and Level1 on real puzzles with known unique answers (three collections, sizes
// 4 x 4 to 30 x 30, solved and stuck at either level): every edge the solver decides must
// agree with the answer, and the position and the rating counters must be those of an
// independent model of the solver.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "files/open_save.h"
#include "loading/puzzle_loading.h"
#include "model/lattice_picture.h"
#include "solver/solve_levels.h"
#include "support/test_support.h"
#include "work_board.h"

namespace vexilo {
namespace {

using testing::readTestData;
using testing::splitLines;
using testing::TestState;
using testing::trimmed;

struct Expected {
    std::string result;
    int effortScore = 0;
    int ruleUsage = 0;
    std::vector<std::string> picture;
};

// expected_levels.txt: a line "name level result effortScore ruleUsage", then the picture.
std::map<std::pair<std::string, int>, Expected> readExpected() {
    std::map<std::pair<std::string, int>, Expected> out;
    const auto lines = splitLines(readTestData("solver/expected_levels.txt"));
    size_t i = 0;
    while (i < lines.size()) {
        if (lines[i].empty() || lines[i][0] == '#') {
            ++i;
            continue;
        }
        std::istringstream head(lines[i++]);
        std::string name;
        int level = 0;
        Expected e;
        head >> name >> level >> e.result >> e.effortScore >> e.ruleUsage;
        // Picture lines start with a dot or the edge at the left border; names with a letter.
        while (i < lines.size() && !lines[i].empty() &&
               std::string("+ x|").find(lines[i][0]) != std::string::npos) {
            e.picture.push_back(lines[i++]);
        }
        out[{name, level}] = e;
    }
    return out;
}

struct Outcome {
    int wrong = 0;
    int undecided = 0;
};

Outcome compareWithAnswer(const PuzzleState& s, const std::vector<std::string>& answer) {
    Outcome o;
    for (int y = 1; y <= 2 * s.H() + 1; ++y) {
        for (int x = 1; x <= 2 * s.W() + 1; ++x) {
            if (!isEdge(x, y)) continue;
            const int key = s.workBoard->at(x, y) & 7;
            const std::string& row = answer[static_cast<size_t>(y - 1)];
            const char c =
                static_cast<size_t>(x) <= row.size() ? row[static_cast<size_t>(x - 1)] : ' ';
            const int want = c == 'x' ? kCross : (c == '-' || c == '|') ? kLine : kUndecided;
            if (key == kUndecided) {
                ++o.undecided;
            } else if (key != want) {
                ++o.wrong;
            }
        }
    }
    return o;
}

TEST(CorpusLevels, DecisionsAgreeWithTheAnswerAndTheIndependentModel) {
    const auto expected = readExpected();
    const auto names = splitLines(readTestData("solver/corpus.txt"));
    ASSERT_GE(names.size(), 20u);
    int solved[2] = {0, 0};
    for (const std::string& name : names) {
        const auto answer = splitLines(readTestData(testing::corpusFile(name + ".sol")));
        for (int level = 0; level <= 1; ++level) {
            SCOPED_TRACE(name + " Level" + std::to_string(level));
            TestState t;
            ASSERT_TRUE(openPuzzleFile(
                *t, std::string(VEXILO_TEST_DATA) + "/" + testing::corpusFile(name + ".ALC"), WriteBack::kNone));
            const bool r = level == 0 ? solveLevel0(*t) : solveLevel1(*t);
            ASSERT_TRUE(r);
            const Outcome o = compareWithAnswer(*t, answer);
            EXPECT_EQ(o.wrong, 0);
            if (o.undecided == 0) ++solved[level];

            const auto it = expected.find({name, level});
            ASSERT_NE(it, expected.end());
            const Expected& e = it->second;
            EXPECT_EQ(o.undecided == 0 ? "solved" : "stuck", e.result);
            EXPECT_EQ(t->effortScore, e.effortScore);
            EXPECT_EQ(t->ruleUsage, e.ruleUsage);
            EXPECT_EQ(trimmed(latticePicture(*t, *t->workBoard)), trimmed(e.picture));
        }
    }
    // The collection holds puzzles that each level solves and puzzles it does not.
    EXPECT_GT(solved[0], 0);
    EXPECT_LT(solved[0], solved[1]);
    EXPECT_LT(solved[1], static_cast<int>(names.size()));
}

}  // namespace
}  // namespace vexilo
