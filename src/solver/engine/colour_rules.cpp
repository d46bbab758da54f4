#include "solver/engine/colour_rules.h"

#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "solver/engine/edge_setting.h"
#include "solver/engine/rule_observer.h"

namespace vexilo {

namespace {

constexpr int kUp = latticeStep(Direction::kUp);
constexpr int kDown = latticeStep(Direction::kDown);

// The edge between two cells: a cross when their colours agree, a line when they differ,
// nothing while either is uncoloured.
bool edgeFromColours(PuzzleState& state, int x, int y, uint8_t a, uint8_t b) {
    if (a == 0 || b == 0) return false;
    noteRule(state, RuleId::kColourEdge, x, y);
    return setEdge(state, x, y, a == b ? kCross : kLine);
}

// A 1 or a 3 (value = the value its two decided sides get): the colours of the cells
// above and below, then left and right, say which pair of opposite sides is free.
bool clueFromColours(PuzzleState& state, const Board& colours, int x, int y, int value) {
    const int at = latticeIndex(x, y);
    bool progress = false;
    noteRule(state, RuleId::kColourClue, x, y);
    const uint8_t above = colours.at(at + 2 * kUp) & kColourMask;
    const uint8_t below = colours.at(at + 2 * kDown) & kColourMask;
    if (above != 0 && below != 0) {
        if (above == below) {
            progress |= setEdge(state, x, y - 1, value);
            progress |= setEdge(state, x, y + 1, value);
        } else {
            progress |= setEdge(state, x - 1, y, value);
            progress |= setEdge(state, x + 1, y, value);
        }
    }
    const uint8_t left = colours.at(at - 2) & kColourMask;
    const uint8_t right = colours.at(at + 2) & kColourMask;
    if (left != 0 && right != 0) {
        if (left == right) {
            progress |= setEdge(state, x - 1, y, value);
            progress |= setEdge(state, x + 1, y, value);
        } else {
            progress |= setEdge(state, x, y - 1, value);
            progress |= setEdge(state, x, y + 1, value);
        }
    }
    return progress;
}

// A blank cell whose four neighbours share one colour.
bool blankFromColours(PuzzleState& state, const Board& colours, int x, int y) {
    const int at = latticeIndex(x, y);
    const uint8_t above = colours.at(at + 2 * kUp) & kColourMask;
    if (above == 0) return false;
    if ((colours.at(at + 2 * kDown) & kColourMask) != above) return false;
    if ((colours.at(at - 2) & kColourMask) != above) return false;
    if ((colours.at(at + 2) & kColourMask) != above) return false;
    noteRule(state, RuleId::kColourBlank, x, y);
    return setEdgeGroup(state, x, y, 0, kCross);
}

}  // namespace

bool runColourRules(PuzzleState& state) {
    Board& colours = *state.mainBoard;
    rebuildBoard(state, colours, *state.workBoard);
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    bool progress = false;
    for (int y = 1; y <= maxY; ++y) {
        const int row = latticeIndex(0, y);
        if (y % 2 == 1) {
            // Dots and horizontal edges: only the edges, at even x.
            for (int x = 2; x < maxX; x += 2) {
                if (colours.at(row + x) != 0) continue;
                progress |= edgeFromColours(state, x, y, colours.at(row + x + kUp) & kColourMask,
                                            colours.at(row + x + kDown) & kColourMask);
            }
            continue;
        }
        // Vertical edges at odd x and cells at even x, in order along the row.
        for (int x = 1; x <= maxX; ++x) {
            const uint8_t b = colours.at(row + x);
            if (x % 2 == 1) {
                if (b != 0) continue;
                progress |= edgeFromColours(state, x, y, colours.at(row + x - 1) & kColourMask,
                                            colours.at(row + x + 1) & kColourMask);
                continue;
            }
            switch (b & 15) {
                case 0:
                    progress |= blankFromColours(state, colours, x, y);
                    break;
                case 1:
                    progress |= clueFromColours(state, colours, x, y, kCross);
                    break;
                case 3:
                    progress |= clueFromColours(state, colours, x, y, kLine);
                    break;
                default:
                    break;
            }
        }
    }
    if (progress) {
        state.ruleUsage |= 4;
        if (state.effortScore < 10000) state.effortScore += 4;
    }
    return progress;
}

}  // namespace vexilo
