// The board renderer: draws mainBoard into the two pictures at scale 1, 8 pixels per cell.
// plainBitmap is black lines on white; colourBitmap tints every cell, cross and dot whose
// side of the loop is known (orange inside, green outside) and has a green frame. The dot
// of lattice position (2i + 1, 2j + 1) is pixel (4 + 8i, 4 + 8j) of both pictures.
#pragma once

#include <cstdint>

#include "model/board_canvas.h"
#include "model/pixel_buffer.h"

namespace vexilo {

// The size of a board's pictures: a 4-pixel frame, 8 pixels per cell, the last grid line.
constexpr int boardPixels(int cells) {
    return 8 * cells + 9;
}

class BoardRenderer : public BoardCanvas {
  public:
    BoardRenderer(PixelBuffer& plain, PixelBuffer& colour) : plain_(plain), colour_(colour) {}

    // Fills plainBitmap white, colourBitmap light green with a white inside, and draws the
    // grey grid on both. Pictures of another size than the board's are resized first.
    void clear(int width, int height) override;
    void drawCell(int x, int y, uint8_t g) override;
    void drawEdge(int x, int y, uint8_t g) override;
    void drawDot(int x, int y, uint32_t colour) override;

  private:
    PixelBuffer& plain_;
    PixelBuffer& colour_;
};

}  // namespace vexilo
