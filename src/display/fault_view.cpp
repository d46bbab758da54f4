#include "display/fault_view.h"

namespace vexilo {

namespace {

int clampToBar(int position, int max) {
    if (position > max) position = max;
    if (position < 0) position = 0;
    return position;
}

}  // namespace

FaultView faultView(int errorX, int errorY, int zoom, int viewWidth, int viewHeight, int maxX,
                    int maxY) {
    FaultView f;
    f.imageX = zoom * (8 * errorX + 2);
    f.imageY = zoom * (8 * errorY + 2);
    f.scrollX = clampToBar(f.imageX - viewWidth / 2, maxX);
    f.scrollY = clampToBar(f.imageY - viewHeight / 2, maxY);
    return f;
}

}  // namespace vexilo
