// Round trips: every corpus puzzle under tests/data through a link and a game id back to
// the very same .ALC bytes, and random clue grids through both writers and readers.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "exchange/loopy_id.h"
#include "exchange/puzz_link.h"
#include "exchange/puzzle_import.h"
#include "files/open_save.h"
#include "files/text_lines.h"
#include "loading/puzzle_loading.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::TestState;

std::string crlfJoined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::vector<std::string> corpusPuzzles() {
    std::vector<std::string> paths;
    for (const char* set : {"loopy", "janko", "ploop"}) {
        const auto folder = std::filesystem::path(VEXILO_TEST_DATA) / "corpus" / set;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() == ".ALC") paths.push_back(entry.path().string());
        }
    }
    return paths;
}

TEST(ExchangeRoundTrip, CorpusPuzzlesComeBackByteForByteThroughLinkAndGameId) {
    const auto paths = corpusPuzzles();
    ASSERT_GT(paths.size(), 100u);
    TestState state;
    for (const std::string& path : paths) {
        ASSERT_TRUE(openPuzzleFile(*state, path, WriteBack::kNone)) << path;
        const PuzzleClues clues = cluesOf(*state);
        const std::string original = readWholeFile(path);
        for (const std::string& shared : {writePuzzLink(clues), writeLoopyId(clues)}) {
            const ImportedPuzzle back = importPuzzleText(shared);
            EXPECT_EQ(crlfJoined(back.nativeLines), original) << path << " via " << shared;
        }
    }
}

// Random grids of every density, the long runs of blanks and the board's end included.
TEST(ExchangeRoundTrip, RandomGridsComeBackThroughBothWriters) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 3000; ++round) {
        const int width = 1 + static_cast<int>(random() % 40);
        const int height = 1 + static_cast<int>(random() % 40);
        const unsigned density = random() % 101;
        PuzzleClues puzzle(width, height);
        for (auto& clue : puzzle.clues) {
            if (random() % 100 < density) clue = static_cast<int8_t>(random() % 4);
        }
        int unknown = -1;
        const std::string link = writePuzzLink(puzzle);
        ASSERT_EQ(readPuzzLink(link, unknown), puzzle) << link;
        EXPECT_EQ(unknown, 0);
        const std::string id = writeLoopyId(puzzle);
        ASSERT_EQ(readLoopyId(id), puzzle) << id;
    }
}

// The text grid reader against a naive writer of the styles sites use.
TEST(ExchangeRoundTrip, RandomTextGridsInEveryStyleReadBack) {
    std::mt19937 random(4242);
    for (int round = 0; round < 2000; ++round) {
        const int width = 2 + static_cast<int>(random() % 30);
        const int height = 1 + static_cast<int>(random() % 30);
        PuzzleClues puzzle(width, height);
        for (auto& clue : puzzle.clues) {
            if (random() % 2 == 0) clue = static_cast<int8_t>(random() % 4);
        }
        // Clues in the first and last column; blanks as spaces only below a size line:
        // otherwise "3 1" could be cells apart as well as a blank between two clues.
        puzzle.at(0, 0) = 3;
        puzzle.at(0, width - 1) = 1;
        const bool sizeLine = random() % 2 == 0;
        const bool separated = random() % 2 == 0;
        const char blank = "-. "[random() % (separated || !sizeLine ? 2 : 3)];
        std::string text =
            sizeLine ? std::to_string(height) + " " + std::to_string(width) + "\n" : "";
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                if (separated && c > 0) text += ' ';
                const int clue = puzzle.at(r, c);
                text += clue == kNoClue ? blank : static_cast<char>('0' + clue);
            }
            text += random() % 2 == 0 ? "\r\n" : "\n";
        }
        const ImportedPuzzle back = importPuzzleText(text);
        ASSERT_EQ(back.source, PuzzleSource::kTextGrid) << text;
        ASSERT_EQ(back.nativeLines, nativeLinesOf(puzzle)) << text;
    }
}

}  // namespace
}  // namespace vexilo
