#include "display/zoom.h"

#include <gtest/gtest.h>

namespace vexilo {
namespace {

TEST(FitZoom, TenByTenInA368PixelPanelIsZoom4) {
    EXPECT_EQ(fitZoom(10, 10, 368, 368), 4);
}

TEST(FitZoom, ThePowerOfTwoBelowTheFitFactorUpTo32) {
    // W = 10: f = Pw / 11 / 8.
    EXPECT_EQ(fitZoom(10, 10, 175, 1000), 1);  // f = 1
    EXPECT_EQ(fitZoom(10, 10, 176, 1000), 2);  // f = 2
    EXPECT_EQ(fitZoom(10, 10, 351, 1000), 2);  // f = 3
    EXPECT_EQ(fitZoom(10, 10, 352, 1000), 4);
    EXPECT_EQ(fitZoom(10, 10, 703, 1000), 4);  // f = 7
    EXPECT_EQ(fitZoom(10, 10, 704, 1000), 8);
    EXPECT_EQ(fitZoom(1, 1, 10000, 10000), 32);
    EXPECT_EQ(fitZoom(0, 0, 512, 512), 32);
}

TEST(FitZoom, TheTighterDirectionDecides) {
    EXPECT_EQ(fitZoom(10, 1, 368, 100), 4);  // 368 / 11 / 8 = 4, 100 / 2 / 8 = 6
    EXPECT_EQ(fitZoom(1, 10, 100, 368), 4);
    EXPECT_EQ(fitZoom(500, 1, 368, 10000), 1);
}

TEST(FitZoom, APanelWithNoRoomGivesZoom1) {
    EXPECT_EQ(fitZoom(5, 5, 0, 0), 1);
    EXPECT_EQ(fitZoom(5, 5, -20, 300), 1);
    EXPECT_EQ(fitZoom(500, 500, 368, 368), 1);
}

TEST(FitZoom, AgreesWithTheLargestZoomWhoseBoardFits) {
    for (int w = 0; w <= 40; w += 3) {
        for (int h = 0; h <= 40; h += 7) {
            for (int pw = 0; pw <= 3000; pw += 37) {
                const int ph = 3000 - pw;
                int expected = 1;
                for (int z = 2; z <= 32; z *= 2) {
                    if (8 * z * (w + 1) <= pw && 8 * z * (h + 1) <= ph) expected = z;
                }
                ASSERT_EQ(fitZoom(w, h, pw, ph), expected) << w << " " << h << " " << pw;
            }
        }
    }
}

}  // namespace
}  // namespace vexilo
