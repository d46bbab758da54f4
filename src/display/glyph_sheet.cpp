#include "display/glyph_sheet.h"

#include "model/rebuild.h"

namespace vexilo {

namespace {

// The digits, row 0 at the top; 'X' is black, '-' the band's background.
constexpr const char* kGlyphRows[kGlyphKeys][kGlyphSize] = {
    {"-------", "-------", "-------", "-------", "-------", "-------", "-------"},
    {"-------", "---X---", "--XX---", "---X---", "---X---", "---X---", "-------"},
    {"-------", "-XXXXX-", "-----X-", "-XXXXX-", "-X-----", "-XXXXX-", "-------"},
    {"-------", "-XXXXX-", "-----X-", "--XXXX-", "-----X-", "-XXXXX-", "-------"},
    {"-------", "-XXXXX-", "-X---X-", "-X---X-", "-X---X-", "-XXXXX-", "-------"},
};

constexpr uint32_t kBandBackground[3] = {colour::kWhite, colour::kLightOrange, colour::kFrameGreen};

PixelBuffer buildSheet() {
    PixelBuffer sheet;
    sheet.resize(kGlyphSheetWidth, kGlyphSheetHeight);
    for (int band = 0; band < 3; ++band) {
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < kGlyphSheetWidth; ++x) {
                sheet.at(x, 8 * band + y) = kBandBackground[band];
            }
        }
        for (int key = 0; key < kGlyphKeys; ++key) {
            for (int y = 0; y < kGlyphSize; ++y) {
                for (int x = 0; x < kGlyphSize; ++x) {
                    if (kGlyphRows[key][y][x] == 'X') sheet.at(8 * key + x, 8 * band + y) = 0;
                }
            }
        }
    }
    return sheet;
}

}  // namespace

const PixelBuffer& glyphSheet() {
    static const PixelBuffer sheet = buildSheet();
    return sheet;
}

}  // namespace vexilo
