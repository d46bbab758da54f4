#include "display/board_renderer.h"

#include <algorithm>
#include <vector>

#include "display/glyph_sheet.h"
#include "model/lattice.h"
#include "model/rebuild.h"

namespace vexilo {

namespace {

constexpr uint32_t kDrawn = 0x80000000u;

// Whether a w x h block at (left, top) lies in the picture.
bool fits(const PixelBuffer& buf, int left, int top, int w, int h) {
    return left >= 0 && top >= 0 && left + w <= buf.width && top + h <= buf.height;
}

uint32_t* pixelAt(PixelBuffer& buf, int x, int y) {
    return buf.pixels.data() + static_cast<size_t>(y) * buf.width + x;
}

void copyGlyph(const PixelBuffer& sheet, int key, int band, PixelBuffer& to, int left, int top) {
    if (!fits(to, left, top, kGlyphSize, kGlyphSize)) return;
    const uint32_t* from = sheet.pixels.data() + (8 * band) * sheet.width + 8 * key;
    uint32_t* row = pixelAt(to, left, top);
    for (int y = 0; y < kGlyphSize; ++y, from += sheet.width, row += to.width) {
        for (int x = 0; x < kGlyphSize; ++x) row[x] = from[x];
    }
}

// The 7 pixels of an edge, from (left, top) to the right or downwards.
void edgeLine(PixelBuffer& buf, int left, int top, bool horizontal, uint32_t c) {
    if (!fits(buf, left, top, horizontal ? 7 : 1, horizontal ? 1 : 7)) return;
    uint32_t* p = pixelAt(buf, left, top);
    const size_t step = horizontal ? 1 : static_cast<size_t>(buf.width);
    for (int i = 0; i < 7; ++i, p += step) *p = c;
}

void setPixel(PixelBuffer& buf, int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < buf.width && y < buf.height) *pixelAt(buf, x, y) = c;
}

// Fills a picture row by row from a few patterns: the frame's rows, the rows of the grid's
// horizontal lines and the rows between them. `outside` is the colour of the 4-pixel
// frame, `inside` the background within it.
void clearPicture(PixelBuffer& buf, int width, int height, uint32_t outside, uint32_t inside) {
    if (buf.width == 0 || buf.height == 0) return;
    const int w = buf.width;
    std::vector<uint32_t> frameRow(w, outside);
    std::vector<uint32_t> plainRow(w, outside);
    std::fill(plainRow.begin() + std::min(4, w), plainRow.begin() + std::max(w - 4, std::min(4, w)),
              inside);
    // The grid lines are pen lines from the first to the last dot with the end point left
    // out, so the last horizontal line stops one pixel short of the last vertical one.
    std::vector<uint32_t> gridRow = plainRow;
    for (int i = 0; i <= width; ++i) {
        if (4 + 8 * i < w) gridRow[4 + 8 * i] = colour::kGrey;
    }
    std::vector<uint32_t> lastLineRow = plainRow;
    for (int x = 4; x < std::min(8 * width + 4, w); ++x) lastLineRow[x] = colour::kGrey;
    std::vector<uint32_t> lineRow = lastLineRow;
    if (8 * width + 4 < w) lineRow[8 * width + 4] = colour::kGrey;
    for (int y = 0; y < buf.height; ++y) {
        const std::vector<uint32_t>* pattern = &plainRow;
        if (y < 4 || y >= buf.height - 4) pattern = &frameRow;
        if (y >= 4 && y < 8 * height + 4) pattern = (y - 4) % 8 == 0 ? &lineRow : &gridRow;
        if (y == 8 * height + 4) pattern = &lastLineRow;
        std::copy(pattern->begin(), pattern->end(), pixelAt(buf, 0, y));
    }
}

}  // namespace

BoardRenderer::BoardRenderer(PixelBuffer& plain, PixelBuffer& colour)
    : plain_(plain), colour_(colour), sheet_(glyphSheet()), pending_(kLatticeBytes, 0) {}

void BoardRenderer::clear(int width, int height) {
    if (width > 0) {
        const int w = boardPixels(width);
        const int h = boardPixels(height);
        if (plain_.width != w || plain_.height != h) plain_.resize(w, h);
        if (colour_.width != w || colour_.height != h) colour_.resize(w, h);
    }
    // Forget the last drawing, on every row and column it can have used.
    const int rows = std::min(2 * std::max(height_, height) + 3, kLatticeSide);
    const int columns = std::min(2 * std::max(width_, width) + 3, kLatticeSide);
    for (int y = 0; y < rows; ++y) {
        std::fill_n(pending_.begin() + latticeIndex(0, y), columns, 0u);
    }
    width_ = width;
    height_ = height;
    cleared_ = true;
}

void BoardRenderer::drawCell(int x, int y, uint8_t g) {
    pending_[latticeIndex(x, y)] = kDrawn | g;
}

void BoardRenderer::drawEdge(int x, int y, uint8_t g) {
    pending_[latticeIndex(x, y)] = kDrawn | g;
}

void BoardRenderer::drawDot(int x, int y, uint32_t c) {
    pending_[latticeIndex(x, y)] = kDrawn | (c & 0xFFFFFF);
}

void BoardRenderer::finish() {
    if (!cleared_) return;
    cleared_ = false;
    clearPicture(plain_, width_, height_, colour::kWhite, colour::kWhite);
    clearPicture(colour_, width_, height_, colour::kFrameGreen, colour::kWhite);
    const int rows = std::min(2 * height_ + 3, kLatticeSide);
    const int columns = std::min(2 * width_ + 3, kLatticeSide);
    for (int y = 0; y < rows; ++y) {
        const uint32_t* row = pending_.data() + latticeIndex(0, y);
        for (int x = 0; x < columns; ++x) {
            const uint32_t v = row[x];
            if (v == 0) continue;
            if (isCell(x, y)) {
                paintCell(x, y, static_cast<uint8_t>(v));
            } else if (isDot(x, y)) {
                paintDot(x, y, v & 0xFFFFFF);
            } else {
                paintEdge(x, y, static_cast<uint8_t>(v));
            }
        }
    }
}

void BoardRenderer::paintCell(int x, int y, uint8_t g) {
    const int key = g & 7;
    if (key >= kGlyphKeys) return;  // no such cell key
    const int left = 8 * (x / 2 - 1) + 5;
    const int top = 8 * (y / 2 - 1) + 5;
    const int band = g >= kOutside ? kBandOutside : (g < kInside ? kBandPlain : kBandInside);
    copyGlyph(sheet_, key, kBandPlain, plain_, left, top);
    copyGlyph(sheet_, key, band, colour_, left, top);
}

void BoardRenderer::paintEdge(int x, int y, uint8_t g) {
    if ((g & 3) < 2) return;
    const int m = g & 0x77;
    uint32_t colourPen = colour::kBlack;
    if (m >= kOutside) {
        colourPen = colour::kGreen;
    } else if (m >= kInside) {
        colourPen = colour::kOrange;
    } else if (m == 2) {
        colourPen = colour::kNearWhite;
    }
    const uint32_t plainPen = (g & 7) == 2 ? colour::kNearWhite : colour::kBlack;
    const bool horizontal = x % 2 == 0;
    const int left = horizontal ? 8 * (x / 2 - 1) + 5 : 8 * ((x - 1) / 2) + 4;
    const int top = horizontal ? 8 * ((y - 1) / 2) + 4 : 8 * (y / 2 - 1) + 5;
    edgeLine(plain_, left, top, horizontal, plainPen);
    edgeLine(colour_, left, top, horizontal, colourPen);
}

void BoardRenderer::paintDot(int x, int y, uint32_t c) {
    const int px = 4 + 8 * ((x - 1) / 2);
    const int py = 4 + 8 * ((y - 1) / 2);
    setPixel(colour_, px, py, c);
    const bool plainColour = c == colour::kBlack || c == colour::kGrey;
    setPixel(plain_, px, py, plainColour ? c : colour::kNearWhite);
}

}  // namespace vexilo
