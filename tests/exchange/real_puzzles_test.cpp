// Real links and game ids: Loopy's ids beside the puzzles they made, links that pzprjs
// wrote, each read to its grid and written back to the same text.
#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/loopy_id.h"
#include "exchange/puzz_link.h"
#include "exchange/puzzle_import.h"
#include "files/text_lines.h"
#include "solver/answer_check.h"
#include "solver/solve_commands.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::readTestData;
using testing::TestState;

TEST(RealGameIds, LoopyIdsGiveThePuzzlesLoopyMadeAndComeBackUnchanged) {
    int checked = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(VEXILO_TEST_DATA) + "/exchange")) {
        if (entry.path().extension() != ".id") continue;
        const std::string name = entry.path().stem().string();
        const std::string id = splitTextLines(readWholeFile(entry.path().string())).at(0);
        const ImportedPuzzle puzzle = importPuzzleText(id);
        EXPECT_EQ(puzzle.source, PuzzleSource::kLoopyId);
        EXPECT_EQ(puzzle.nativeLines, splitTextLines(readTestData("corpus/loopy/" + name + ".ALC")))
            << name;
        EXPECT_EQ(writeLoopyId(readLoopyId(id)), id);
        ++checked;
    }
    EXPECT_EQ(checked, 30);
}

TEST(RealGameIds, TheShortFormsAndFullParametersReadTheSameGrid) {
    const PuzzleClues grid = readLoopyId("5x5t0:a2a3b2a3f0a1b2c3");
    EXPECT_EQ(readLoopyId("5x5:a2a3b2a3f0a1b2c3"), grid);
    EXPECT_EQ(readLoopyId("5x5t0dh:a2a3b2a3f0a1b2c3"), grid);
    EXPECT_EQ(readLoopyId("5:a2a3b2a3f0a1b2c3"), grid);
    EXPECT_EQ(grid.at(0, 1), 2);
    EXPECT_EQ(grid.at(4, 4), 3);
    EXPECT_EQ(grid.at(4, 3), kNoClue);
}

// A link whose grid another solver's tests give, as puzz.link writes it and as the older
// pzv.jp wrote it (a clue in the last cell as "a clue and two blanks").
TEST(RealLinks, TheSameGridFromAnyHostAndEitherEnding) {
    PuzzleClues expected(4, 4);
    expected.at(0, 0) = 3;
    expected.at(1, 0) = 3;
    expected.at(2, 1) = 2;
    expected.at(2, 2) = 2;
    expected.at(3, 1) = 2;
    expected.at(3, 3) = 1;
    int unknown = 0;
    for (const char* link :
         {"https://puzz.link/p?slither/4/4/dgdh2c71", "http://pzv.jp/p.html?slither/4/4/dgdh2c7b",
          "https://pzprxs.vercel.app/p?slither/d/4/4/dgdh2c7b\n"}) {
        EXPECT_EQ(readPuzzLink(link, unknown), expected) << link;
    }
    EXPECT_EQ(writePuzzLink(expected), "https://puzz.link/p?slither/4/4/dgdh2c7b");
}

// Links of a puzzle site: written back unchanged, and the ones with one answer solve to it.
TEST(RealLinks, SiteLinksComeBackUnchangedAndSolve) {
    const auto links = splitTextLines(readTestData("exchange/puzzlinks.txt"));
    ASSERT_EQ(links.size(), 13u);
    TestState state;
    int solved = 0;
    for (const std::string& link : links) {
        int unknown = 0;
        const PuzzleClues clues = readPuzzLink(link, unknown);
        EXPECT_EQ(writePuzzLink(clues), link);
        openImportedPuzzle(*state, importPuzzleText(link), "puzzlink", WriteBack::kNone);
        ASSERT_TRUE(solveAndRate(*state).has_value());
        if (checkAnswer(*state, *state->workBoard) == AnswerResult::kCorrect) ++solved;
    }
    // The full solve stops short on two of the site's puzzles and finds no answer to one.
    EXPECT_EQ(solved, 10);
}

TEST(RealLinks, AnUnknownClueReadsAsNoClueAndIsCounted) {
    int unknown = 0;
    const PuzzleClues grid = readPuzzLink("https://puzz.link/p?slither/3/1/.1.", unknown);
    EXPECT_EQ(unknown, 2);
    EXPECT_EQ(grid.clues, (std::vector<int8_t>{kNoClue, 1, kNoClue}));
    EXPECT_EQ(importPuzzleText("puzz.link/p?slither/3/1/.1.").unknownClues, 2);
}

}  // namespace
}  // namespace vexilo
