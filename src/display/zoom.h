// The zoom that fits a puzzle into the board panel.
#pragma once

namespace vexilo {

// The largest z of 1, 2, 4, 8, 16 and 32 with 8z(W + 1) <= panelWidth and
// 8z(H + 1) <= panelHeight; 1 when not even 2 fits.
int fitZoom(int width, int height, int panelWidth, int panelHeight);

}  // namespace vexilo
