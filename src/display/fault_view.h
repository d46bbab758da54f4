// Where the check command looks at a fault: the scroll positions that centre it in the
// view as far as the bars allow, and the point of the fault in the enlarged board image.
#pragma once

namespace vexilo {

struct FaultView {
    int imageX;  // the fault in the enlarged board image
    int imageY;
    int scrollX;  // the bar positions that centre it, clamped to the bars' range
    int scrollY;
};

// errorX, errorY in cell units as the answer check gives them; maxX, maxY the bars' maxima
// (their minima are 0).
FaultView faultView(int errorX, int errorY, int zoom, int viewWidth, int viewHeight, int maxX,
                    int maxY);

}  // namespace vexilo
