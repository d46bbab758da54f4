// Helpers shared by the tests: a frontend that records what the core shows, and small
// puzzles written as text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/frontend.h"
#include "model/lattice.h"
#include "model/move_entry.h"
#include "model/puzzle_state.h"

namespace vexilo::testing {

class RecordingFrontend : public Frontend {
  public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void setCaption(const std::string& text) override { caption = text; }
    void puzzleReset() override { ++resets; }
    int panelWidth() const override { return panelW; }
    int panelHeight() const override { return panelH; }
    void zoomChanged() override { ++zoomChanges; }
    void repaintBoard() override { ++repaints; }
    void setStepCount(int count) override { stepLabel = count; }
    void setUndoEnabled(bool enabled) override { undoEnabled = enabled; }

    std::vector<std::string> messages;
    std::string caption;
    int resets = 0;
    int panelW = 368;
    int panelH = 368;
    int zoomChanges = 0;
    int repaints = 0;
    int stepLabel = -1;
    bool undoEnabled = true;
};

// A state with its own recording frontend.
struct TestState {
    RecordingFrontend frontend;
    std::unique_ptr<PuzzleState> state = std::make_unique<PuzzleState>(frontend);
    PuzzleState& operator*() { return *state; }
    PuzzleState* operator->() { return state.get(); }
};

// Sets W, H and the clue grid from rows of '-' (no clue) and '0'..'3'; the move logs are
// emptied and mainBoard is rebuilt. Rows may differ in length; W is the longest.
void setClues(PuzzleState& state, const std::vector<std::string>& rows);

// Appends the decided edges of a lattice picture to board's log as moves.
void appendPictureMoves(PuzzleState& state, Board& board, const std::vector<std::string>& picture);

// The edges a colouring of a W x H puzzle's cells implies, row by row of the lattice: a line
// between cells of different sides, a cross between cells of the same side. side holds a mark
// per lattice index, the outside ring included; keep() is asked once per edge, in order.
template <typename Keep>
std::vector<int32_t> edgesOfSides(const std::vector<uint8_t>& side, int w, int h, Keep keep) {
    std::vector<int32_t> edges;
    for (int y = 1; y <= 2 * h + 1; ++y) {
        for (int x = 1; x <= 2 * w + 1; ++x) {
            if (!isEdge(x, y) || !keep()) continue;
            const int a = isVerticalEdge(x, y) ? latticeIndex(x - 1, y) : latticeIndex(x, y - 1);
            const int b = isVerticalEdge(x, y) ? latticeIndex(x + 1, y) : latticeIndex(x, y + 1);
            edges.push_back(moveEntry(x, y, side[a] == side[b] ? kCross : kLine));
        }
    }
    return edges;
}

// Splits text into lines at '\n' (a trailing '\r' is kept out).
std::vector<std::string> splitLines(const std::string& text);

// Where a corpus puzzle or answer lives under tests/data, by its file name:
// corpus/janko, corpus/ploop or corpus/loopy after the name's prefix.
std::string corpusFile(const std::string& fileName);

// The whole content of a file under tests/data.
std::string readTestData(const std::string& relativePath);

}  // namespace vexilo::testing
