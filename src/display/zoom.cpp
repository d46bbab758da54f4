#include "display/zoom.h"

#include <algorithm>

#include "display/view_layout.h"

namespace vexilo {

int fitZoom(int width, int height, int panelWidth, int panelHeight) {
    const int f = std::min(panelWidth / (std::max(width, 0) + 1) / 8,
                           panelHeight / (std::max(height, 0) + 1) / 8);
    int z = 1;
    while (z < kZoomMax && 2 * z <= f) z *= 2;
    return z;
}

}  // namespace vexilo
