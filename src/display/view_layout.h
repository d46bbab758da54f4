// The view of the board: the paint box at the top-left corner of the panel, and the two
// scroll bars when the enlarged board is larger than the panel. One bar brings the other
// when the board does not fit beside it, so every edge of the board can be scrolled into
// view. Pure computation; the window applies the result to its widgets.
#pragma once

namespace vexilo {

constexpr int kScrollBarThickness = 16;
constexpr int kZoomMin = 1;
constexpr int kZoomMax = 32;

// One scroll bar as the layout sets it up.
struct ScrollBarSetup {
    bool visible = false;
    int position = 0;
    int max = 0;  // the bar's maximum: the content size
    int pageSize = 0;
    int largeChange = 0;
    int limit = 0;  // the largest position the view allows: content size - view size
    int left = 0;   // placement in the panel
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ViewLayout {
    // False without a puzzle: then the bars are only hidden and set to 0, and the paint
    // box and every other setting of the bars keep what they had.
    bool sized = false;
    int paintWidth = 0;
    int paintHeight = 0;
    ScrollBarSetup barX;  // horizontal, along the bottom
    ScrollBarSetup barY;  // vertical, along the right
};

// layoutView for a board of width x height cells at `zoom` in a panel of the given size.
ViewLayout layoutView(int width, int height, int zoom, int panelWidth, int panelHeight);

// A scroll position the user moved past the bar's limit goes back to the limit.
constexpr int clampScrollPosition(int position, int limit) {
    return position > limit ? limit : position;
}

// The zoom steps of the "＋" and "－" buttons; both stay within 1 to 32.
constexpr int zoomedIn(int zoom) {
    return zoom < kZoomMax ? 2 * zoom : zoom;
}
constexpr int zoomedOut(int zoom) {
    return zoom > kZoomMin ? zoom / 2 : zoom;
}

}  // namespace vexilo
