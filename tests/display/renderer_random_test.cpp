// The renderer against a naive one that draws every call at once onto the pictures, the
// way a drawing surface that paints each call immediately would: on seeded random logs,
// both give the same pixels.
#include <gtest/gtest.h>

#include <random>

#include "display/board_renderer.h"
#include "display/glyph_sheet.h"
#include "model/move_log.h"
#include "model/rebuild.h"
#include "support/test_support.h"

namespace vexilo {
namespace {

class EagerCanvas : public BoardCanvas {
  public:
    EagerCanvas(PixelBuffer& plain, PixelBuffer& colour) : plain_(plain), colour_(colour) {}

    void clear(int width, int height) override {
        plain_.resize(boardPixels(width), boardPixels(height));
        colour_.resize(boardPixels(width), boardPixels(height));
        for (int y = 0; y < plain_.height; ++y) {
            for (int x = 0; x < plain_.width; ++x) {
                plain_.at(x, y) = colour::kWhite;
                const bool frame =
                    x < 4 || y < 4 || x >= plain_.width - 4 || y >= plain_.height - 4;
                colour_.at(x, y) = frame ? colour::kFrameGreen : colour::kWhite;
            }
        }
        // Pen lines from the first to the last dot, the end point left out.
        for (PixelBuffer* p : {&plain_, &colour_}) {
            for (int j = 0; j <= height; ++j) {
                for (int x = 4; x < 8 * width + 4; ++x) p->at(x, 4 + 8 * j) = colour::kGrey;
            }
            for (int i = 0; i <= width; ++i) {
                for (int y = 4; y < 8 * height + 4; ++y) p->at(4 + 8 * i, y) = colour::kGrey;
            }
        }
    }
    void drawCell(int x, int y, uint8_t g) override {
        const PixelBuffer& sheet = glyphSheet();
        const int band = g >= 0x30 ? 2 : g < 0x20 ? 0 : 1;
        for (int dy = 0; dy < 7; ++dy) {
            for (int dx = 0; dx < 7; ++dx) {
                const int px = 8 * (x / 2 - 1) + 5 + dx;
                const int py = 8 * (y / 2 - 1) + 5 + dy;
                plain_.at(px, py) = sheet.at(8 * (g & 7) + dx, dy);
                colour_.at(px, py) = sheet.at(8 * (g & 7) + dx, 8 * band + dy);
            }
        }
    }
    void drawEdge(int x, int y, uint8_t g) override {
        if ((g & 3) < 2) return;
        const int m = g & 0x77;
        const uint32_t pen = m >= 0x30   ? colour::kGreen
                             : m >= 0x20 ? colour::kOrange
                             : m == 2    ? colour::kNearWhite
                                         : colour::kBlack;
        const uint32_t plainPen = (g & 7) == 2 ? colour::kNearWhite : colour::kBlack;
        for (int i = 0; i < 7; ++i) {
            const int px = x % 2 == 0 ? 8 * (x / 2 - 1) + 5 + i : 8 * ((x - 1) / 2) + 4;
            const int py = x % 2 == 0 ? 8 * ((y - 1) / 2) + 4 : 8 * (y / 2 - 1) + 5 + i;
            plain_.at(px, py) = plainPen;
            colour_.at(px, py) = pen;
        }
    }
    void drawDot(int x, int y, uint32_t c) override {
        const int px = 4 + 8 * ((x - 1) / 2);
        const int py = 4 + 8 * ((y - 1) / 2);
        colour_.at(px, py) = c;
        plain_.at(px, py) = (c == colour::kBlack || c == colour::kGrey) ? c : colour::kNearWhite;
    }

  private:
    PixelBuffer& plain_;
    PixelBuffer& colour_;
};

TEST(RendererAgainstNaiveDrawing, SamePixelsOnRandomLogs) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        testing::TestState lazy;
        testing::TestState eager;
        const int w = 1 + static_cast<int>(random() % 7);
        const int h = 1 + static_cast<int>(random() % 6);
        std::vector<std::string> rows(h, std::string(w, '-'));
        for (auto& row : rows) {
            for (char& c : row) c = "--0123"[random() % 6];
        }
        BoardRenderer renderer(lazy->plainBitmap, lazy->colourBitmap);
        EagerCanvas naive(eager->plainBitmap, eager->colourBitmap);
        lazy->canvas = &renderer;
        eager->canvas = &naive;
        for (auto* t : {&lazy, &eager}) testing::setClues(**t, rows);
        // Cells the file marks, a few of them.
        for (int k = 0; k < 2; ++k) {
            const uint8_t mark = random() % 2 ? kInside : kOutside;
            const int r = static_cast<int>(random() % h);
            const int c = static_cast<int>(random() % w);
            for (auto* t : {&lazy, &eager}) (*(*t)->clueGrid)[r][c] |= mark;
        }
        const int moves = static_cast<int>(random() % (4 * w * h + 4));
        for (int i = 0; i < moves; ++i) {
            int x = 1 + static_cast<int>(random() % (2 * w + 1));
            int y = 1 + static_cast<int>(random() % (2 * h + 1));
            if ((x + y) % 2 == 0) x = x == 1 ? 2 : x - 1;
            const int32_t e = moveEntry(x, y, random() % 3 == 0 ? kCross : kLine);
            for (auto* t : {&lazy, &eager}) appendEntry(*(*t)->mainBoard, e, (*t).frontend);
        }
        for (auto* t : {&lazy, &eager}) {
            rebuildBoard(**t, *(*t)->mainBoard, *(*t)->mainBoard);
        }
        ASSERT_EQ(lazy->plainBitmap.pixels, eager->plainBitmap.pixels) << "seed " << seed;
        ASSERT_EQ(lazy->colourBitmap.pixels, eager->colourBitmap.pixels) << "seed " << seed;
    }
}

}  // namespace
}  // namespace vexilo
