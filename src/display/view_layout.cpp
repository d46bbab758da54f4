#include "display/view_layout.h"

#include "display/board_renderer.h"

namespace vexilo {

ViewLayout layoutView(int width, int height, int zoom, int panelWidth, int panelHeight) {
    ViewLayout v;
    if (width == 0) return v;
    v.sized = true;
    const int contentW = zoom * boardPixels(width);
    const int contentH = zoom * boardPixels(height);
    bool wide = contentW > panelWidth;
    bool tall = contentH > panelHeight;
    // A bar takes its thickness from the other direction: where the board then no longer
    // fits, that direction gets its bar too, so that no bar covers a part of the board.
    if (wide && !tall) tall = contentH > panelHeight - kScrollBarThickness;
    if (tall && !wide) wide = contentW > panelWidth - kScrollBarThickness;
    v.barX.visible = wide;
    v.barY.visible = tall;
    v.paintWidth = wide ? (tall ? panelWidth - kScrollBarThickness : panelWidth) : contentW;
    v.paintHeight = tall ? (wide ? panelHeight - kScrollBarThickness : panelHeight) : contentH;

    v.barX.max = contentW;
    v.barX.pageSize = v.barX.largeChange = v.paintWidth;
    v.barX.limit = contentW - v.paintWidth;
    v.barX.left = 0;
    v.barX.top = panelHeight - kScrollBarThickness;
    v.barX.width = v.paintWidth;
    v.barX.height = kScrollBarThickness;

    v.barY.max = contentH;
    v.barY.pageSize = v.barY.largeChange = v.paintHeight;
    v.barY.limit = contentH - v.paintHeight;
    v.barY.left = panelWidth - kScrollBarThickness;
    v.barY.top = 0;
    v.barY.width = kScrollBarThickness;
    v.barY.height = v.paintHeight;
    return v;
}

}  // namespace vexilo
