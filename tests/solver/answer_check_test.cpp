#include "solver/answer_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "files/native_file.h"
#include "loading/puzzle_loading.h"
#include "model/move_log.h"
#include "model/rebuild.h"
#include "solver/engine/edge_setting.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using Picture = std::vector<std::string>;
using testing::TestState;

// Draws a picture onto mainBoard's (empty) log and rebuilds.
void draw(PuzzleState& s, const Picture& picture) {
    resetMoveLog(*s.mainBoard);
    testing::appendPictureMoves(s, *s.mainBoard, picture);
    rebuildBoard(s, *s.mainBoard, *s.mainBoard);
}

struct Judgement {
    AnswerResult result;
    int errorX;
    int errorY;
};
bool operator==(const Judgement& a, const Judgement& b) {
    return a.result == b.result && a.errorX == b.errorX && a.errorY == b.errorY;
}
std::ostream& operator<<(std::ostream& out, const Judgement& j) {
    return out << "{" << static_cast<int>(j.result) << " at " << j.errorX << "," << j.errorY << "}";
}

Judgement judge(PuzzleState& s, const std::vector<std::string>& clues, const Picture& picture) {
    testing::setClues(s, clues);
    draw(s, picture);
    s.errorX = s.errorY = -1;
    const AnswerResult r = checkPosition(s, *s.mainBoard);
    return {r, s.errorX, s.errorY};
}

// Puzzles of the three sets with their unique solutions.
const char* const kSolvedPuzzles[] = {
    "easy-5x5-01",
    "hard-7x7-01",
    "tricky-20x20-01",
    "hard-30x30-01",
    "janko-24x14-152",
    "janko-18x10-1006",
    "janko-40x30-192",
    "ploop-5x5_hard-1013015",
    "ploop-25x30_hard-1295781",
};

class CorpusAnswers : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        const std::string name = GetParam();
        t->fileLines = testing::splitLines(testing::readTestData(testing::corpusFile(name + ".ALC")));
        ASSERT_TRUE(readNativeText(*t, name + ".ALC"));
        solution = testing::splitLines(testing::readTestData(testing::corpusFile(name + ".sol")));
        ASSERT_EQ(solution.size(), static_cast<size_t>(2 * t->H() + 1));
    }
    AnswerResult check(const Picture& picture) {
        draw(*t, picture);
        return checkPosition(*t, *t->mainBoard);
    }
    TestState t;
    Picture solution;
};

TEST_P(CorpusAnswers, TheSolutionIsCorrect) {
    t->errorX = t->errorY = 9;
    EXPECT_EQ(check(solution), AnswerResult::kCorrect);
    EXPECT_EQ(t->errorX, 0);
    EXPECT_EQ(t->errorY, 0);
}

TEST_P(CorpusAnswers, TheSolutionWithOneEdgeFlippedIsNotCorrect) {
    // The first and last edge and a few seeded random ones, lines and crosses alike.
    std::vector<std::pair<int, int>> edges = {{2, 1}, {2 * t->W() + 1, 2 * t->H()}};
    std::mt19937 random(std::strlen(GetParam()));
    while (edges.size() < 8) {
        const int x = 1 + static_cast<int>(random() % (2 * t->W() + 1));
        const int y = 1 + static_cast<int>(random() % (2 * t->H() + 1));
        if (isEdge(x, y)) edges.emplace_back(x, y);
    }
    for (auto [x, y] : edges) {
        Picture flipped = solution;
        char& c = flipped[y - 1][x - 1];
        const char before = c;
        c = (c == 'x') ? (isVerticalEdge(x, y) ? '|' : '-') : 'x';
        t->errorX = t->errorY = 0;
        EXPECT_NE(check(flipped), AnswerResult::kCorrect) << x << "," << y << " was " << before;
        // A flip leaves a dot with one or three lines, so a fault is pointed at.
        EXPECT_NE(t->errorX + t->errorY, 0) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(ThreeSets, CorpusAnswers, ::testing::ValuesIn(kSolvedPuzzles),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 if (c == '-') c = '_';
                             }
                             return name;
                         });

// A real puzzle whose answer is the loop around one blank cell: the judge takes a blank cell
// inside four lines for an unfinished position, so even the true answer counts as open.
TEST(SingleCellLoop, TheAnswerAroundOneBlankCellIsOpenAtThatCell) {
    TestState t;
    t->fileLines = testing::splitLines(testing::readTestData(testing::corpusFile("janko-10x10-1165.ALC")));
    ASSERT_TRUE(readNativeText(*t, "janko-10x10-1165.ALC"));
    draw(*t, testing::splitLines(testing::readTestData(testing::corpusFile("janko-10x10-1165.sol"))));
    EXPECT_EQ(checkPosition(*t, *t->mainBoard), AnswerResult::kOpen);
    EXPECT_EQ(t->errorX, 10);
    EXPECT_EQ(t->errorY, 7);
}

// Faults and their order. Pictures are lattice pictures: '+' dots, '-' and '|' lines,
// 'x' crosses, blanks undecided (taken as crosses by the check).

TEST(AnswerCheckOrder, AnEmptyBoardIsCorrectOnlyWithoutCluesAskingForLines) {
    TestState t;
    const Picture empty2x2 = {"+ + +", "     ", "+ + +", "     ", "+ + +"};
    EXPECT_EQ(judge(*t, {"00", "00"}, empty2x2), (Judgement{AnswerResult::kCorrect, 0, 0}));
    EXPECT_EQ(judge(*t, {"--", "--"}, empty2x2), (Judgement{AnswerResult::kCorrect, 0, 0}));
    // The first clue cell in row order is pointed at: row 0, column 1.
    EXPECT_EQ(judge(*t, {"01", "3-"}, empty2x2), (Judgement{AnswerResult::kWrong, 2, 1}));
    EXPECT_EQ(judge(*t, {"00", "02"}, empty2x2), (Judgement{AnswerResult::kWrong, 2, 2}));
}

TEST(AnswerCheckOrder, TwoLoopsThatSatisfyEveryClueAreWrongWithoutAPosition) {
    TestState t;
    const Picture twoLoops = {
        "+-+-+x+-+-+",
        "|3x3| |3x3|",
        "+-+-+x+-+-+",
    };
    EXPECT_EQ(judge(*t, {"33-33"}, twoLoops), (Judgement{AnswerResult::kWrong, 0, 0}));
    const Picture oneLoop = {
        "+-+-+-+-+-+",
        "|3x x x x3|",
        "+-+-+-+-+-+",
    };
    EXPECT_EQ(judge(*t, {"3---3"}, oneLoop), (Judgement{AnswerResult::kCorrect, 0, 0}));
}

TEST(AnswerCheckOrder, ABranchIsFoundAtItsDotBeforeAClueBelowIt) {
    TestState t;
    const Picture branch = {
        "+-+-+", "| | |", "+x+x+", "|0x |", "+-+-+",
    };
    // Dot (3, 1) has three lines; the clue 0 with a line below it comes later.
    EXPECT_EQ(judge(*t, {"--", "0-"}, branch), (Judgement{AnswerResult::kWrong, 2, 1}));
}

TEST(AnswerCheckOrder, FourLinesAroundACellWithoutClueIsOpenAtThatCell) {
    TestState t;
    const Picture around = {
        "+ + + +", "       ", "+ +-+ +", "  | |  ", "+ +-+ +", "       ", "+ + + +",
    };
    EXPECT_EQ(judge(*t, {"---", "---", "---"}, around), (Judgement{AnswerResult::kOpen, 2, 2}));
    // With a clue 3 in that cell the same loop is wrong there.
    EXPECT_EQ(judge(*t, {"---", "-3-", "---"}, around), (Judgement{AnswerResult::kWrong, 2, 2}));
}

TEST(AnswerCheckOrder, AZeroClueBesideALineIsWrongAtTheCell) {
    TestState t;
    const Picture loop = {
        "+ +-+-+", "  |   |", "+ +-+-+", "       ", "+ + + +",
    };
    EXPECT_EQ(judge(*t, {"0--", "---"}, loop), (Judgement{AnswerResult::kWrong, 1, 1}));
    EXPECT_EQ(judge(*t, {"---", "0--"}, loop), (Judgement{AnswerResult::kCorrect, 0, 0}));
    EXPECT_EQ(judge(*t, {"---", "--0"}, loop), (Judgement{AnswerResult::kWrong, 3, 2}));
}

TEST(AnswerCheckOrder, RowsFromTheTopDotRowThenCellRowLeftToRight) {
    TestState t;
    // A dead end on the bottom edge: dots (1, 5) and (3, 5) have one line each.
    const Picture deadEnd = {"+ + +", "     ", "+ + +", "     ", "+-+ +"};
    EXPECT_EQ(judge(*t, {"--", "--"}, deadEnd), (Judgement{AnswerResult::kWrong, 1, 3}));
    // A clue fault in cell row 2 comes before the dots of row 5.
    EXPECT_EQ(judge(*t, {"-1", "--"}, deadEnd), (Judgement{AnswerResult::kWrong, 2, 1}));
    // Within a row the leftmost fault wins: dot row 3 has dead ends at (1, 3) and (5, 3).
    const Picture twoEnds = {"+ + +", "     ", "+-+-+", "     ", "+ + +"};
    EXPECT_EQ(judge(*t, {"--", "--"}, twoEnds), (Judgement{AnswerResult::kWrong, 1, 2}));
    EXPECT_EQ(judge(*t, {"--", "-3"}, twoEnds), (Judgement{AnswerResult::kWrong, 1, 2}));
    EXPECT_EQ(judge(*t, {"-1", "-3"}, twoEnds), (Judgement{AnswerResult::kWrong, 1, 2}));
}

// A W x H picture with every edge crossed except the given ones, left undecided.
Picture crossedExcept(int width, int height, std::vector<std::pair<int, int>> open) {
    Picture p;
    for (int y = 1; y <= 2 * height + 1; ++y) {
        std::string line;
        for (int x = 1; x <= 2 * width + 1; ++x)
            line += isDot(x, y) ? '+' : isEdge(x, y) ? 'x' : ' ';
        p.push_back(line);
    }
    for (auto [x, y] : open) p[y - 1][x - 1] = ' ';
    return p;
}

TEST(AnswerCheckOrder, UndecidedEdgesHorizontalRowFirstThenTheVerticalsBelowIt) {
    TestState t;
    testing::setClues(*t, {"---", "---"});
    auto firstOpen = [&](std::vector<std::pair<int, int>> open) {
        draw(*t, crossedExcept(3, 2, open));
        const AnswerResult r = checkAnswer(*t, *t->mainBoard);
        return Judgement{r, t->errorX, t->errorY};
    };
    EXPECT_EQ(firstOpen({{6, 3}, {1, 4}}), (Judgement{AnswerResult::kOpen, 3, 2}));
    EXPECT_EQ(firstOpen({{1, 4}, {2, 5}}), (Judgement{AnswerResult::kOpen, 1, 2}));
    EXPECT_EQ(firstOpen({{7, 2}, {2, 3}}), (Judgement{AnswerResult::kOpen, 4, 1}));
    EXPECT_EQ(firstOpen({{6, 5}}), (Judgement{AnswerResult::kOpen, 3, 3}));
    EXPECT_EQ(firstOpen({}), (Judgement{AnswerResult::kCorrect, 0, 0}));
}

// A check that takes up the search where the last one stopped judges as one from the start,
// while edges are decided one by one in random order.
TEST(AnswerCheckOrder, TakingUpTheSearchJudgesAsAFreshCheck) {
    TestState t;
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        const int w = 1 + static_cast<int>(random() % 9);
        const int h = 1 + static_cast<int>(random() % 9);
        testing::setClues(*t, std::vector<std::string>(h, std::string(w, '-')));
        Board& board = *t->mainBoard;
        std::vector<int> edges;
        for (int y = 1; y <= 2 * h + 1; ++y) {
            for (int x = 1; x <= 2 * w + 1; ++x) {
                if (isEdge(x, y)) edges.push_back(latticeIndex(x, y));
            }
        }
        std::shuffle(edges.begin(), edges.end(), random);
        int firstOpen = 0;
        for (size_t i = 0; i <= edges.size(); ++i) {
            const AnswerResult taken = checkAnswer(*t, board, firstOpen);
            const Judgement takenUp{taken, t->errorX, t->errorY};
            const AnswerResult fresh = checkAnswer(*t, board);
            ASSERT_EQ(takenUp, (Judgement{fresh, t->errorX, t->errorY})) << round << " " << i;
            if (i < edges.size()) board.at(edges[i]) = random() % 2 ? kCross : kLine;
        }
    }
}

// The lines between randomly marked cells (and between marked cells and the outside) meet
// two or four at a dot. Where no dot and no cell has four, the lines form closed loops, and
// the answer is correct exactly when there is at most one, as a count of their components
// by joining the lines that meet at a dot says.
TEST(AnswerCheckOrder, OneLoopIsCorrectAndMoreAreWrong) {
    TestState t;
    std::mt19937 random(3);
    int judged[2] = {0, 0};
    for (int round = 0; round < 4000; ++round) {
        const int w = 1 + static_cast<int>(random() % 6);
        const int h = 1 + static_cast<int>(random() % 6);
        testing::setClues(*t, std::vector<std::string>(h, std::string(w, '-')));
        std::vector<std::vector<bool>> in(h + 2, std::vector<bool>(w + 2, false));
        for (int r = 1; r <= h; ++r) {
            for (int c = 1; c <= w; ++c) in[r][c] = random() % 3 != 0;
        }
        Board& board = *t->mainBoard;
        std::vector<int> parent(static_cast<size_t>(latticeIndex(0, 2 * h + 2)));
        for (size_t i = 0; i < parent.size(); ++i) parent[i] = static_cast<int>(i);
        const auto root = [&](int i) {
            while (parent[i] != i) i = parent[i];
            return i;
        };
        int lines = 0;
        for (int y = 1; y <= 2 * h + 1; ++y) {
            for (int x = 1; x <= 2 * w + 1; ++x) {
                if (!isEdge(x, y)) continue;
                const bool vertical = isVerticalEdge(x, y);
                const bool a = vertical ? in[y / 2][(x - 1) / 2] : in[(y - 1) / 2][x / 2];
                const bool b = vertical ? in[y / 2][(x + 1) / 2] : in[(y + 1) / 2][x / 2];
                board.at(x, y) = a != b ? kLine : kCross;
                if (a == b) continue;
                ++lines;
                // An edge joins its two dots.
                const int d1 = vertical ? latticeIndex(x, y - 1) : latticeIndex(x - 1, y);
                const int d2 = vertical ? latticeIndex(x, y + 1) : latticeIndex(x + 1, y);
                parent[root(d1)] = root(d2);
            }
        }
        bool fourLines = false;
        int loops = 0;
        for (int y = 1; y <= 2 * h + 1; ++y) {
            for (int x = 1; x <= 2 * w + 1; ++x) {
                if (isEdge(x, y)) continue;
                const int n = countGroup(board, x, y, 0);
                fourLines |= n == tally(0, 4);
                if (isDot(x, y) && n == tally(2, 2) &&
                    root(latticeIndex(x, y)) == latticeIndex(x, y)) {
                    ++loops;
                }
            }
        }
        if (fourLines) continue;
        const AnswerResult expected = loops <= 1 ? AnswerResult::kCorrect : AnswerResult::kWrong;
        ASSERT_EQ(checkAnswer(*t, board), expected) << round << ": " << lines << " lines";
        ++judged[loops <= 1 ? 0 : 1];
    }
    EXPECT_GT(judged[0], 200);
    EXPECT_GT(judged[1], 200);
}

// checkPosition must leave the position and its history exactly as they were.
class CheckLeavesNoTrace : public ::testing::Test {
  protected:
    void SetUp() override {
        t->fileLines = testing::splitLines(testing::readTestData(testing::corpusFile("hard-7x7-01.ALC")));
        ASSERT_TRUE(readNativeText(*t, "hard-7x7-01.ALC"));
        const Picture solution =
            testing::splitLines(testing::readTestData(testing::corpusFile("hard-7x7-01.sol")));
        // The top half of the solution, then a memorised step, then one more line.
        Picture half = solution;
        for (size_t y = half.size() / 2; y < half.size(); ++y) {
            for (char& c : half[y]) {
                if (c == '-' || c == '|' || c == 'x') c = ' ';
            }
        }
        testing::appendPictureMoves(*t, *t->mainBoard, half);
        openStep(*t->mainBoard, t.frontend);
        appendEntry(*t->mainBoard, moveEntry(2, 13, kLine), t.frontend);
        rebuildBoard(*t, *t->mainBoard, *t->mainBoard);
    }
    void snapshot() {
        lattice = t->mainBoard->lattice;
        log.assign(t->mainBoard->moveLog.begin(),
                   t->mainBoard->moveLog.begin() + t->mainBoard->writePos);
        steps = t->mainBoard->stepCount;
    }
    void expectUnchanged() {
        EXPECT_TRUE(lattice == t->mainBoard->lattice);
        ASSERT_EQ(t->mainBoard->writePos, static_cast<int>(log.size()));
        EXPECT_TRUE(std::equal(log.begin(), log.end(), t->mainBoard->moveLog.begin()));
        EXPECT_EQ(t->mainBoard->stepCount, steps);
        EXPECT_EQ(t->mainBoard->moveLog[kLogSlots - 1], kEndSentinel);
    }
    TestState t;
    std::array<uint8_t, kLatticeBytes> lattice;
    std::vector<int32_t> log;
    int steps = 0;
};

TEST_F(CheckLeavesNoTrace, LatticeAndLogAreAsBefore) {
    snapshot();
    EXPECT_EQ(checkPosition(*t, *t->mainBoard), AnswerResult::kWrong);
    expectUnchanged();
    EXPECT_TRUE(t.frontend.messages.empty());
    // The memorised step is still there to go back to.
    EXPECT_EQ(dropLastStep(*t->mainBoard), 0);
    EXPECT_EQ(t->mainBoard->lastEntry(), log[log.size() - 3]);
}

TEST_F(CheckLeavesNoTrace, AFullLogIsRestoredToo) {
    const AnswerResult expected = checkPosition(*t, *t->mainBoard);
    const int expectedX = t->errorX;
    const int expectedY = t->errorY;
    // Fill the log with pairs of equal entries, which cancel in the replay.
    Board& board = *t->mainBoard;
    while (board.writePos < kLogSlots - 2) {
        appendEntry(board, moveEntry(2, 1, kCross), t.frontend);
        appendEntry(board, moveEntry(2, 1, kCross), t.frontend);
    }
    if (board.writePos < kLogSlots - 1) appendEntry(board, moveEntry(4, 1, kLine), t.frontend);
    appendEntry(board, moveEntry(4, 1, kLine), t.frontend);  // cancels too, unless it was full
    ASSERT_EQ(board.writePos, kLogSlots - 1);
    rebuildBoard(*t, board, board);
    snapshot();
    t.frontend.messages.clear();
    t.frontend.beginCommand();
    int undecided = 0;
    for (int y = 1; y <= 2 * t->H() + 1; ++y) {
        for (int x = 1 + y % 2; x <= 2 * t->W() + 1; x += 2) undecided += (board.at(x, y) & 7) == 0;
    }
    EXPECT_EQ(checkPosition(*t, board), expected);
    EXPECT_EQ(t->errorX, expectedX);
    EXPECT_EQ(t->errorY, expectedY);
    expectUnchanged();
    // The step marker and every edge found the log full; the message shows once.
    EXPECT_EQ(t.frontend.refusalsThisCommand, 1 + undecided);
    EXPECT_EQ(t.frontend.messages, std::vector<std::string>{"記憶領域がいっぱいです。"});
}

}  // namespace
}  // namespace vexilo
