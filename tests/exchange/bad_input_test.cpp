// Bad input of every kind is refused with its kind named, before anything is loaded; good
// input of each kind is told apart and opens like a file.
#include <gtest/gtest.h>

#include <random>

#include "exchange/puzzle_import.h"
#include "model/puzzle_state.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::TestState;

struct BadCase {
    const char* text;
    ExchangeProblem problem;
};

TEST(ExchangeBadInput, EveryKindIsRefusedWithItsProblem) {
    using P = ExchangeProblem;
    const BadCase cases[] = {
        {"https://puzz.link/p?nurikabe/4/4/g1h", P::kOtherGenre},
        {"https://puzz.link/p?slither/4/4/dgdh2", P::kTruncated},
        {"https://puzz.link/p?slither/4/4", P::kTruncated},
        {"https://puzz.link/p?slither/4", P::kTruncated},
        {"https://puzz.link/p?slither/4/4/dgdh2c7bg", P::kTooLong},
        {"https://puzz.link/p?slither/501/10/g", P::kSize},
        {"https://puzz.link/p?slither/0/10/g", P::kSize},
        {"https://puzz.link/p?slither/4/4/dgdh2c7F", P::kBadCharacter},
        {"https://puzz.link/p?slither/2/1/4g", P::kClueFour},
        {"https://puzz.link/p?slither/x/4/z", P::kBadCharacter},
        {"https://puzz.link/", P::kNotRecognised},
        {"10x10t1:a2a3", P::kOtherGridType},
        {"10x10t0dh#381749", P::kNotRecognised},
        {"3x3:a2", P::kTruncated},
        {"3x3:i2", P::kTooLong},
        {"3x3:2+f", P::kBadCharacter},
        {"501x3:z", P::kSize},
        {"2x1:40", P::kClueFour},
        {"3x3q:i", P::kBadCharacter},
        {"3 3\n123\n---\n", P::kTruncated},
        {"2 3\n123\n---\n0--\n", P::kTooLong},
        {"2 3\n1203\n---\n", P::kTooLong},
        {"3 3\n1 2 3\n- -\n0 - -\n", P::kTruncated},
        {"12x\n---\n", P::kBadCharacter},
        {"12-\n--4\n", P::kClueFour},
        {"600 600\n1\n", P::kSize},
        {"hello world", P::kBadCharacter},
        {"1?2\n-0-\n", P::kBadCharacter},
        {"pzv.jp/p.html?slither/3", P::kTruncated},
        {"  \n\n \n", P::kNotRecognised},
        {"[Vexilo data]   3 x   1 -1\n[Start]\n123\n", P::kTruncated},
        {"[Vexilo data] 999 x   1 -1\n[Start]\n123\n[End]\n", P::kSize},
        {"[Vexilo data]   3 x   1 -1\n[Start]\n[End]\n", P::kSize},
        {"[Vexilo data]   a x   1 -1\n[Start]\n1\n[End]\n", P::kBadCharacter},
    };
    for (const BadCase& c : cases) {
        try {
            importPuzzleText(c.text);
            ADD_FAILURE() << "read without complaint: " << c.text;
        } catch (const ExchangeError& e) {
            EXPECT_EQ(e.problem(), c.problem) << c.text << ": " << e.what();
        }
    }
}

// Mutated links, ids, grids and native text: each is read or refused with an
// ExchangeError, never anything else.
TEST(ExchangeBadInput, MutatedTextIsReadOrRefusedCleanly) {
    const std::string seeds[] = {"https://puzz.link/p?slither/5/5/jb22ag223618cg",
                                 "5x5t0dh:d1b220c2231a13a2c", "5 5\n- - - - 1\n- - 2 2 0\n",
                                 "12-.\n 0 3\n",
                                 "[Vexilo data]   2 x   2 -1\n[Start]\n1-\n-0\n[End]\n"};
    const std::string alphabet = "0123456789abcdefghz.-/?:x# \n\r\tt[]";
    std::mt19937 random(99);
    for (int round = 0; round < 10000; ++round) {
        std::string text = seeds[random() % std::size(seeds)];
        for (int edits = 1 + static_cast<int>(random() % 4); edits > 0; --edits) {
            const size_t at = random() % (text.size() + 1);
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
                case 0:
                    text.insert(at, 1, c);
                    break;
                case 1:
                    if (at < text.size()) text.erase(at, 1 + random() % 8);
                    break;
                default:
                    if (at < text.size()) text[at] = c;
            }
        }
        try {
            const ImportedPuzzle puzzle = importPuzzleText(text);
            EXPECT_TRUE(puzzle.width >= 1 && puzzle.width <= 500 && puzzle.height >= 1 &&
                        puzzle.height <= 500)
                << text;
        } catch (const ExchangeError&) {
        }
    }
}

TEST(ExchangeImport, EachSourceIsToldApartAndOpensLikeAFile) {
    const char* texts[] = {
        "https://puzz.link/p?slither/2/2/ba",
        "\xEF\xBB\xBF  2x2t0:1b0\n",
        "2 2\n1-\n-0\n",
        "1 .\n. 0",
        "\xEF\xBB\xBF[Vexilo data]   2 x   2 -1\r\n[Start]\r\n1-\r\n-0\r\n[End]\r\n",
    };
    const PuzzleSource sources[] = {PuzzleSource::kPuzzLink, PuzzleSource::kLoopyId,
                                    PuzzleSource::kTextGrid, PuzzleSource::kTextGrid,
                                    PuzzleSource::kNativeText};
    for (size_t i = 0; i < std::size(texts); ++i) {
        TestState state;
        const ImportedPuzzle puzzle = importPuzzleText(texts[i]);
        EXPECT_EQ(puzzle.source, sources[i]) << texts[i];
        openImportedPuzzle(*state, puzzle, puzzleNameOf(puzzle.source));
        EXPECT_EQ(state->W(), 2);
        EXPECT_EQ(state->H(), 2);
        EXPECT_EQ((*state->clueGrid)[0][0], 1) << texts[i];
        EXPECT_EQ((*state->clueGrid)[1][1], kClueZero);
        EXPECT_EQ((*state->clueGrid)[0][1], 0);
        EXPECT_EQ(state.frontend.caption, puzzleNameOf(sources[i]) + " 2x2 - Vexilo");
        EXPECT_EQ(state->difficulty.stored, -1);
    }
}

}  // namespace
}  // namespace vexilo
