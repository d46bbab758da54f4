// The solver over real puzzles: Level 2 and the full solve never decide an edge against
// the known solution, and leave exactly the counters and positions of a reference
// solve made independently from the same rules.
#include <gtest/gtest.h>

#include <sstream>

#include "files/open_save.h"
#include "loading/puzzle_loading.h"
#include "model/lattice_picture.h"
#include "solver/answer_check.h"
#include "solver/solve_commands.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::readTestData;
using testing::splitLines;
using testing::TestState;

struct Reference {
    std::string file;  // set/name.ALC under tests/data/corpus
    std::string result;
    int rating = -1;
    int trialPasses = 0;
    int effortScore = 0;
    int ruleUsage = 0;
    int effortBeforeTrials = 0;
    std::vector<std::string> picture;
};

// Records of "set/name.ALC result rating trialPasses effortScore ruleUsage
// effortBeforeTrials" followed by the picture's lines; '#' lines are comments.
std::vector<Reference> readReferences(const std::string& name) {
    std::vector<Reference> refs;
    for (const std::string& line : splitLines(readTestData("corpus/" + name))) {
        if (line.empty() || line[0] == '#') continue;
        if (line.find(".ALC ") == std::string::npos) {
            refs.back().picture.push_back(line);
            continue;
        }
        Reference r;
        std::istringstream in(line);
        std::string rating;
        in >> r.file >> r.result >> rating >> r.trialPasses >> r.effortScore >> r.ruleUsage >>
            r.effortBeforeTrials;
        r.rating = rating == "-" ? -1 : std::stoi(rating);
        refs.push_back(r);
    }
    return refs;
}

std::string corpusPath(const std::string& file) {
    return std::string(VEXILO_TEST_DATA) + "/corpus/" + file;
}

const char* judge(PuzzleState& s, bool consistent) {
    if (!consistent) return "contradiction";
    switch (checkAnswer(s, *s.workBoard)) {
        case AnswerResult::kCorrect:
            return "solved";
        case AnswerResult::kOpen:
            return "stuck";
        default:
            return "contradiction";
    }
}

// Loads a puzzle and solves it as the commands do; false when the solve met a contradiction.
bool loadAndSolve(PuzzleState& s, const std::string& file, SolveLevel level) {
    if (!openPuzzleFile(s, corpusPath(file), WriteBack::kNone)) {
        ADD_FAILURE() << file << " did not load";
        return false;
    }
    if (level == kLevelFull) return solveAndRate(s) != SolveOutcome::kContradiction;
    return solveAtLevel(s, level) == LevelResult::kAtRest;
}

// How many decided edges of workBoard disagree with the solution picture.
int wrongEdges(PuzzleState& s, const std::string& file) {
    const std::string sol = file.substr(0, file.size() - 4) + ".sol";
    std::vector<PictureEdge> edges;
    std::string error;
    EXPECT_TRUE(
        readPictureEdges(splitLines(readTestData("corpus/" + sol)), s.W(), s.H(), edges, error))
        << sol << ": " << error;
    int wrong = 0;
    for (const auto& e : edges) {
        const int v = s.workBoard->at(e.x, e.y) & 7;
        if (v != kUndecided && v != e.value) ++wrong;
    }
    // The solution names every edge; an edge it leaves out would go unchecked.
    EXPECT_EQ(edges.size(), static_cast<size_t>(s.W() * (s.H() + 1) + s.H() * (s.W() + 1))) << sol;
    return wrong;
}

void checkAgainstReferences(const char* name, SolveLevel level) {
    TestState t;
    const std::vector<Reference> refs = readReferences(name);
    ASSERT_GE(refs.size(), 100u);
    for (const Reference& ref : refs) {
        SCOPED_TRACE(ref.file);
        const bool r = loadAndSolve(*t, ref.file, level);
        EXPECT_TRUE(r);
        EXPECT_EQ(wrongEdges(*t, ref.file), 0);
        EXPECT_EQ(judge(*t, r), ref.result);
        EXPECT_EQ(level == kLevelFull && r ? t->difficulty.stored - 10000 : -1, ref.rating);
        EXPECT_EQ(t->trialPasses, ref.trialPasses);
        EXPECT_EQ(t->effortScore, ref.effortScore);
        EXPECT_EQ(t->ruleUsage, ref.ruleUsage);
        EXPECT_EQ(t->effortBeforeTrials, ref.effortBeforeTrials);
        EXPECT_EQ(latticePicture(*t, *t->workBoard), ref.picture);
    }
}

TEST(Corpus, LevelTwoIsSoundAndMatchesTheReference) {
    checkAgainstReferences("expected-2.txt", kLevel2);
}

TEST(Corpus, FullSolveIsSoundAndMatchesTheReference) {
    checkAgainstReferences("expected-full.txt", kLevelFull);
}

}  // namespace
}  // namespace vexilo
