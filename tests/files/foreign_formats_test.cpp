// The foreign formats, from byte-exact files built here after the formats' offset tables.
#include "files/foreign_formats.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>

#include "files/file_errors.h"
#include "files/files_test_support.h"
#include "files/native_file.h"
#include "files/open_save.h"
#include "loading/puzzle_loading.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using Lines = std::vector<std::string>;
using testing::crlf;
using testing::TempFolder;
using testing::TestState;

// The body rows as a converter must write them, for rows given in '-', '0'..'3'.
Lines nativeText(int width, int height, const Lines& rows) {
    char header[64];
    std::snprintf(header, sizeof header, "[Vexilo data] %3d x %3d -1", width, height);
    Lines lines = {header, "[Start]"};
    lines.insert(lines.end(), rows.begin(), rows.end());
    lines.push_back("[End]");
    return lines;
}

// Filler that holds no clue letter; a ':' in it must not be mistaken for the anchor.
std::string filler(size_t size) {
    static const char kPattern[] = "CHc:\xff\x00x";
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = kPattern[i % 7];
    return bytes;
}

char clueLetter(char clue) {
    return clue == '-' ? 'Z' : static_cast<char>('D' + (clue - '0'));
}

// .LPM after its table: W at 2, H at 3, ':' at 9, the cell of row r and column c at
// 97 + 86c + 2r; a size of 10 may be written as CR LF, which moves every later offset by one.
std::string lpmFile(int width, int height, const Lines& rows, bool crlfWidth = false,
                    bool crlfHeight = false, size_t size = 2467) {
    std::string b = filler(size);
    size_t shift = 0;
    auto putSize = [&](size_t at, int value, bool asCrLf) {
        if (asCrLf) {
            b[at + shift] = '\r';
            b[at + shift + 1] = '\n';
            ++shift;
        } else {
            b[at + shift] = static_cast<char>(value);
        }
    };
    putSize(2, width, crlfWidth);
    putSize(3, height, crlfHeight);
    b[9 + shift] = ':';
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const size_t at = 97 + 86 * c + 2 * r + shift;
            if (at < b.size()) b[at] = clueLetter(rows[r][c]);
        }
    }
    return b;
}

// .SLT after its table: W at 4, H at 5, ':' at 9, the cell at 11 + S(c + 1) + 2r with
// S = 4H + 6; the same CR LF rule.
std::string sltFile(int width, int height, const Lines& rows, bool crlfWidth = false,
                    bool crlfHeight = false, size_t size = 2036) {
    std::string b = filler(size);
    size_t shift = 0;
    auto putSize = [&](size_t at, int value, bool asCrLf) {
        if (asCrLf) {
            b[at + shift] = '\r';
            b[at + shift + 1] = '\n';
            ++shift;
        } else {
            b[at + shift] = static_cast<char>(value);
        }
    };
    putSize(4, width, crlfWidth);
    putSize(5, height, crlfHeight);
    b[9 + shift] = ':';
    const size_t stride = 4 * static_cast<size_t>(height) + 6;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const size_t at = 11 + stride * (c + 1) + 2 * r + shift;
            if (at < b.size()) b[at] = clueLetter(rows[r][c]);
        }
    }
    return b;
}

void putWord(std::string& b, size_t at, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// .RING: 100 at 0, H at 8, W at 12, k at 24 and k words, three words, three counted lists,
// then two lattices of 2H + 1 rows of 2W + 1 words; the cell of row r, column c is the word
// at lattice row 2r + 1, column 2c + 1 of the first. `clues` gives each cell's word.
struct RingFile {
    int width;
    int height;
    std::vector<std::vector<int32_t>> clues;  // [row][column]
    int k = 0;
    int lists[3] = {0, 0, 0};
    long sizeChange = 0;  // added to the exact size of the file

    size_t latticeOffset() const { return 40 + 4 * k + 12 + 4 * (lists[0] + lists[1] + lists[2]); }
    std::string bytes() const {
        const size_t rowWords = 2 * static_cast<size_t>(width) + 1;
        const size_t words = rowWords * (2 * static_cast<size_t>(height) + 1);
        const size_t exact = latticeOffset() + 8 * words;
        std::string b(static_cast<size_t>(static_cast<long>(exact) + sizeChange), '\x07');
        putWord(b, 0, 100);
        putWord(b, 8, height);
        putWord(b, 12, width);
        putWord(b, 24, k);
        size_t p = 40 + 4 * static_cast<size_t>(k);
        for (int n : lists) {
            putWord(b, p, n);
            p += 4 + 4 * static_cast<size_t>(n);
        }
        for (size_t w = 0; w < 2 * words && p + 4 * w + 4 <= b.size(); ++w) {
            putWord(b, p + 4 * w, 0x02020202);  // dots and edges: never read as clues
        }
        for (size_t r = 0; r < clues.size(); ++r) {
            for (size_t c = 0; c < clues[r].size(); ++c) {
                const size_t at = p + 4 * ((2 * r + 1) * rowWords + 2 * c + 1);
                if (at + 4 <= b.size()) putWord(b, at, clues[r][c]);
            }
        }
        return b;
    }
};

class ForeignFormats : public ::testing::Test {
  protected:
    // Runs the loader that the extension chooses and returns the lines it produced.
    Lines load(const std::string& name, const std::string& bytes) {
        fillFileLines(*t, folder.write(name, bytes));
        return t->fileLines;
    }
    TempFolder folder;
    TestState t;
};

// .LPM

TEST_F(ForeignFormats, LpmCellsLieColumnByColumn) {
    const Lines rows = {"0123-", "3-210", "--1--"};
    EXPECT_EQ(load("p.LPM", lpmFile(5, 3, rows)), nativeText(5, 3, rows));
    ASSERT_TRUE(readNativeText(*t, folder.path("p.LPM")));
    EXPECT_EQ(t->W(), 5);
    EXPECT_EQ(t->H(), 3);
    EXPECT_EQ(t->difficulty.stored, -1);
    EXPECT_EQ(t.frontend.caption, "p.LPM 5x3 - Vexilo");
}

TEST_F(ForeignFormats, LpmOnlyTheLettersDToGAreClues) {
    std::string b = lpmFile(6, 1, {"------"});
    const char others[6] = {'C', 'H', 'd', 'g', '3', '\0'};
    for (int c = 0; c < 6; ++c) b[97 + 86 * c] = others[c];
    EXPECT_EQ(load("p.lpm", b), nativeText(6, 1, {"------"}));
}

TEST_F(ForeignFormats, LpmWidthTenAsCrLfMovesTheAnchorAndTheCellsByOne) {
    const Lines rows = {"0123012301", "3-----2--1"};
    const std::string b = lpmFile(10, 2, rows, true, false);
    ASSERT_EQ(b[10], ':');  // one byte later than usual
    EXPECT_EQ(load("p.LPM", b), nativeText(10, 2, rows));
    EXPECT_EQ(load("p.LPM", lpmFile(3, 10, Lines(10, "123"), false, true)),
              nativeText(3, 10, Lines(10, "123")));
    EXPECT_EQ(load("p.LPM", lpmFile(10, 10, Lines(10, "0-0-0-0-0-"), true, true)),
              nativeText(10, 10, Lines(10, "0-0-0-0-0-")));
}

TEST_F(ForeignFormats, LpmCrWithoutLfIsThirteen) {
    std::string b = lpmFile(13, 1, {"1111111111111"});
    ASSERT_EQ(b[2], '\r');
    EXPECT_EQ(load("p.LPM", b), nativeText(13, 1, {"1111111111111"}));
}

TEST_F(ForeignFormats, LpmTooShortOrWithoutAnchorIsRejectedSilently) {
    EXPECT_EQ(load("p.LPM", lpmFile(2, 2, {"11", "22"}, false, false, 2466)), Lines{});
    EXPECT_EQ(load("p.LPM", lpmFile(2, 2, {"11", "22"}, false, false, 2467)).size(), 5u);
    std::string b = lpmFile(2, 2, {"11", "22"});
    b[9] = ';';
    EXPECT_EQ(load("p.LPM", b), Lines{});
    b = lpmFile(10, 2, {"11", "22"}, true);
    b[10] = 'x';
    b[9] = ':';  // the unshifted place does not count once the width was CR LF
    EXPECT_EQ(load("p.LPM", b), Lines{});
    EXPECT_THROW(readNativeText(*t, folder.path("p.LPM")), std::out_of_range);
}

TEST_F(ForeignFormats, LpmSizeOutsideOneTo500IsRefused) {
    EXPECT_THROW(load("p.LPM", lpmFile(0, 3, {})), FormatError);
    EXPECT_THROW(load("p.LPM", lpmFile(3, 0, {})), FormatError);
    EXPECT_THROW(load("p.LPM", lpmFile(-128, 3, {})), FormatError);  // 0x80, a signed byte
    EXPECT_THROW(load("p.LPM", lpmFile(3, -1, {})), FormatError);
    EXPECT_TRUE(t->fileLines.empty());
}

TEST_F(ForeignFormats, LpmCellsPastTheEndOfTheFileHaveNoClue) {
    // 127 x 127 in a minimum-size file: most cells lie past its end.
    const Lines rows(127, std::string(127, '3'));
    const Lines lines = load("p.LPM", lpmFile(127, 127, rows));
    ASSERT_EQ(lines.size(), 130u);
    EXPECT_EQ(lines[2].substr(0, 4), "3333");  // the first columns are in the file
    EXPECT_EQ(lines[2][27], '3');              // 97 + 86 * 27 = 2419
    EXPECT_EQ(lines[2][28], '-');              // 97 + 86 * 28 = 2505 is past the end
    // Row 126: 97 + 86c + 252 lies in the file for c up to 24.
    EXPECT_EQ(lines[128], std::string(25, '3') + std::string(102, '-'));
}

// .SLT

TEST_F(ForeignFormats, SltStrideExampleHeightFive) {
    // S = 4 * 5 + 6 = 26: the first cell at 37, row 0 of column 1 at 63.
    std::string b = filler(2036);
    b[4] = 2;
    b[5] = 5;
    b[9] = ':';
    b[37] = 'G';
    b[63] = 'E';
    b[37 + 2 * 4] = 'D';  // row 4, column 0
    b[63 + 2 * 2] = 'F';  // row 2, column 1
    EXPECT_EQ(load("p.SLT", b), nativeText(2, 5, {"31", "--", "-2", "--", "0-"}));
}

TEST_F(ForeignFormats, SltCellsFromTheTable) {
    const Lines rows = {"0123", "--32", "1---"};
    EXPECT_EQ(load("p.slt", sltFile(4, 3, rows)), nativeText(4, 3, rows));
}

TEST_F(ForeignFormats, SltCrLfSizesMoveEverythingAfterThem) {
    const Lines rows10(10, "0123012301");
    const std::string b = sltFile(10, 10, rows10, true, false);
    ASSERT_EQ(b[10], ':');
    EXPECT_EQ(load("p.SLT", b), nativeText(10, 10, rows10));
    EXPECT_EQ(load("p.SLT", sltFile(10, 10, rows10, false, true)), nativeText(10, 10, rows10));
    const std::string both = sltFile(10, 10, rows10, true, true);
    ASSERT_EQ(both[11], ':');
    EXPECT_EQ(load("p.SLT", both), nativeText(10, 10, rows10));
}

TEST_F(ForeignFormats, SltTooShortWithoutAnchorOrWithABadSize) {
    EXPECT_EQ(load("p.SLT", sltFile(2, 2, {"11"}, false, false, 2035)), Lines{});
    EXPECT_FALSE(load("p.SLT", sltFile(2, 2, {"11"}, false, false, 2036)).empty());
    std::string b = sltFile(2, 2, {"11"});
    b[9] = 'x';
    EXPECT_EQ(load("p.SLT", b), Lines{});
    EXPECT_THROW(load("p.SLT", sltFile(5, 0, {})), FormatError);
    EXPECT_THROW(load("p.SLT", sltFile(-5, 5, {})), FormatError);
    // Cells past the end of the file have no clue.
    const Lines lines = load("p.SLT", sltFile(100, 100, Lines(100, std::string(100, '2'))));
    ASSERT_EQ(lines.size(), 103u);
    // S = 406: 11 + 406 (c + 1) + 2r lies in the file for c up to 3.
    EXPECT_EQ(lines[2], std::string(4, '2') + std::string(96, '-'));
    EXPECT_EQ(lines[101], std::string(4, '2') + std::string(96, '-'));
}

// .RING

TEST_F(ForeignFormats, RingWithEmptyListsHasItsLatticeAt52AndNeedsBothLattices) {
    RingFile ring{2, 2, {{3, -1}, {0, 1}}};
    ASSERT_EQ(ring.latticeOffset(), 52u);
    ASSERT_EQ(ring.bytes().size(), 252u);
    EXPECT_EQ(load("p.RING", ring.bytes()), nativeText(2, 2, {"3-", "01"}));
    ring.sizeChange = -1;  // 251 bytes: the second lattice does not fit
    EXPECT_EQ(load("p.RING", ring.bytes()), Lines{});
    ring.sizeChange = 1000;
    EXPECT_EQ(load("p.ring", ring.bytes()), nativeText(2, 2, {"3-", "01"}));
}

TEST_F(ForeignFormats, RingClueWordsByTheirLowestByte) {
    RingFile ring{7, 1, {{-1, 3, 256, 4, 0x103, 0x0FF, 2}}};
    EXPECT_EQ(load("p.RING", ring.bytes()), nativeText(7, 1, {"-30-3-2"}));
}

TEST_F(ForeignFormats, RingSkipsTheCountedWordsAndLists) {
    RingFile ring{3, 2, {{1, 2, 3}, {0, -1, 0}}};
    ring.k = 3;
    ring.lists[0] = 1;
    ring.lists[1] = 0;
    ring.lists[2] = 5;
    ASSERT_EQ(ring.latticeOffset(), 40u + 12 + 12 + 4 * 6);
    EXPECT_EQ(load("p.RING", ring.bytes()), nativeText(3, 2, {"123", "0-0"}));
}

TEST_F(ForeignFormats, RingLongerThan64KiloBytesIsReadWhole) {
    std::vector<std::vector<int32_t>> clues(100, std::vector<int32_t>(100, -1));
    clues[99][99] = 2;
    RingFile ring{100, 100, clues};
    ASSERT_GT(ring.bytes().size(), 65536u);
    const Lines lines = load("p.RING", ring.bytes());
    ASSERT_EQ(lines.size(), 103u);
    EXPECT_EQ(lines[101], std::string(99, '-') + "2");
}

TEST_F(ForeignFormats, RingRejectedSilentlyWhenItIsNotOne) {
    RingFile ring{2, 2, {{1, 1}, {1, 1}}};
    std::string b = ring.bytes();
    putWord(b, 0, 101);
    EXPECT_EQ(load("p.RING", b), Lines{});
    EXPECT_EQ(load("p.RING", ring.bytes().substr(0, 51)), Lines{});
    for (int k : {-1, -14, 1000000, 0x7FFFFFFF, static_cast<int>(0x80000000)}) {
        b = ring.bytes();
        putWord(b, 24, k);
        EXPECT_EQ(load("p.RING", b), Lines{}) << k;
    }
    b = ring.bytes();
    putWord(b, 48, -100);  // the third list's count, pointing before the file
    EXPECT_EQ(load("p.RING", b), Lines{});
    // A negative count that stays inside the file is trusted: the lattice starts earlier.
    b = ring.bytes();
    putWord(b, 48, -2);
    EXPECT_EQ(load("p.RING", b).size(), 5u);
}

TEST_F(ForeignFormats, RingSizeOutsideOneTo500IsRefused) {
    for (auto [w, h] : {std::pair{0, 2}, {2, 0}, {501, 2}, {2, 501}, {-3, 2}}) {
        std::string b = RingFile{2, 2, {}}.bytes();
        putWord(b, 8, h);
        putWord(b, 12, w);
        EXPECT_THROW(load("p.RING", b), FormatError) << w << " x " << h;
    }
}

// .SLZ

TEST_F(ForeignFormats, SlzHeaderAndMarkersAreReplacedAroundTheBody) {
    const std::string first = "   3           2  extra";  // width at 2-4, height at 16-18
    ASSERT_EQ(first.substr(15, 3), "2  ");
    EXPECT_EQ(load("p.SLZ", crlf({first, "second", "1B#", "0-3", "old end", "kept"})),
              (Lines{"[Vexilo data]   3 x   2 -1", "[Start]", "1B#", "0-3", "[End]", "kept"}));
    // Exactly H + 2 lines: "[End]" is appended.
    EXPECT_EQ(load("p.slz", crlf({first, "", "1", "2"})),
              (Lines{"[Vexilo data]   3 x   2 -1", "[Start]", "1", "2", "[End]"}));
    ASSERT_TRUE(readNativeText(*t, folder.path("p.slz")));
    EXPECT_EQ(t->W(), 3);
    EXPECT_EQ(t->difficulty.stored, -1);
}

TEST_F(ForeignFormats, SlzWithTooFewLinesStaysAsLoadedAndIsIgnored) {
    const Lines lines = {" 3             2 ", "x", "111"};
    EXPECT_EQ(load("p.SLZ", crlf(lines)), lines);
    EXPECT_FALSE(readNativeText(*t, folder.path("p.SLZ")));
}

TEST_F(ForeignFormats, SlzSizeFieldsMustBeNumbers) {
    EXPECT_THROW(load("p.SLZ", crlf({"               2", "", "1", "2"})), std::invalid_argument);
    EXPECT_THROW(load("p.SLZ", crlf({" 3", "", "1", "2"})), std::invalid_argument);
    EXPECT_THROW(load("p.SLZ", crlf({"  3x           2  ", "", "1", "2"})), std::invalid_argument);
    EXPECT_THROW(load("p.SLZ", ""), std::out_of_range);
    EXPECT_THROW(load("p.SLZ", crlf({"   0           2  ", "", "1", "2"})), FormatError);
    EXPECT_THROW(load("p.SLZ", crlf({"   3           -1 ", ""})), FormatError);
    EXPECT_THROW(load("p.SLZ", crlf({" 501           501"})), FormatError);
}

}  // namespace
}  // namespace vexilo
