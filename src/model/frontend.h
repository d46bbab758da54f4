// What the core asks of whoever shows it. The core never opens a window: the desktop
// program implements this interface with widgets, the command-line tool with stderr,
// and tests record the calls.
#pragma once

#include <atomic>
#include <functional>
#include <string>

namespace vexilo {

class Frontend {
  public:
    virtual ~Frontend() = default;

    // A modal message box with a fixed text ("記憶領域がいっぱいです。", a solve result, ...).
    virtual void showMessage(const std::string& text) = 0;

    // The window caption ("Vexilo", or "name WxH - Vexilo").
    virtual void setCaption(const std::string& /*caption*/) {}

    // The window side of the reset to the state without a puzzle: hide the board,
    // step label "0", lay the view out with W = 0, refresh the undo button.
    virtual void puzzleReset() {}

    // The width and height of the board panel, for the fit zoom.
    virtual int panelWidth() const { return 368; }
    virtual int panelHeight() const { return 368; }

    // zoom changed: lay the view out, show the board, paint.
    virtual void zoomChanged() {}

    // The board's pictures changed: paint the visible part.
    virtual void repaintBoard() {}

    // The step label shows mainBoard's step count.
    virtual void setStepCount(int /*count*/) {}

    // The undo-one-move button's enabled state.
    virtual void setUndoEnabled(bool /*enabled*/) {}

    // The wait cursor while a solve runs (true), the default cursor afterwards (false).
    virtual void setWaitCursor(bool /*waiting*/) {}

    // The check commands point at a place on the board, in the answer check's units
    // (errorX, errorY: lattice position (x, y) as ((x + 1) / 2, (y + 1) / 2)): the view
    // scrolls to show it and the mouse pointer goes there.
    virtual void pointAt(int /*x*/, int /*y*/) {}

    // The answer check judged the player's position correct.
    virtual void puzzleSolved() {}

    // Runs a solve (or other long work of a command: runWithWaitCursor), which returns
    // false when it stopped because `cancel` was set. The window runs it on a worker
    // thread, shows progress with `text` (what the work does) when it takes long and sets
    // `cancel` when the user cancels; nothing else may touch the state meanwhile, and what
    // the solve shows is shown when it has ended (not at all if it was cancelled).
    virtual void runSolve(const std::function<bool()>& solve, std::atomic<bool>& /*cancel*/,
                          const std::string& /*text*/) {
        solve();
    }

    // A message that a command could raise for each of many refused items (every entry a
    // full move log turns away): shown for the first refusal since beginCommand, only
    // counted after that.
    void showOncePerCommand(const std::string& text) {
        if (refusalsThisCommand++ == 0) showMessage(text);
    }
    // Whoever runs commands calls this as each one starts.
    void beginCommand() { refusalsThisCommand = 0; }
    int refusalsThisCommand = 0;
};

// A frontend that shows nothing; messages are counted so callers can tell they happened.
class SilentFrontend : public Frontend {
  public:
    void showMessage(const std::string&) override { ++messages; }
    int messages = 0;
};

}  // namespace vexilo
