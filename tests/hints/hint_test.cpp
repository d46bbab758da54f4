// Hints on corpus puzzles: accepting hint after hint solves a puzzle with every hinted edge
// true to its answer and every rule level met on the way; a planted mistake is found at the
// first wrong edge; solved positions and puzzles without one answer are told as such.
#include "hints/hint.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <random>

#include "complete/complete_solver.h"
#include "complete/loop_pictures.h"
#include "files/open_save.h"
#include "hints/next_deduction.h"
#include "loading/puzzle_loading.h"
#include "model/move_log.h"
#include "model/rebuild.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::corpusFile;
using testing::TestState;

struct Edge {
    int x, y, value;
};

// Opens a corpus puzzle and returns its edges as the answer has them, in scan order.
std::vector<Edge> openWithAnswer(PuzzleState& s, const std::string& name) {
    s.drawEnabled = 0;
    openPuzzleFile(s, std::string(VEXILO_TEST_DATA) + "/" + corpusFile(name), WriteBack::kNone);
    const auto result = complete::CompleteSolver().solve(complete::loopPuzzleOf(s));
    EXPECT_EQ(result.solutions, 1) << name;
    std::vector<Edge> edges;
    for (int y = 1; y <= 2 * s.H() + 1; ++y) {
        for (int x = 1 + (y % 2); x <= 2 * s.W() + 1; x += 2) {
            edges.push_back({x, y, result.first.isLine(x, y) ? kLine : kCross});
        }
    }
    return edges;
}

void draw(PuzzleState& s, int x, int y, int value) {
    appendEntry(*s.mainBoard, moveEntry(x, y, value), s.frontend);
    rebuildBoard(s, *s.mainBoard, *s.mainBoard);
}

TEST(Hints, AcceptingHintsSolvesWithTrueEdgesAndEveryRuleLevel) {
    std::map<std::string, int> rules;
    std::map<std::string, int> levels;
    std::mt19937 random(14);
    for (const char* name :
         {"easy-5x5-01.ALC", "janko-10x10-1165.ALC", "janko-4x4-6.ALC", "hard-10x10-01.ALC"}) {
        TestState s;
        const std::vector<Edge> answer = openWithAnswer(*s, name);
        std::map<int, int> wanted;
        for (const Edge& e : answer) wanted[moveEntry(e.x, e.y, 0)] = e.value;
        // A few true edges drawn at random first, so the walk starts from a player's position.
        for (int i = 0; i < 3; ++i) {
            const Edge& e = answer[random() % answer.size()];
            draw(*s, e.x, e.y, e.value);
        }
        for (std::size_t step = 0;; ++step) {
            ASSERT_LE(step, answer.size()) << name;
            const Hint h = findHint(*s);
            if (h.kind == HintKind::kSolved) break;
            ASSERT_EQ(h.kind, HintKind::kDeduction) << name << " " << h.text;
            ASSERT_EQ(h.value, wanted[moveEntry(h.x, h.y, 0)]) << name << " " << h.rule;
            ASSERT_EQ(s->mainBoard->at(h.x, h.y) & kKeyMask, kUndecided);
            ASSERT_FALSE(h.text.empty());
            ++rules[h.rule];
            ++levels[h.level];
            draw(*s, h.x, h.y, h.value);
        }
    }
    for (const char* rule : {"zero", "cell-full", "dot-full", "sub-loop", "inside-outside"}) {
        EXPECT_GT(rules[rule], 0) << rule;
    }
    for (const char* level : {"start", "basic", "sub-loop", "advanced", "trial"}) {
        EXPECT_GT(levels[level], 0) << level;
    }
}

TEST(Hints, PlantedMistakeIsTheFirstWrongEdge) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        TestState s;
        const std::vector<Edge> answer = openWithAnswer(*s, "easy-10x10-01.ALC");
        std::size_t first = answer.size();
        for (std::size_t i = 0; i < answer.size(); ++i) {
            const int pick = static_cast<int>(random() % 10);
            if (pick >= 4) continue;
            const bool wrong = pick == 0;
            if (wrong) first = std::min(first, i);
            const Edge& e = answer[i];
            appendEntry(*s->mainBoard, moveEntry(e.x, e.y, wrong ? 5 - e.value : e.value),
                        s->frontend);
        }
        rebuildBoard(*s, *s->mainBoard, *s->mainBoard);
        const Hint h = findHint(*s);
        if (first == answer.size()) {
            EXPECT_EQ(h.kind, HintKind::kDeduction);
            continue;
        }
        EXPECT_EQ(h.kind, HintKind::kMistake);
        EXPECT_EQ(h.x, answer[first].x);
        EXPECT_EQ(h.y, answer[first].y);
        EXPECT_EQ(h.text, "ここが間違っています。");
    }
}

TEST(Hints, SolvedWhenEveryLineIsDrawn) {
    TestState s;
    for (const Edge& e : openWithAnswer(*s, "easy-5x5-02.ALC")) {
        if (e.value == kLine) appendEntry(*s->mainBoard, moveEntry(e.x, e.y, e.value), s->frontend);
    }
    rebuildBoard(*s, *s->mainBoard, *s->mainBoard);
    const Hint h = findHint(*s);
    EXPECT_EQ(h.kind, HintKind::kSolved);
    EXPECT_EQ(h.text, "もう解けています。");
}

// The answer is kept from one hint to the next, for the puzzle it was searched for only.
TEST(Hints, KeptAnswerServesOnlyItsOwnClues) {
    TestState s;
    openWithAnswer(*s, "easy-5x5-01.ALC");
    EXPECT_EQ(findHint(*s).kind, HintKind::kDeduction);
    testing::setClues(*s, {"-----", "-----", "-----", "-----", "-----"});
    EXPECT_EQ(findHint(*s).kind, HintKind::kSeveralSolutions);
    openWithAnswer(*s, "easy-5x5-01.ALC");
    EXPECT_EQ(findHint(*s).kind, HintKind::kDeduction);
}

TEST(Hints, PuzzlesWithoutOneAnswerSaySo) {
    TestState s;
    testing::setClues(*s, {"--", "--"});
    EXPECT_EQ(findHint(*s).kind, HintKind::kSeveralSolutions);
    testing::setClues(*s, {"0"});
    EXPECT_EQ(findHint(*s).kind, HintKind::kNoSolution);
    EXPECT_STREQ(hintKindName(findHint(*s).kind), "no-solution");
}

TEST(Hints, ACancelledSearchGivesNoHint) {
    TestState s;
    testing::setClues(*s, {"--", "--"});
    std::atomic<bool> cancel{true};
    EXPECT_FALSE(findHint(*s, cancel).has_value());
    cancel = false;
    EXPECT_EQ(findHint(*s, cancel).value().kind, HintKind::kSeveralSolutions);
}

// The scratch solve of the next deduction stops at its first decided edge once cancelled; the
// player's position is left as it was, and the next search starts afresh.
TEST(Hints, ACancelledScratchSolveGivesNoDeduction) {
    TestState s;
    const std::vector<Edge> answer = openWithAnswer(*s, "hard-10x10-01.ALC");
    for (std::size_t i = 0; i < answer.size(); i += 5)
        draw(*s, answer[i].x, answer[i].y, answer[i].value);
    const Board& b = *s->mainBoard;
    const std::vector<int32_t> log(b.moveLog.begin(), b.moveLog.begin() + b.writePos);
    std::vector<uint8_t> lattice;
    for (const Edge& e : answer) lattice.push_back(b.at(e.x, e.y));
    const Deduction wanted = nextDeduction(*s);
    ASSERT_NE(wanted.x, 0);

    const std::atomic<bool> cancel{true};
    EXPECT_FALSE(nextDeduction(*s, cancel).has_value());
    EXPECT_EQ(std::vector<int32_t>(b.moveLog.begin(), b.moveLog.begin() + b.writePos), log);
    for (std::size_t i = 0; i < answer.size(); ++i) {
        EXPECT_EQ(b.at(answer[i].x, answer[i].y), lattice[i]);
    }
    const Deduction again = nextDeduction(*s);
    EXPECT_EQ(again.x, wanted.x);
    EXPECT_EQ(again.y, wanted.y);
    EXPECT_EQ(again.value, wanted.value);
}

}  // namespace
}  // namespace vexilo
