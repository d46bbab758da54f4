#include "display/paint_board.h"

#include <vector>

#include "model/rebuild.h"

namespace vexilo {

namespace {

constexpr uint32_t toOpaqueArgb(uint32_t bgr) {
    return 0xFF000000u | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

}  // namespace

void paintBoard(const PixelBuffer& picture, int scrollX, int scrollY, int zoom, int width,
                int height, uint32_t* out, std::ptrdiff_t stride, PixelOrder order) {
    if (width <= 0 || height <= 0 || zoom <= 0) return;
    // Source column of every view column, computed once per paint (-1: beyond the picture).
    std::vector<int> column(static_cast<size_t>(width));
    for (int i = 0; i < width; ++i) {
        const int x = (scrollX + i) / zoom;
        column[i] = (scrollX + i >= 0 && x < picture.width) ? x : -1;
    }
    const uint32_t blank =
        order == PixelOrder::kOpaqueArgb ? toOpaqueArgb(colour::kWhite) : colour::kWhite;
    for (int j = 0; j < height; ++j) {
        uint32_t* to = out + static_cast<std::ptrdiff_t>(j) * stride;
        const int y = (scrollY + j) / zoom;
        if (scrollY + j < 0 || y >= picture.height) {
            for (int i = 0; i < width; ++i) to[i] = blank;
            continue;
        }
        // Rows of the same source row are equal: copy the previous one.
        if (j > 0 && (scrollY + j - 1) / zoom == y && scrollY + j - 1 >= 0) {
            const uint32_t* prev = to - stride;
            for (int i = 0; i < width; ++i) to[i] = prev[i];
            continue;
        }
        const uint32_t* from = &picture.pixels[static_cast<size_t>(y) * picture.width];
        if (order == PixelOrder::kOpaqueArgb) {
            for (int i = 0; i < width; ++i) {
                to[i] = column[i] < 0 ? blank : toOpaqueArgb(from[column[i]]);
            }
        } else {
            for (int i = 0; i < width; ++i) to[i] = column[i] < 0 ? blank : from[column[i]];
        }
    }
}

void paintBoard(const PixelBuffer& picture, int scrollX, int scrollY, int zoom, int width,
                int height, PixelBuffer& out) {
    out.resize(width, height);
    paintBoard(picture, scrollX, scrollY, zoom, width, height, out.pixels.data(), width,
               PixelOrder::kPicture);
}

}  // namespace vexilo
