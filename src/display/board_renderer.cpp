#include "display/board_renderer.h"

#include <algorithm>

#include "display/glyph_sheet.h"
#include "model/rebuild.h"

namespace vexilo {

namespace {

// Fills [x0, x1) x [y0, y1), clipped to the picture.
void fillRect(PixelBuffer& buf, int x0, int y0, int x1, int y1, uint32_t c) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, buf.width);
    y1 = std::min(y1, buf.height);
    if (x0 >= x1) return;
    for (int y = y0; y < y1; ++y) {
        uint32_t* row = &buf.at(0, y);
        std::fill(row + x0, row + x1, c);
    }
}

// A pen line from (x0, y) to (x1, y) or from (x, y0) to (x, y1): the end point is not drawn.
void lineH(PixelBuffer& buf, int x0, int x1, int y, uint32_t c) {
    fillRect(buf, x0, y, x1, y + 1, c);
}
void lineV(PixelBuffer& buf, int x, int y0, int y1, uint32_t c) {
    fillRect(buf, x, y0, x + 1, y1, c);
}

void copyGlyph(const PixelBuffer& sheet, int key, int band, PixelBuffer& to, int left, int top) {
    if (left < 0 || top < 0 || left + kGlyphSize > to.width || top + kGlyphSize > to.height) {
        return;
    }
    for (int y = 0; y < kGlyphSize; ++y) {
        const uint32_t* from = sheet.pixels.data() + (8 * band + y) * sheet.width + 8 * key;
        std::copy(from, from + kGlyphSize, &to.at(left, top + y));
    }
}

void setPixel(PixelBuffer& buf, int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < buf.width && y < buf.height) buf.at(x, y) = c;
}

}  // namespace

void BoardRenderer::clear(int width, int height) {
    if (width > 0) {
        const int w = boardPixels(width);
        const int h = boardPixels(height);
        if (plain_.width != w || plain_.height != h) plain_.resize(w, h);
        if (colour_.width != w || colour_.height != h) colour_.resize(w, h);
    }
    fillRect(plain_, 0, 0, plain_.width, plain_.height, colour::kWhite);
    fillRect(colour_, 0, 0, colour_.width, colour_.height, colour::kFrameGreen);
    fillRect(colour_, 4, 4, colour_.width - 4, colour_.height - 4, colour::kWhite);
    for (PixelBuffer* buf : {&plain_, &colour_}) {
        for (int j = 0; j <= height; ++j) lineH(*buf, 4, 8 * width + 4, 4 + 8 * j, colour::kGrey);
        for (int i = 0; i <= width; ++i) lineV(*buf, 4 + 8 * i, 4, 8 * height + 4, colour::kGrey);
    }
}

void BoardRenderer::drawCell(int x, int y, uint8_t g) {
    const int key = g & 7;
    if (key >= kGlyphKeys) return;  // no such cell key
    const int left = 8 * (x / 2 - 1) + 5;
    const int top = 8 * (y / 2 - 1) + 5;
    const int band = g >= 0x30 ? kBandOutside : (g < 0x20 ? kBandPlain : kBandInside);
    const PixelBuffer& sheet = glyphSheet();
    copyGlyph(sheet, key, kBandPlain, plain_, left, top);
    copyGlyph(sheet, key, band, colour_, left, top);
}

void BoardRenderer::drawEdge(int x, int y, uint8_t g) {
    if ((g & 3) < 2) return;
    const int m = g & 0x77;
    uint32_t colourPen = colour::kBlack;
    if (m >= 0x30) {
        colourPen = colour::kGreen;
    } else if (m >= 0x20) {
        colourPen = colour::kOrange;
    } else if (m == 2) {
        colourPen = colour::kNearWhite;
    }
    const uint32_t plainPen = (g & 7) == 2 ? colour::kNearWhite : colour::kBlack;
    if (x % 2 == 0) {
        const int left = 8 * (x / 2 - 1) + 5;
        const int row = 8 * ((y - 1) / 2) + 4;
        lineH(plain_, left, left + 7, row, plainPen);
        lineH(colour_, left, left + 7, row, colourPen);
    } else {
        const int column = 8 * ((x - 1) / 2) + 4;
        const int top = 8 * (y / 2 - 1) + 5;
        lineV(plain_, column, top, top + 7, plainPen);
        lineV(colour_, column, top, top + 7, colourPen);
    }
}

void BoardRenderer::drawDot(int x, int y, uint32_t c) {
    const int px = 4 + 8 * ((x - 1) / 2);
    const int py = 4 + 8 * ((y - 1) / 2);
    setPixel(colour_, px, py, c);
    const bool plainColour = c == colour::kBlack || c == colour::kGrey;
    setPixel(plain_, px, py, plainColour ? c : colour::kNearWhite);
}

}  // namespace vexilo
