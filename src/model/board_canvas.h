// The drawing side of a rebuild. rebuildBoard tells the canvas what changed in
// mainBoard's lattice; the renderer (display/) turns that into pixels. Without a canvas
// (command-line tool, solver tests) a rebuild only computes the lattice.
#pragma once

#include <cstdint>

namespace vexilo {

class BoardCanvas {
  public:
    virtual ~BoardCanvas() = default;
    // Blank both pictures for a board of W x H cells: frame, background, grey grid.
    virtual void clear(int width, int height) = 0;
    // Cell (x, y) of the lattice, from its byte g (glyph key and colour mark).
    virtual void drawCell(int x, int y, uint8_t g) = 0;
    // Edge (x, y) from its byte g; undecided edges draw nothing.
    virtual void drawEdge(int x, int y, uint8_t g) = 0;
    // The pixel of dot (x, y) in the colour picture; the plain picture gets the same
    // colour when it is black or grey, near-white otherwise.
    virtual void drawDot(int x, int y, uint32_t colour) = 0;
    // The rebuild is done: from now on the pictures show the clear and, for every element,
    // the last drawing of it since. (A canvas may collect the drawings and make the pictures
    // here; the elements' pixels never overlap, so the order between elements is free.)
    virtual void finish() {}
};

}  // namespace vexilo
