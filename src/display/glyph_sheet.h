// Image1: the 40 x 24 glyph sheet of the board pictures. Five 8 x 8 tiles per band, one
// for each cell key 0 (no clue), 1, 2, 3 and 4 (clue 0); a glyph is the 7 x 7 pixels at
// the top left of its tile. Band 0 has a white background, band 1 (inside) light orange,
// band 2 (outside) light green; the digits are black in every band.
#pragma once

#include "model/pixel_buffer.h"

namespace vexilo {

constexpr int kGlyphSheetWidth = 40;
constexpr int kGlyphSheetHeight = 24;
constexpr int kGlyphSize = 7;
constexpr int kGlyphKeys = 5;

enum GlyphBand : int { kBandPlain = 0, kBandInside = 1, kBandOutside = 2 };

// The sheet, built once.
const PixelBuffer& glyphSheet();

}  // namespace vexilo
