// The view's geometry: enlarging and scrolling the picture, the layout of paint box and
// scroll bars, and where the check command looks at a fault.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/fault_view.h"
#include "display/paint_board.h"
#include "display/view_layout.h"

namespace vexilo {
namespace {

// A 5 x 4 picture whose pixel (x, y) holds 16 * y + x.
PixelBuffer numbered() {
    PixelBuffer p;
    p.resize(5, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) p.at(x, y) = static_cast<uint32_t>(16 * y + x);
    }
    return p;
}

// A resized buffer is all 0, whether it grew into a fresh block or stayed in its own.
TEST(PixelBuffer, EveryResizeLeavesOnlyZeros) {
    PixelBuffer p;
    for (int side : {3, 40, 2, 30, 40, 1, 64}) {
        p.resize(side, side + 1);
        ASSERT_EQ(p.pixels, PixelBuffer::Pixels(static_cast<size_t>(side * (side + 1)), 0));
        std::fill(p.pixels.begin(), p.pixels.end(), 0x123456u);
    }
}

TEST(PaintBoard, ZoomOneCopiesTheScrolledWindow) {
    PixelBuffer out;
    paintBoard(numbered(), 2, 1, 1, 3, 2, out);
    EXPECT_EQ(out.pixels, (PixelBuffer::Pixels{18, 19, 20, 34, 35, 36}));
}

TEST(PaintBoard, EveryPixelBecomesABlockAndScrollingNeedNotBeBlockAligned) {
    PixelBuffer out;
    // Zoom 3, scrolled by 4 pixels right and 2 down: the view starts one pixel into the
    // block of source pixel (1, 0) and two pixels into its row.
    paintBoard(numbered(), 4, 2, 3, 6, 4, out);
    const PixelBuffer::Pixels expected = {
        1,  1,  2,  2,  2,  3,   // view row 0: source row 0 (its last line)
        17, 17, 18, 18, 18, 19,  // rows 1-3: source row 1
        17, 17, 18, 18, 18, 19,  //
        17, 17, 18, 18, 18, 19,  //
    };
    EXPECT_EQ(out.pixels, expected);
}

TEST(PaintBoard, PointsBeyondThePictureAreWhite) {
    PixelBuffer out;
    paintBoard(numbered(), 8, 6, 2, 3, 3, out);
    EXPECT_EQ(out.pixels, (PixelBuffer::Pixels{52, 52, 0xFFFFFF, 52, 52, 0xFFFFFF, 0xFFFFFF,
                                               0xFFFFFF, 0xFFFFFF}));
}

TEST(PaintBoard, ScreenOrderSwapsRedAndBlueAndIsOpaque) {
    PixelBuffer p;
    p.resize(1, 1);
    p.at(0, 0) = 0x66BBFF;  // orange as 0x00BBGGRR
    uint32_t out[4] = {};
    paintBoard(p, 0, 0, 2, 2, 2, out, 2, PixelOrder::kOpaqueArgb);
    for (uint32_t v : out) EXPECT_EQ(v, 0xFFFFBB66u);
}

TEST(PaintBoard, RespectsTheRowStride) {
    uint32_t out[2 * 4];
    std::fill(std::begin(out), std::end(out), 7u);
    paintBoard(numbered(), 0, 0, 1, 2, 2, out, 4, PixelOrder::kPicture);
    EXPECT_EQ(std::vector<uint32_t>(out, out + 8),
              (std::vector<uint32_t>{0, 1, 7, 7, 16, 17, 7, 7}));
}

TEST(LayoutView, TenByTenAtZoomFourFitsTheDefaultPanel) {
    const ViewLayout v = layoutView(10, 10, 4, 368, 368);
    ASSERT_TRUE(v.sized);
    EXPECT_EQ(v.paintWidth, 356);
    EXPECT_EQ(v.paintHeight, 356);
    EXPECT_FALSE(v.barX.visible);
    EXPECT_FALSE(v.barY.visible);
    EXPECT_EQ(v.barX.limit, 0);
    EXPECT_EQ(v.barX.max, 356);
}

TEST(LayoutView, LargerBoardGetsBothBarsAndAViewShortOfThem) {
    const ViewLayout v = layoutView(10, 10, 8, 368, 368);
    EXPECT_TRUE(v.barX.visible);
    EXPECT_TRUE(v.barY.visible);
    EXPECT_EQ(v.paintWidth, 352);
    EXPECT_EQ(v.paintHeight, 352);
    EXPECT_EQ(v.barX.max, 712);
    EXPECT_EQ(v.barX.pageSize, 352);
    EXPECT_EQ(v.barX.largeChange, 352);
    EXPECT_EQ(v.barX.limit, 712 - 352);
    EXPECT_EQ(v.barX.top, 352);
    EXPECT_EQ(v.barX.width, 352);
    EXPECT_EQ(v.barY.left, 352);
    EXPECT_EQ(v.barY.height, 352);
    EXPECT_EQ(v.barX.position, 0);
    EXPECT_EQ(v.barY.position, 0);
}

TEST(LayoutView, WideBoardGetsOnlyTheHorizontalBarWhereItsFullHeightFitsAboveIt) {
    // 50 x 5 at zoom 1: 409 x 49 pixels.
    const ViewLayout v = layoutView(50, 5, 1, 368, 65);
    EXPECT_TRUE(v.barX.visible);
    EXPECT_FALSE(v.barY.visible);
    EXPECT_EQ(v.paintWidth, 368);
    EXPECT_EQ(v.paintHeight, 49);
    EXPECT_EQ(v.barX.top, 49);
    EXPECT_EQ(v.barX.width, 368);
    EXPECT_EQ(v.barX.limit, 409 - 368);
    EXPECT_EQ(v.barY.limit, 0);
    EXPECT_FALSE(layoutView(5, 50, 1, 65, 368).barX.visible);
}

// Whatever the board and panel, no bar lies over the paint box, and scrolling each bar to
// its limit shows the board's last pixel column and row.
TEST(LayoutView, EveryPixelOfTheBoardCanBeScrolledIntoViewBesideTheBars) {
    for (int width : {1, 5, 44, 45, 50}) {
        for (int height : {1, 5, 43, 44, 45, 50}) {
            for (int zoom : {1, 2, 4, 8}) {
                for (int panel : {60, 100, 368, 400}) {
                    const ViewLayout v = layoutView(width, height, zoom, panel, panel + 3);
                    const int contentW = zoom * (8 * width + 9);
                    const int contentH = zoom * (8 * height + 9);
                    const std::string at = std::to_string(width) + "x" + std::to_string(height) +
                                           " zoom " + std::to_string(zoom) + " panel " +
                                           std::to_string(panel);
                    EXPECT_EQ(v.barX.limit + v.paintWidth, contentW) << at;
                    EXPECT_EQ(v.barY.limit + v.paintHeight, contentH) << at;
                    EXPECT_EQ(v.barX.visible, v.barX.limit > 0) << at;
                    EXPECT_EQ(v.barY.visible, v.barY.limit > 0) << at;
                    if (v.barX.visible) {
                        EXPECT_LE(v.paintHeight, v.barX.top) << at;
                    }
                    if (v.barY.visible) {
                        EXPECT_LE(v.paintWidth, v.barY.left) << at;
                    }
                }
            }
        }
    }
}

TEST(LayoutView, TallBoardGetsOnlyTheVerticalBar) {
    const ViewLayout v = layoutView(3, 50, 1, 368, 368);
    EXPECT_FALSE(v.barX.visible);
    EXPECT_TRUE(v.barY.visible);
    EXPECT_EQ(v.paintWidth, 33);
    EXPECT_EQ(v.paintHeight, 368);
    EXPECT_EQ(v.barY.left, 352);
    EXPECT_EQ(v.barY.limit, 409 - 368);
}

TEST(LayoutView, BoardExactlyAsLargeAsThePanelNeedsNoBar) {
    const ViewLayout v = layoutView(10, 10, 1, 89, 89);
    EXPECT_FALSE(v.barX.visible);
    EXPECT_FALSE(v.barY.visible);
    EXPECT_EQ(layoutView(10, 10, 1, 88, 89).barX.visible, true);
}

TEST(LayoutView, WithoutAPuzzleOnlyHidesTheBars) {
    const ViewLayout v = layoutView(0, 0, 1, 368, 368);
    EXPECT_FALSE(v.sized);
    EXPECT_FALSE(v.barX.visible);
    EXPECT_FALSE(v.barY.visible);
    EXPECT_EQ(v.barX.position, 0);
}

TEST(FaultView, PointsAtTheFaultAndCentresItWithinTheBars) {
    // Cell column 0 at zoom 1 is image x 10; nothing to scroll on a small board.
    FaultView f = faultView(1, 1, 1, 89, 89, 0, 0);
    EXPECT_EQ(f.imageX, 10);
    EXPECT_EQ(f.imageY, 10);
    EXPECT_EQ(f.scrollX, 0);
    EXPECT_EQ(f.scrollY, 0);
    // Zoom 8 on a 10 x 10 board (712 pixels, view 352): a fault in the middle is centred.
    f = faultView(5, 6, 8, 352, 352, 712, 712);
    EXPECT_EQ(f.imageX, 8 * 42);
    EXPECT_EQ(f.imageY, 8 * 50);
    EXPECT_EQ(f.scrollX, 8 * 42 - 176);
    EXPECT_EQ(f.scrollY, 8 * 50 - 176);
    // Near the far corner the bars' maximum holds.
    f = faultView(12, 12, 8, 352, 352, 600, 500);
    EXPECT_EQ(f.imageX, 8 * 98);
    EXPECT_EQ(f.scrollX, 600);
    EXPECT_EQ(f.scrollY, 500);
}

}  // namespace
}  // namespace vexilo
