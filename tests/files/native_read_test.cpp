#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "files/file_errors.h"
#include "files/native_file.h"
#include "loading/puzzle_loading.h"
#include "model/move_log.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using Lines = std::vector<std::string>;
using testing::TestState;

const Lines kWorkedExample = {
    "[Vexilo data]   4 x   3 2", "[Start]", "3-2-", "-0-B", "1#2a", "[End]",
};

class NativeRead : public ::testing::Test {
  protected:
    bool read(const Lines& lines, const std::string& path = "/p/puzzle.ALC") {
        t->fileLines = lines;
        return readNativeText(*t, path);
    }
    uint8_t clue(int row, int column) { return (*t->clueGrid)[row][column]; }
    TestState t;
};

TEST_F(NativeRead, WorkedExampleGivesSizeRatingCellsAndCaption) {
    ASSERT_TRUE(read(kWorkedExample, "/some/dir/easy01.ALC"));
    EXPECT_EQ(t->W(), 4);
    EXPECT_EQ(t->H(), 3);
    EXPECT_EQ(t->difficulty.stored, 2);
    EXPECT_EQ(t->fileName, "/some/dir/easy01.ALC");
    EXPECT_EQ(t.frontend.caption, "easy01.ALC 4x3 - Vexilo");
    const uint8_t expected[3][4] = {{3, 0, 2, 0}, {0, 4, 0, 0x21}, {1, 0x30, 2, 0x34}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) EXPECT_EQ(clue(r, c), expected[r][c]) << r << "," << c;
    }
    // mainBoard is rebuilt from the clues: the cell bytes sit at (2c + 2, 2r + 2).
    EXPECT_EQ(t->mainBoard->at(2, 2) & 7, 3);
    EXPECT_EQ(t->mainBoard->at(8, 4) & 7, 1);
    EXPECT_EQ(t->mainBoard->at(4, 6) & 0x30, 0x30);
    EXPECT_EQ(t->mainBoard->at(3, 2), 0);  // an undecided edge
    EXPECT_EQ(t->plainBitmap.width, 41);
    EXPECT_EQ(t->plainBitmap.height, 33);
    EXPECT_EQ(t->colourBitmap.width, 41);
    EXPECT_EQ(t->colourBitmap.height, 33);
}

TEST_F(NativeRead, RecognisedTextResetsFirstThenFitsTheZoomAndRepaints) {
    testing::setClues(*t, {"11", "11"});
    appendEntry(*t->mainBoard, moveEntry(2, 1, 3), t.frontend);
    openStep(*t->mainBoard, t.frontend);
    t->zoom = 32;
    t.frontend.panelW = 368;
    t.frontend.panelH = 368;
    ASSERT_TRUE(read({"[Vexilo data]  10 x  10", "[Start]", "----------", "[End]"}));
    EXPECT_EQ(t.frontend.resets, 1);
    EXPECT_EQ(t.frontend.stepLabel, 0);
    EXPECT_FALSE(t.frontend.undoEnabled);
    EXPECT_EQ(t->mainBoard->writePos, 1);
    EXPECT_EQ(t->mainBoard->stepCount, 0);
    EXPECT_EQ(t->mainBoard->at(2, 1), 0);  // the old line is gone
    // W = 10 from the header, H = 1: f = min(368 / 11 / 8, 368 / 2 / 8) = 4.
    EXPECT_EQ(t->zoom, 4);
    EXPECT_EQ(t.frontend.zoomChanges, 1);
    EXPECT_GE(t.frontend.repaints, 1);
}

TEST_F(NativeRead, TextThatIsNotNativeChangesNothing) {
    ASSERT_TRUE(read(kWorkedExample, "/p/first.ALC"));
    const int resets = t.frontend.resets;
    const Lines rejected[] = {
        {"[vexilo data]   4 x   3 2", "[Start]", "3-2-", "[End]"},  // case matters
        {"[Vexilo data", "[Start]", "3-2-", "[End]"},
        {" [Vexilo data]   4 x   3 2", "[Start]", "[End]"},
        {"[Vexilo data]   4 x   3 2", "[start]", "3-2-", "[End]"},
        {"[Vexilo data]   4 x   3 2", "[Start] ", "3-2-", "[End]"},
        {"[Vexilo data]   4 x   3 2", "", "[End]"},
        {""},
        {"junk"},
    };
    for (const auto& lines : rejected) {
        EXPECT_FALSE(read(lines, "/p/second.ALC")) << lines[0];
        EXPECT_EQ(t->W(), 4);
        EXPECT_EQ(t->H(), 3);
        EXPECT_EQ(t->difficulty.stored, 2);
        EXPECT_EQ(t->fileName, "/p/first.ALC");
        EXPECT_EQ(t.frontend.caption, "first.ALC 4x3 - Vexilo");
        EXPECT_EQ(t.frontend.resets, resets);
        EXPECT_EQ(t->fileLines, lines);
    }
}

TEST_F(NativeRead, HeaderWordNeedOnlyStartTheFirstLine) {
    ASSERT_TRUE(read({"[Vexilo data]X", "[Start]", "12", "[End]"}));
    EXPECT_EQ(t->W(), 2);
    EXPECT_EQ(t->difficulty.stored, 9999);
}

TEST_F(NativeRead, HeaderNumbersComeFromFixedColumns) {
    // Columns 15-17 width, 21-23 height (discarded), 25-28 rating; the rest is ignored.
    ASSERT_TRUE(read({"[Vexilo data]   7 x  99    5xyz", "[Start]", "1", "[End]"}));
    EXPECT_EQ(t->W(), 7);
    EXPECT_EQ(t->H(), 1);
    EXPECT_EQ(t->difficulty.stored, 5);
    ASSERT_TRUE(read({"[Vexilo data]   7 x   1 12345", "[Start]", "1", "[End]"}));
    EXPECT_EQ(t->difficulty.stored, -1);  // cut to four characters, 1234 is no rating
    ASSERT_TRUE(read({"[Vexilo data]   7 x   1 -1", "[Start]", "1", "[End]"}));
    EXPECT_EQ(t->difficulty.stored, -1);
    ASSERT_TRUE(read({"[Vexilo data]   7 x   1 +3", "[Start]", "1", "[End]"}));
    EXPECT_EQ(t->difficulty.stored, 3);
    // Misplaced numbers: of "12" at columns 14-15 only the "2" lies in the width field; the
    // height "11", the unread column 24 and the rating "9" touch each other.
    ASSERT_TRUE(read({"[Vexilo data]12   x  1116", "[Start]", "", "[End]"}));
    EXPECT_EQ(t->W(), 2);
    EXPECT_EQ(t->difficulty.stored, 6);
    ASSERT_TRUE(read({"[Vexilo data]   7 x   1     3", "[Start]", "1", "[End]"}));
    EXPECT_EQ(t->difficulty.stored, 9999);  // the 3 at column 29 is past the rating field
}

TEST_F(NativeRead, BlankFieldsGiveWidthZeroAndRating9999) {
    ASSERT_TRUE(read({"[Vexilo data]", "[Start]", "123", "0", "[End]"}));
    EXPECT_EQ(t->W(), 3);
    EXPECT_EQ(t->H(), 2);
    EXPECT_EQ(t->difficulty.stored, 9999);
    ASSERT_TRUE(read({"[Vexilo data]     x        ", "[Start]", "1", "[End]"}));
    EXPECT_EQ(t->W(), 1);
    EXPECT_EQ(t->difficulty.stored, 9999);
}

TEST_F(NativeRead, AHeaderWidthWiderThanTheRowsAddsEmptyColumns) {
    ASSERT_TRUE(read({"[Vexilo data]   6 x   2 -1", "[Start]", "12", "3", "[End]"}));
    EXPECT_EQ(t->W(), 6);
    EXPECT_EQ(t->H(), 2);
    EXPECT_EQ(clue(0, 1), 2);
    EXPECT_EQ(clue(1, 0), 3);
    for (int c = 1; c < 6; ++c) EXPECT_EQ(clue(1, c), 0);
    EXPECT_EQ(t.frontend.caption, "puzzle.ALC 6x2 - Vexilo");
}

TEST_F(NativeRead, TheLongestRowWidensTheHeaderWidthAndTheBodyGivesTheHeight) {
    ASSERT_TRUE(read({"[Vexilo data]   2 x   9 -1", "[Start]", "1", "12312", "", "[End]"}));
    EXPECT_EQ(t->W(), 5);
    EXPECT_EQ(t->H(), 3);
}

TEST_F(NativeRead, ARatingOutsideMinusOneToSixReadsAsNotRated) {
    for (int rating = -999; rating <= 9999; ++rating) {
        char header[40];
        std::snprintf(header, sizeof header, "[Vexilo data]   2 x   1 %d", rating);
        ASSERT_TRUE(read({header, "[Start]", "12", "[End]"}));
        ASSERT_EQ(t->difficulty.stored, rating >= -1 && rating <= 6 ? rating : -1) << header;
    }
}

TEST_F(NativeRead, EndWithATrailingBlankIsABodyRow) {
    ASSERT_TRUE(read({"[Vexilo data]   6 x   2 -1", "[Start]", "[End] ", "[End]", "[End]"}));
    EXPECT_EQ(t->H(), 1);
    EXPECT_EQ(t->W(), 6);
    const uint8_t expected[6] = {0, 0, 0, 0x33, 0, 0};  // only the 'd' is in the alphabet
    for (int c = 0; c < 6; ++c) EXPECT_EQ(clue(0, c), expected[c]) << c;
    ASSERT_TRUE(read({"[Vexilo data]   1 x   1 -1", "[Start]", "[end]", "[END]", "[End]"}));
    EXPECT_EQ(t->H(), 2);
}

TEST_F(NativeRead, RowAlphabetAndEveryOtherCharacterGivesZero) {
    const std::string row = "-0123+ABCD#abcd";
    const uint8_t codes[] = {0,    4,    1,    2,    3,    0x20, 0x24, 0x21,
                             0x22, 0x23, 0x30, 0x34, 0x31, 0x32, 0x33};
    ASSERT_TRUE(read({"[Vexilo data]", "[Start]", row, " 4E e!\x7f\x80\xff\t9x", "[End]"}));
    EXPECT_EQ(t->W(), 15);
    for (int c = 0; c < 15; ++c) {
        EXPECT_EQ(clue(0, c), codes[c]) << row[c];
        EXPECT_EQ(clue(1, c), 0) << c;
    }
}

TEST_F(NativeRead, ARowOfSixHundredCharactersContributesItsFirstFiveHundred) {
    std::string row(600, '3');
    row[499] = '1';
    row[500] = '2';
    ASSERT_TRUE(read({"[Vexilo data]   1 x   1 -1", "[Start]", row, "[End]"}));
    EXPECT_EQ(t->W(), 500);
    EXPECT_EQ(clue(0, 499), 1);
    EXPECT_EQ(t->plainBitmap.width, 4009);
}

TEST_F(NativeRead, FiveHundredRowsEndTheBodyWithoutAnEndLine) {
    Lines lines = {"[Vexilo data]", "[Start]"};
    for (int i = 0; i < 500; ++i) lines.push_back(i == 499 ? "2" : "1");
    ASSERT_TRUE(read(lines));  // no line after the 500th row is read
    EXPECT_EQ(t->H(), 500);
    EXPECT_EQ(t->W(), 1);
    EXPECT_EQ(clue(499, 0), 2);
    lines.push_back("3333");
    ASSERT_TRUE(read(lines));
    EXPECT_EQ(t->W(), 1);
}

TEST_F(NativeRead, TheGridIsClearedBeforeTheNewPuzzleIsRead) {
    ASSERT_TRUE(read(kWorkedExample));
    ASSERT_TRUE(read({"[Vexilo data]   4 x   3 -1", "[Start]", "1", "[End]"}));
    EXPECT_EQ(clue(0, 0), 1);
    EXPECT_EQ(clue(0, 2), 0);
    EXPECT_EQ(clue(2, 3), 0);
    EXPECT_EQ(t->mainBoard->at(4, 2), 0);
}

// An error before the text is recognised leaves the previous puzzle; one after leaves the
// reset state.
class NativeReadErrors : public NativeRead {
  protected:
    void SetUp() override { ASSERT_TRUE(read(kWorkedExample, "/p/first.ALC")); }
    void expectPreviousPuzzle() {
        EXPECT_EQ(t->W(), 4);
        EXPECT_EQ(t->fileName, "/p/first.ALC");
        EXPECT_EQ(t.frontend.resets, 1);
    }
    void expectResetState() {
        EXPECT_EQ(t->W(), 0);
        EXPECT_EQ(t->H(), 0);
        EXPECT_EQ(t->difficulty.stored, -1);
        EXPECT_EQ(t->fileName, "");
        EXPECT_EQ(t.frontend.caption, "Vexilo");
        EXPECT_EQ(t.frontend.resets, 2);
    }
    template <typename Error>
    std::string expectError(const Lines& lines) {
        try {
            read(lines);
        } catch (const Error& e) {
            return e.what();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "other error: " << e.what();
            return {};
        }
        ADD_FAILURE() << "no error for " << lines[0];
        return {};
    }
};

TEST_F(NativeReadErrors, NoLinesOrALoneHeaderIsOutOfRangeAndKeepsThePuzzle) {
    EXPECT_FALSE(expectError<std::out_of_range>({}).empty());
    expectPreviousPuzzle();
    t->fileLines.clear();
    EXPECT_THROW(readNativeText(*t, "x.ALC"), std::out_of_range);
    EXPECT_THROW(read({"[Vexilo data]   4 x   3 2"}), std::out_of_range);
    expectPreviousPuzzle();
    EXPECT_FALSE(read({"something else"}));  // a lone line that is not native is ignored
}

TEST_F(NativeReadErrors, LinesRunningOutBeforeEndAreOutOfRangeAfterTheReset) {
    const std::string message =
        expectError<std::out_of_range>({"[Vexilo data]   4 x   3 2", "[Start]", "12", "33"});
    EXPECT_NE(message.find("[End]"), std::string::npos) << message;
    expectResetState();
    EXPECT_THROW(read({"[Vexilo data]   4 x   3 2", "[Start]"}), std::out_of_range);
    EXPECT_EQ(t->W(), 0);
}

TEST_F(NativeReadErrors, AHeaderNumberThatIsNotANumberIsAConversionErrorAfterTheReset) {
    for (const char* header :
         {"[Vexilo data]  1a x   3 2", "[Vexilo data]   4 x   y 2", "[Vexilo data]   4 x   3 two",
          "[Vexilo data] 1 2 x   3", "[Vexilo data]   - x   3", "[Vexilo data]   4 x   3 0x1"}) {
        const std::string message =
            expectError<std::invalid_argument>({header, "[Start]", "12", "[End]"});
        EXPECT_NE(message.find("not a decimal number"), std::string::npos) << message;
        EXPECT_EQ(t->W(), 0) << header;
        EXPECT_EQ(t->difficulty.stored, -1) << header;
        EXPECT_EQ(t.frontend.caption, "Vexilo");
    }
}

TEST_F(NativeReadErrors, AHeaderWidthOutsideZeroTo500IsRefusedAfterTheReset) {
    const std::string message =
        expectError<FormatError>({"[Vexilo data] 501 x   3 2", "[Start]", "12", "[End]"});
    EXPECT_NE(message.find("501"), std::string::npos) << message;
    expectResetState();
    EXPECT_THROW(read({"[Vexilo data] 999 x   1 2", "[Start]", "[End]"}), FormatError);
    EXPECT_THROW(read({"[Vexilo data]  -1 x   1 2", "[Start]", "[End]"}), FormatError);
    EXPECT_EQ(t->W(), 0);
    ASSERT_TRUE(read({"[Vexilo data] 500 x   1 2", "[Start]", "1", "[End]"}));
    EXPECT_EQ(t->W(), 500);
}

TEST_F(NativeReadErrors, APuzzleWithoutCellsIsRefusedAfterTheReset) {
    const std::string message =
        expectError<FormatError>({"[Vexilo data]   5 x   0 -1", "[Start]", "[End]"});
    EXPECT_EQ(message, "the puzzle has no cells (5 x 0)");
    expectResetState();
    EXPECT_THROW(read({"[Vexilo data]   0 x   2 -1", "[Start]", "", "", "[End]"}), FormatError);
    EXPECT_EQ(t->W(), 0);
}

}  // namespace
}  // namespace vexilo
