// Exact pixels of both pictures. Pictures are written one character per pixel:
// '.' white, '+' grey, '#' black, ',' near-white, 'f' light green (frame and outside
// glyph background), 'l' light orange (inside glyph background), 'o' orange, 'g' green.
#include <gtest/gtest.h>

#include "display/board_renderer.h"
#include "display/glyph_sheet.h"
#include "model/move_log.h"
#include "model/rebuild.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

using testing::TestState;

char pixelChar(uint32_t c) {
    switch (c) {
        case colour::kWhite:
            return '.';
        case colour::kGrey:
            return '+';
        case colour::kBlack:
            return '#';
        case colour::kNearWhite:
            return ',';
        case colour::kFrameGreen:
            return 'f';
        case colour::kLightOrange:
            return 'l';
        case colour::kOrange:
            return 'o';
        case colour::kGreen:
            return 'g';
        default:
            return '?';
    }
}

std::vector<std::string> pictureOf(const PixelBuffer& buf) {
    std::vector<std::string> rows;
    for (int y = 0; y < buf.height; ++y) {
        std::string row;
        for (int x = 0; x < buf.width; ++x) row += pixelChar(buf.at(x, y));
        rows.push_back(row);
    }
    return rows;
}

// The colour picture's frame: the 4 pixels around the grid are light green.
std::vector<std::string> withFrame(std::vector<std::string> rows) {
    const int h = static_cast<int>(rows.size());
    for (int y = 0; y < h; ++y) {
        const int w = static_cast<int>(rows[y].size());
        for (int x = 0; x < w; ++x) {
            if (x < 4 || y < 4 || x >= w - 4 || y >= h - 4) rows[y][x] = 'f';
        }
    }
    return rows;
}

class Renderer : public ::testing::Test {
  protected:
    void SetUp() override { t->canvas = &renderer; }
    void play(std::initializer_list<int32_t> moves) {
        for (int32_t e : moves) appendEntry(*t->mainBoard, e, t.frontend);
        rebuildBoard(*t, *t->mainBoard, *t->mainBoard);
    }
    TestState t;
    BoardRenderer renderer{t->plainBitmap, t->colourBitmap};
};

TEST(GlyphSheet, HoldsFiveDigitsInThreeBands) {
    const PixelBuffer& s = glyphSheet();
    ASSERT_EQ(s.width, 40);
    ASSERT_EQ(s.height, 24);
    const uint32_t background[3] = {colour::kWhite, colour::kLightOrange, colour::kFrameGreen};
    for (int band = 0; band < 3; ++band) {
        const int top = 8 * band;
        EXPECT_EQ(s.at(0, top + 3), background[band]);    // key 0 is blank
        EXPECT_EQ(s.at(8 + 3, top + 1), colour::kBlack);  // the 1's head
        EXPECT_EQ(s.at(8 + 2, top + 2), colour::kBlack);
        EXPECT_EQ(s.at(8 + 2, top + 1), background[band]);
        EXPECT_EQ(s.at(16 + 1, top + 4), colour::kBlack);  // the 2's lower left
        EXPECT_EQ(s.at(16 + 5, top + 4), background[band]);
        EXPECT_EQ(s.at(24 + 1, top + 3), background[band]);  // the 3's short bar
        EXPECT_EQ(s.at(24 + 2, top + 3), colour::kBlack);
        EXPECT_EQ(s.at(32 + 3, top + 3), background[band]);  // the 0's hollow middle
        EXPECT_EQ(s.at(32 + 5, top + 3), colour::kBlack);
        for (int i = 0; i < 8; ++i) {  // the tile's last row and column are background
            EXPECT_EQ(s.at(32 + 7, top + i), background[band]);
            EXPECT_EQ(s.at(32 + i, top + 7), background[band]);
        }
    }
}

TEST_F(Renderer, NewOneByOnePuzzleIsItsDigitInAGreySquare) {
    testing::setClues(*t, {"3"});
    const std::vector<std::string> plain = {
        ".................",  //
        ".................",  //
        ".................",  //
        ".................",  //
        "....+++++++++....",  //
        "....+.......+....",  //
        "....+.#####.+....",  //
        "....+.....#.+....",  //
        "....+..####.+....",  //
        "....+.....#.+....",  //
        "....+.#####.+....",  //
        "....+.......+....",  //
        // The grid's lines end one pixel short, so the last corner waits for its dot.
        "....++++++++.....",  //
        ".................",  //
        ".................",  //
        ".................",  //
        ".................",  //
    };
    EXPECT_EQ(pictureOf(t->plainBitmap), plain);
    EXPECT_EQ(pictureOf(t->colourBitmap), withFrame(plain));
}

TEST_F(Renderer, LineOnTheTopSideMarksTheCellInsideAndTheFillCrossesToItsNeighbour) {
    testing::setClues(*t, {"1-"});
    play({moveEntry(2, 1, kLine), moveEntry(3, 2, kCross)});
    const std::vector<std::string> plain = {
        ".........................",  //
        ".........................",  //
        ".........................",  //
        ".........................",  //
        "....#########++++++++....",  //
        "....+.......,.......+....",  //
        "....+...#...,.......+....",  //
        "....+..##...,.......+....",  //
        "....+...#...,.......+....",  //
        "....+...#...,.......+....",  //
        "....+...#...,.......+....",  //
        "....+.......,.......+....",  //
        "....+++++++++++++++++....",  //
        ".........................",  //
        ".........................",  //
        ".........................",  //
        ".........................",  //
    };
    EXPECT_EQ(pictureOf(t->plainBitmap), plain);
    const std::vector<std::string> colour = withFrame({
        ".........................",  //
        ".........................",  //
        ".........................",  //
        ".........................",  //
        "....#########++++++++....",  //
        "....+lllllllolllllll+....",  //
        "....+lll#lllolllllll+....",  //
        "....+ll##lllolllllll+....",  //
        "....+lll#lllolllllll+....",  //
        "....+lll#lllolllllll+....",  //
        "....+lll#lllolllllll+....",  //
        "....+lllllllolllllll+....",  //
        "....+++++++++++++++++....",  //
        ".........................",  //
        ".........................",  //
        ".........................",  //
        ".........................",  //
    });
    EXPECT_EQ(pictureOf(t->colourBitmap), colour);
    EXPECT_EQ(t->mainBoard->at(2, 2), 0x21);
    EXPECT_EQ(t->mainBoard->at(4, 2), kInside);
    EXPECT_EQ(t->mainBoard->at(3, 2), kCross | kInside);
    EXPECT_EQ(t->mainBoard->at(3, 1), kDotLined);
}

TEST_F(Renderer, CrossOnTheOuterTopSideMarksTheCellOutside) {
    testing::setClues(*t, {"-"});
    play({moveEntry(2, 1, kCross)});
    const std::vector<std::string> plain = {
        ".................",  //
        ".................",  //
        ".................",  //
        ".................",  //
        "....+,,,,,,,+....",  //
        "....+.......+....",  //
        "....+.......+....",  //
        "....+.......+....",  //
        "....+.......+....",  //
        "....+.......+....",  //
        "....+.......+....",  //
        "....+.......+....",  //
        "....+++++++++....",  //
        ".................",  //
        ".................",  //
        ".................",  //
        ".................",  //
    };
    EXPECT_EQ(pictureOf(t->plainBitmap), plain);
    const std::vector<std::string> colour = withFrame({
        ".................",  //
        ".................",  //
        ".................",  //
        ".................",  //
        "....+ggggggg+....",  //
        "....+fffffff+....",  //
        "....+fffffff+....",  //
        "....+fffffff+....",  //
        "....+fffffff+....",  //
        "....+fffffff+....",  //
        "....+fffffff+....",  //
        "....+fffffff+....",  //
        "....+++++++++....",  //
        ".................",  //
        ".................",  //
        ".................",  //
        ".................",  //
    });
    EXPECT_EQ(pictureOf(t->colourBitmap), colour);
    EXPECT_EQ(t->mainBoard->at(2, 1), kCross | kOutside);
    EXPECT_EQ(t->mainBoard->at(2, 2), kOutside);
}

// A 2 x 2 board whose centre dot (3, 3) is pixel (12, 12).
class CentreDot : public Renderer {
  protected:
    void SetUp() override {
        Renderer::SetUp();
        testing::setClues(*t, {"--", "--"});
    }
    static constexpr int32_t kUp = moveEntry(3, 2, kCross);
    static constexpr int32_t kDown = moveEntry(3, 4, kCross);
    static constexpr int32_t kLeft = moveEntry(2, 3, kCross);
    static constexpr int32_t kRight = moveEntry(4, 3, kCross);
    // Crossing the outer top of the first cell lets the fill reach all four cells.
    static constexpr int32_t kOuterTop = moveEntry(2, 1, kCross);
};

TEST_F(CentreDot, FourCrossesAmongOutsideCellsTurnTheDotGreen) {
    play({kUp, kDown, kLeft, kRight, kOuterTop});
    EXPECT_EQ(t->mainBoard->at(3, 3), 0x32);
    EXPECT_EQ(t->colourBitmap.at(12, 12), colour::kGreen);
    EXPECT_EQ(t->plainBitmap.at(12, 12), colour::kNearWhite);
    for (int i = 5; i <= 11; ++i) {  // the four crosses around it
        EXPECT_EQ(t->colourBitmap.at(12, i), colour::kGreen);
        EXPECT_EQ(t->colourBitmap.at(12, 8 + i), colour::kGreen);
        EXPECT_EQ(t->colourBitmap.at(i, 12), colour::kGreen);
        EXPECT_EQ(t->plainBitmap.at(8 + i, 12), colour::kNearWhite);
    }
}

TEST_F(CentreDot, FourCrossesAroundUnmarkedCellsStayGrey) {
    play({kUp, kDown, kLeft, kRight});
    EXPECT_EQ(t->mainBoard->at(3, 3), 0);
    EXPECT_EQ(t->colourBitmap.at(12, 12), colour::kGrey);
    EXPECT_EQ(t->colourBitmap.at(12, 8), colour::kNearWhite);
}

TEST_F(CentreDot, ThreeCrossesAndAnUndecidedEdgeStayGrey) {
    play({kUp, kDown, kLeft, kOuterTop});
    // All four cells are outside, but the right edge is still open.
    EXPECT_EQ(t->mainBoard->at(4, 2) & 0x30, kOutside);
    EXPECT_EQ(t->mainBoard->at(4, 4) & 0x30, kOutside);
    EXPECT_EQ(t->mainBoard->at(3, 3), 0);
    EXPECT_EQ(t->colourBitmap.at(12, 12), colour::kGrey);
    EXPECT_EQ(t->plainBitmap.at(12, 12), colour::kGrey);
}

TEST_F(CentreDot, FourCrossesAmongInsideCellsTurnTheDotOrange) {
    // Lines all around the outside put the four cells inside.
    play({kUp, kDown, kLeft, kRight, moveEntry(2, 1, kLine), moveEntry(4, 1, kLine),
          moveEntry(1, 2, kLine), moveEntry(1, 4, kLine), moveEntry(5, 2, kLine),
          moveEntry(5, 4, kLine), moveEntry(2, 5, kLine), moveEntry(4, 5, kLine)});
    EXPECT_EQ(t->mainBoard->at(3, 3), 0x22);
    EXPECT_EQ(t->colourBitmap.at(12, 12), colour::kOrange);
    EXPECT_EQ(t->plainBitmap.at(12, 12), colour::kNearWhite);
    EXPECT_EQ(t->colourBitmap.at(8, 12), colour::kOrange);  // a cross marked inside
    EXPECT_EQ(t->colourBitmap.at(8, 4), colour::kBlack);    // a line
    EXPECT_EQ(t->colourBitmap.at(4, 4), colour::kBlack);    // a dot the line meets
    EXPECT_EQ(t->colourBitmap.at(8, 8), colour::kLightOrange);
}

TEST_F(Renderer, MarkedCellsFromTheFileAreTintedWithoutAnyMove) {
    testing::setClues(*t, {"--"});
    (*t->clueGrid)[0][0] = 0x33;  // clue 3, outside
    (*t->clueGrid)[0][1] = 0x24;  // clue 0, inside
    rebuildBoard(*t, *t->mainBoard, *t->mainBoard);
    EXPECT_EQ(t->colourBitmap.at(5, 5), colour::kFrameGreen);
    EXPECT_EQ(t->colourBitmap.at(6, 6), colour::kBlack);
    EXPECT_EQ(t->colourBitmap.at(13, 5), colour::kLightOrange);
    EXPECT_EQ(t->colourBitmap.at(14, 6), colour::kBlack);
    EXPECT_EQ(t->plainBitmap.at(5, 5), colour::kWhite);
    EXPECT_EQ(t->plainBitmap.at(13, 5), colour::kWhite);
}

TEST_F(Renderer, RebuildWithDrawingOffLeavesThePicturesAlone) {
    testing::setClues(*t, {"1-"});
    const auto plainBefore = t->plainBitmap.pixels;
    const auto colourBefore = t->colourBitmap.pixels;
    const int repaints = t.frontend.repaints;
    t->drawEnabled = 0;
    play({moveEntry(2, 1, kLine), moveEntry(3, 2, kCross)});
    EXPECT_EQ(t->plainBitmap.pixels, plainBefore);
    EXPECT_EQ(t->colourBitmap.pixels, colourBefore);
    EXPECT_EQ(t.frontend.repaints, repaints);
    // The lattice is rebuilt all the same, dot keys included.
    EXPECT_EQ(t->mainBoard->at(4, 2), kInside);
    EXPECT_EQ(t->mainBoard->at(1, 1), kDotLined);
}

TEST_F(Renderer, ClearGivesPicturesTheBoardSize) {
    testing::setClues(*t, {"---", "---"});
    EXPECT_EQ(t->plainBitmap.width, 33);
    EXPECT_EQ(t->plainBitmap.height, 25);
    EXPECT_EQ(t->colourBitmap.width, 33);
    EXPECT_EQ(t->colourBitmap.height, 25);
}

TEST_F(Renderer, ClearWithoutAPuzzleKeepsTheSizes) {
    t->colourBitmap.resize(1, 1);
    t->plainBitmap.resize(20, 10);
    renderer.clear(0, 0);
    renderer.finish();
    EXPECT_EQ(t->colourBitmap.width, 1);
    EXPECT_EQ(t->colourBitmap.at(0, 0), colour::kFrameGreen);
    EXPECT_EQ(t->plainBitmap.width, 20);
    EXPECT_EQ(t->plainBitmap.at(4, 4), colour::kWhite);
}

}  // namespace
}  // namespace vexilo
