// The board renderer: draws mainBoard into the two pictures at scale 1, 8 pixels per cell.
// plainBitmap is black lines on white; colourBitmap tints every cell, cross and dot whose
// side of the loop is known (orange inside, green outside) and has a green frame. The dot
// of lattice position (2i + 1, 2j + 1) is pixel (4 + 8i, 4 + 8j) of both pictures.
//
// A rebuild draws an element again whenever its byte changes, in the order of the log, which
// is scattered over the whole board. The renderer keeps only the last drawing of every
// element and makes both pictures in finish(), row by row: the same pixels, since no two
// elements share a pixel, written once and in memory order.
#pragma once

#include <cstdint>
#include <vector>

#include "model/board_canvas.h"
#include "model/pixel_buffer.h"

namespace vexilo {

// The size of a board's pictures: a 4-pixel frame, 8 pixels per cell, the last grid line.
constexpr int boardPixels(int cells) {
    return 8 * cells + 9;
}

class BoardRenderer : public BoardCanvas {
  public:
    BoardRenderer(PixelBuffer& plain, PixelBuffer& colour);

    // Starts a drawing: plainBitmap white, colourBitmap light green with a white inside, and
    // the grey grid on both. Pictures of another size than the board's are resized here.
    void clear(int width, int height) override;
    void drawCell(int x, int y, uint8_t g) override;
    void drawEdge(int x, int y, uint8_t g) override;
    void drawDot(int x, int y, uint32_t colour) override;
    // Makes the pictures: the clear, then every element as it was drawn last.
    void finish() override;

  private:
    void paintCell(int x, int y, uint8_t g);
    void paintEdge(int x, int y, uint8_t g);
    void paintDot(int x, int y, uint32_t colour);

    PixelBuffer& plain_;
    PixelBuffer& colour_;
    const PixelBuffer& sheet_;
    // The last drawing of every lattice position since the clear: 0 none, else the flag
    // 0x80000000 with the byte of a cell or edge, or with the colour of a dot.
    std::vector<uint32_t> pending_;
    int width_ = 0;
    int height_ = 0;
    bool cleared_ = false;
};

}  // namespace vexilo
