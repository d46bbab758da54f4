// paintBoard: the part of a picture that the view shows, enlarged by the zoom
// without smoothing, so that every scale-1 pixel becomes a zoom x zoom block.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/pixel_buffer.h"

namespace vexilo {

// How the painted words are laid out: as the pictures hold them (0x00BBGGRR), or as an
// opaque 0xFFRRGGBB word, the layout of a 32-bit screen image.
enum class PixelOrder { kPicture, kOpaqueArgb };

// Pixel (i, j) of a width x height view scrolled to (scrollX, scrollY) shows the scale-1
// pixel ((scrollX + i) / zoom, (scrollY + j) / zoom) of `picture`; the view's rows are
// `stride` words apart in `out`. Points beyond the picture are painted white.
void paintBoard(const PixelBuffer& picture, int scrollX, int scrollY, int zoom, int width,
                int height, uint32_t* out, std::ptrdiff_t stride, PixelOrder order);

// The same into a buffer of the view's size, in the pictures' own word layout.
void paintBoard(const PixelBuffer& picture, int scrollX, int scrollY, int zoom, int width,
                int height, PixelBuffer& out);

}  // namespace vexilo
