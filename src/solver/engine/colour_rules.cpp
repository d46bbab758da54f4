#include "solver/engine/colour_rules.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "model/puzzle_state.h"
#include "model/rebuild.h"
#include "model/solve_scratch.h"
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

// What the pass decides at lattice position `at`, an edge or a cell, as the walk over the
// whole board does there.
bool decideAt(PuzzleState& state, const Board& colours, int at) {
    const int x = at % kLatticeSide;
    const int y = at / kLatticeSide;
    const uint8_t b = colours.at(at);
    if (isEdge(x, y)) {
        if (b != 0) return false;
        const int step = isVerticalEdge(x, y) ? 1 : kDown;
        return edgeFromColours(state, x, y, colours.at(at - step) & kColourMask,
                               colours.at(at + step) & kColourMask);
    }
    switch (b & 15) {
        case 0:
            return blankFromColours(state, colours, x, y);
        case 1:
            return clueFromColours(state, colours, x, y, kCross);
        case 3:
            return clueFromColours(state, colours, x, y, kLine);
        default:
            return false;
    }
}

// Bit 1 of eight lattice bytes from p, one per byte: the bytes that are edges are decided
// where their bit is set.
uint64_t decidedBits(const uint8_t* p) {
    uint64_t bytes = 0;
    std::memcpy(&bytes, p, sizeof bytes);
    return bytes & 0x0202020202020202ull;
}

// True when the four edges at p, p + 2, p + 4 and p + 6 are decided on workBoard.
bool edgeRunDecided(const uint8_t* p) {
    if constexpr (std::endian::native != std::endian::little) return false;
    constexpr uint64_t kEdges = 0x0002000200020002ull;
    return (decidedBits(p) & kEdges) == kEdges;
}

// True when the eight positions of a row of cells from the vertical edge at p on (four
// edges and the cells right of them) would decide nothing: every edge among them and every
// side of the cells is decided on workBoard.
bool cellRunDecided(const uint8_t* p) {
    if constexpr (std::endian::native != std::endian::little) return false;
    constexpr uint64_t kEdges = 0x0002000200020002ull;  // the edges at even offsets
    constexpr uint64_t kCells = kEdges << 8;            // the sides above and below the cells
    return (decidedBits(p) & kEdges) == kEdges && (p[8] & 2) != 0 &&
           (decidedBits(p + kUp) & kCells) == kCells && (decidedBits(p + kDown) & kCells) == kCells;
}

// Every edge and cell of the board, row by row.
bool decideEverywhere(PuzzleState& state, const Board& colours) {
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    // Without an observer to hear the rules name themselves, an edge decided on workBoard,
    // and a cell whose four sides are, are passed by: their rules could set nothing there.
    const uint8_t* wb = state.ruleObserver ? nullptr : state.workBoard->lattice.data();
    bool progress = false;
    for (int y = 1; y <= maxY; ++y) {
        const int row = latticeIndex(0, y);
        if (y % 2 == 1) {
            // Dots and horizontal edges: only the edges, at even x.
            for (int x = 2; x < maxX; x += 2) {
                if (wb && x + 7 <= maxX && edgeRunDecided(wb + row + x)) {
                    x += 6;
                    continue;
                }
                if (colours.at(row + x) != 0) continue;
                progress |= edgeFromColours(state, x, y, colours.at(row + x + kUp) & kColourMask,
                                            colours.at(row + x + kDown) & kColourMask);
            }
            continue;
        }
        // Vertical edges at odd x and cells at even x, in order along the row.
        for (int x = 1; x <= maxX; x += 2) {
            const int at = row + x;
            if (wb && x + 8 <= maxX && cellRunDecided(wb + at)) {
                x += 6;
                continue;
            }
            if (colours.at(at) == 0) {
                progress |= edgeFromColours(state, x, y, colours.at(at - 1) & kColourMask,
                                            colours.at(at + 1) & kColourMask);
            }
            if (x == maxX) break;
            const int key = colours.at(at + 1) & 15;
            if (key != 0 && key != 1 && key != 3) continue;
            if (wb && (wb[at] & wb[at + 2] & wb[at + 1 + kUp] & wb[at + 1 + kDown] & 2) != 0) {
                continue;
            }
            progress |= decideAt(state, colours, at + 1);
        }
    }
    return progress;
}

// Within a solve: mainBoard's colours carried on from the last call, and only the edges
// and cells beside a cell marked since then looked at, in the order of the walk over the
// whole board. Every other position read the same colours at the last call, and whatever
// it decided then (or earlier) is still decided: the main position only gains decisions
// between calls. False if the colours must be rebuilt whole.
bool carryOn(PuzzleState& state, bool& progress) {
    SolveScratch& scratch = *state.solveScratch;
    Board& colours = *state.mainBoard;
    const Board& wb = *state.workBoard;
    if (scratch.colourSeen == SolveScratch::kColourWhole) return false;
    if (scratch.colourSeen > wb.writePos) scratch.colourSeen = -1;
    auto& marked = scratch.colourMarked;
    marked.clear();
    const bool fresh = scratch.colourSeen < 0;
    const bool whole = fresh ? rebuildColours(state, colours, wb)
                             : carryOnRebuild(state, colours, wb, scratch.colourSeen, marked);
    if (!whole) {
        scratch.colourSeen = SolveScratch::kColourWhole;
        return false;
    }
    scratch.colourSeen = wb.writePos;
    const int w = state.W();
    const int h = state.H();
    // The outside ring is marked from the start: a fresh lattice is looked at everywhere,
    // and so is one where many cells got their marks.
    const int64_t count = static_cast<int64_t>(marked.size());
    if (fresh || (count > 64 && count * 16 > static_cast<int64_t>(w) * h)) {
        progress = decideEverywhere(state, colours);
        return true;
    }
    auto& sites = scratch.colourSites;
    sites.clear();
    for (const int32_t cell : marked) {
        const int x = cell % kLatticeSide;
        const int y = cell / kLatticeSide;
        sites.insert(sites.end(), {cell + kUp, cell + kDown, cell - 1, cell + 1});
        if (y > 2) sites.push_back(cell + 2 * kUp);
        if (y < 2 * h) sites.push_back(cell + 2 * kDown);
        if (x > 2) sites.push_back(cell - 2);
        if (x < 2 * w) sites.push_back(cell + 2);
    }
    std::sort(sites.begin(), sites.end());
    sites.erase(std::unique(sites.begin(), sites.end()), sites.end());
    progress = false;
    for (const int32_t at : sites) progress |= decideAt(state, colours, at);
    return true;
}

}  // namespace

bool runColourRules(PuzzleState& state) {
    SolveScratch& scratch = *state.solveScratch;
    bool progress = false;
    bool carriedOn = false;
    if (scratch.incremental && state.drawEnabled == 0) {
        carriedOn = carryOn(state, progress);
    } else {
        scratch.colourSeen = -1;
    }
    if (!carriedOn) {
        rebuildBoard(state, *state.mainBoard, *state.workBoard);
        progress = decideEverywhere(state, *state.mainBoard);
    }
    if (progress) {
        state.ruleUsage |= 4;
        if (state.effortScore < 10000) state.effortScore += 4;
    }
    return progress;
}

}  // namespace vexilo
