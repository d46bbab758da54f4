// A plain 32-bit pixel buffer; colours are 0x00BBGGRR words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexilo {

struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    void resize(int w, int h) {
        width = w;
        height = h;
        pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    }
    uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

}  // namespace vexilo
