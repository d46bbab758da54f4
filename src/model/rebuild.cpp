#include "model/rebuild.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "model/board.h"
#include "model/board_canvas.h"
#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "model/solve_scratch.h"

namespace vexilo {

void initLatticeFromClues(PuzzleState& state, Board& board, bool draw) {
    const int w = state.W();
    const int h = state.H();
    const int ringX = 2 * w + 2;
    const int ringY = 2 * h + 2;
    // The outside ring: cells marked outside at even positions, crossed edges between. Its
    // top and bottom rows eight bytes at a time, then its two columns a pair of rows at a time.
    static constexpr uint8_t kRingRun[8] = {kOutside,          kOutside | kCross, kOutside,
                                            kOutside | kCross, kOutside,          kOutside | kCross,
                                            kOutside,          kOutside | kCross};
    for (const int y : {0, ringY}) {
        uint8_t* row = &board.at(0, y);
        int x = 0;
        for (; x + 8 <= ringX + 1; x += 8) std::memcpy(row + x, kRingRun, sizeof kRingRun);
        for (; x <= ringX; ++x) row[x] = kRingRun[x % 2];
    }
    for (int y = 1; y < ringY; y += 2) {
        board.at(0, y) = kOutside | kCross;
        board.at(ringX, y) = kOutside | kCross;
        board.at(0, y + 1) = kOutside;
        board.at(ringX, y + 1) = kOutside;
    }
    // Rows of dots and edges are cleared whole; rows of cells get each clue between two
    // cleared edges.
    const size_t inside = static_cast<size_t>(2 * w + 1);
    std::memset(&board.at(1, 1), 0, inside);
    for (int r = 0; r < h; ++r) {
        const auto& clues = (*state.clueGrid)[r];
        uint8_t* row = &board.at(0, 2 * r + 2);
        row[1] = 0;
        // Four clues at a time, each spread into a little-endian 16-bit word with the cleared
        // edge right of it.
        int c = 0;
        for (; std::endian::native == std::endian::little && c + 4 <= w; c += 4) {
            uint32_t four = 0;
            std::memcpy(&four, clues.data() + c, sizeof four);
            uint64_t spread = four;
            spread = (spread | (spread << 16)) & 0x0000FFFF0000FFFFull;
            spread = (spread | (spread << 8)) & 0x00FF00FF00FF00FFull;
            std::memcpy(row + 2 * c + 2, &spread, sizeof spread);
        }
        for (; c < w; ++c) {
            row[2 * c + 2] = clues[c];
            row[2 * c + 3] = 0;
        }
        std::memset(&board.at(1, 2 * r + 3), 0, inside);
    }
    BoardCanvas* canvas = draw ? state.canvas : nullptr;
    if (canvas == nullptr) return;
    for (int r = 0; r < h; ++r) {
        const auto& clues = (*state.clueGrid)[r];
        for (int c = 0; c < w; ++c) {
            if (clues[c] != 0) canvas->drawCell(2 * c + 2, 2 * r + 2, clues[c]);
        }
    }
}

namespace {

// One rebuild: the target lattice and what draws it.
class Rebuilder {
  public:
    Rebuilder(PuzzleState& state, Board& target)
        : state_(state),
          board_(target),
          canvas_(state.drawEnabled > 0 ? state.canvas : nullptr),
          fillDraws_(state.drawEnabled == 1) {}

    // A rebuild of the colours alone: it draws nothing, leaves the dots as they are and
    // notes every cell it marks in `marked`.
    Rebuilder(PuzzleState& state, Board& target, std::vector<int32_t>& marked)
        : state_(state), board_(target), canvas_(nullptr), fillDraws_(false), marked_(&marked) {}

    void applyLive(int x, int y, int v) {
        uint8_t& e = board_.at(x, y);
        if (e != 0) return;
        e = static_cast<uint8_t>(v);
        const bool dots = marked_ == nullptr;
        if (v == kCross) {
            colourStep(x, y, true);
            if (dots) drawEdgeAndDots(x, y);
        } else if (v == kLine) {
            if (dots) drawEdgeAndDots(x, y);
            colourStep(x, y, false);
        }
    }

  private:
    // The fill's order: top, bottom, left, right.
    static constexpr int kSideOffset[4] = {
        latticeStep(Direction::kUp), latticeStep(Direction::kDown), latticeStep(Direction::kLeft),
        latticeStep(Direction::kRight)};

    void drawEdgeAndDots(int x, int y) { drawEdgeAndDotsAt(latticeIndex(x, y)); }

    // The edge at lattice index e and its two dots: above and below a vertical edge (odd x,
    // so odd e), left and right of a horizontal one.
    void drawEdgeAndDotsAt(int e) {
        if (canvas_) canvas_->drawEdge(e % kLatticeSide, e / kLatticeSide, board_.at(e));
        const int step = (e & 1) != 0 ? kLatticeSide : 1;
        evaluateDot(e - step);
        evaluateDot(e + step);
    }

    void evaluateDot(int at) {
        uint8_t& dot = board_.at(at);
        if (dot != 0) return;
        // The tally of the four edges, by key & 3 (here 0 and 1 count nothing).
        const uint8_t* p = &dot;
        const int s = edgeTally(p[-kLatticeSide] & 3) + edgeTally(p[kLatticeSide] & 3) +
                      edgeTally(p[-1] & 3) + edgeTally(p[1] & 3);
        uint32_t c = colour::kGrey;
        if (s >= tally(0, 1)) {
            dot = kDotLined;
            c = colour::kBlack;
        } else if (s == tally(4, 0)) {
            // Four crosses: the dot takes the side of its four cells when they all share it.
            const uint8_t m = p[-kLatticeSide - 1] & kColourMask;
            const bool shared = m >= kInside && (p[-kLatticeSide + 1] & kColourMask) == m &&
                                (p[kLatticeSide - 1] & kColourMask) == m &&
                                (p[kLatticeSide + 1] & kColourMask) == m;
            if (shared) {
                dot = m | kCross;
                c = m == kInside ? colour::kOrange : colour::kGreen;
            }
        }
        if (canvas_) canvas_->drawDot(at % kLatticeSide, at / kLatticeSide, c);
    }

    // The two cells an edge separates: above and below, or left and right.
    static void sidesOf(int x, int y, int& a, int& b) {
        if (isVerticalEdge(x, y)) {
            a = latticeIndex(x - 1, y);
            b = latticeIndex(x + 1, y);
        } else {
            a = latticeIndex(x, y - 1);
            b = latticeIndex(x, y + 1);
        }
    }

    void colourStep(int x, int y, bool cross) {
        const int edge = latticeIndex(x, y);
        int a = 0;
        int b = 0;
        sidesOf(x, y, a, b);
        auto& lat = board_.lattice;
        uint8_t ma = lat[a] & kColourMask;
        uint8_t mb = lat[b] & kColourMask;
        if (cross) {
            if (ma != 0) {
                lat[edge] |= ma;
                if (mb == 0) {
                    lat[b] |= ma;
                    flood(b);
                }
            }
            ma = lat[a] & kColourMask;
            mb = lat[b] & kColourMask;
            if (mb != 0 && ma == 0) {
                lat[edge] |= mb;
                lat[a] |= mb;
                flood(a);
            }
        } else {
            if (ma != 0 && mb == 0) {
                lat[b] |= otherSide(ma);
                flood(b);
            }
            ma = lat[a] & kColourMask;
            mb = lat[b] & kColourMask;
            if (mb != 0 && ma == 0) {
                lat[a] |= otherSide(mb);
                flood(a);
            }
        }
    }

    // Depth-first fill from a freshly marked cell, in the order top, bottom, left, right,
    // with an explicit stack: a fill may run through every cell of the board in one chain.
    void flood(int start) {
        auto& lat = board_.lattice;
        auto& stack = *state_.floodStack;
        int top = 0;
        enter(start);
        stack[top] = FloodFrame{start, 0, false};
        while (top >= 0) {
            FloodFrame& f = stack[top];
            const int cell = f.cell;
            // A marked cell keeps its mark, so the frame's mark is fixed.
            const uint8_t m = (lat[cell] & kColourMask) == kInside ? kInside : kOutside;
            int side = f.side;
            bool returned = f.returned;
            int child = -1;
            for (; side < 4; ++side, returned = false) {
                const int e = cell + kSideOffset[side];
                if (!returned) {
                    const int n = cell + 2 * kSideOffset[side];
                    if (lat[e] == kCross) {
                        lat[e] |= m;
                        if (lat[n] < kInside) {
                            lat[n] |= m;
                            child = n;
                            break;
                        }
                    } else if (lat[e] == kLine && lat[n] < kInside) {
                        lat[n] |= otherSide(m);
                        child = n;
                        break;
                    }
                }
                if (fillDraws_) drawEdgeAndDotsAt(e);
            }
            if (child < 0) {
                --top;
                continue;
            }
            // Come back to this side once the fill beyond it is done.
            f.side = static_cast<int8_t>(side);
            f.returned = true;
            enter(child);
            stack[++top] = FloodFrame{child, 0, false};
        }
    }

    // Every cell that gets its mark starts a fill or is entered by one.
    void enter(int cell) {
        if (marked_) marked_->push_back(cell);
        if (fillDraws_ && canvas_) {
            canvas_->drawCell(cell % kLatticeSide, cell / kLatticeSide, board_.at(cell));
        }
    }

    PuzzleState& state_;
    Board& board_;
    BoardCanvas* canvas_;
    bool fillDraws_;
    std::vector<int32_t>* marked_ = nullptr;
};

}  // namespace

void rebuildBoard(PuzzleState& state, Board& target, const Board& source) {
    const bool drawing = state.drawEnabled > 0;
    if (drawing && state.canvas) state.canvas->clear(state.W(), state.H());
    initLatticeFromClues(state, target, drawing);
    const int end = computeNetEntries(state, source);
    Rebuilder rebuilder(state, target);
    const auto& list = *state.replayList;
    for (int slot = end; slot >= 1; --slot) {
        const int32_t e = list[slot];
        if (e == kTombstone) continue;
        rebuilder.applyLive(entryX(e), entryY(e), entryValue(e));
    }
    if (drawing && state.canvas) state.canvas->finish();
    if (drawing) state.frontend.repaintBoard();
}

namespace {

// The checks carryOnRebuild makes of the entry in a slot, on a lattice that holds the slots
// before it: kSkip for an entry the replay leaves out, kStop where carryOnRebuild gives up.
enum class EntryUse { kApply, kSkip, kStop };

EntryUse entryUse(const Board& target, int32_t e, int maxX, int maxY) {
    // The first marker would end computeNetEntries' scan here.
    if (e == kFirstMarker) return EntryUse::kStop;
    if (e < 0 || isMarker(e)) return EntryUse::kSkip;
    const int x = entryX(e);
    const int y = entryY(e);
    if (x < 1 || y < 1 || x > maxX || y > maxY) return EntryUse::kSkip;  // left out of the replay
    const int v = entryValue(e);
    // A second entry of an edge would cancel or be ignored in the replay.
    if (!isEdge(x, y) || (v != kCross && v != kLine) || target.at(x, y) != 0) {
        return EntryUse::kStop;
    }
    return EntryUse::kApply;
}

#if defined(__GNUC__)
// The entries name edges all over the board: ask early for the byte of a later one.
inline void prefetchEntry(Board& target, const Board& source, int slot, int end) {
    const int32_t ahead = source.moveLog[std::min(slot + 16, end - 1)];
    __builtin_prefetch(&target.at(entryX(ahead) & 1023, entryY(ahead) & 1023), 1);
}
#else
inline void prefetchEntry(Board&, const Board&, int, int) {}
#endif

// Marks every cell joined by decided edges to the outside ring or to a cell the clues mark,
// as the fills of a replay do, and the crosses beside the marked cells with their cells'
// mark. False when two marked cells disagree with the edge between them: then the marks
// depend on the replay's order.
//
// A walk row by row hands each mark on rightwards and downwards; what has to go up or left
// is filled from the cell that reaches it, once the walk is done. Every decided edge between
// two marked cells is compared once both are marked, by the walk at the later cell of the
// two or by a fill from one of them.
bool colourFromMarks(PuzzleState& state, Board& target) {
    uint8_t* lat = target.lattice.data();
    int32_t* stack = state.walkStack->data();
    int top = 0;
    // The edge at e, seen from a cell marked m, and the cell n behind it. Decided edges hold
    // a line (3) or a cross (2, 0x22 or 0x32): bit 0 tells a line, which turns the mark.
    const auto reach = [&](int e, int n, uint8_t m) {
        const uint8_t edge = lat[e];
        if (edge == 0) return true;
        const uint8_t want = m ^ static_cast<uint8_t>((edge & 1) << 4);
        // A cross marked otherwise already makes the marks disagree below.
        if ((edge & 1) == 0) lat[e] = kCross | m;
        const uint8_t has = lat[n] & kColourMask;
        if (has == 0) {
            lat[n] |= want;
            stack[top++] = n;
            return true;
        }
        return has == want;
    };
    // The mark the cell at c takes from cell n across the edge at e, or 0.
    const auto taken = [&](int e, int n) -> uint8_t {
        const uint8_t edge = lat[e];
        const uint8_t has = lat[n] & kColourMask;
        if (edge == 0 || has == 0) return 0;
        return has ^ static_cast<uint8_t>((edge & 1) << 4);
    };
    const int w = state.W();
    const int h = state.H();
    constexpr int kRow = kLatticeSide;
    bool agree = true;
    for (int y = 2; y <= 2 * h; y += 2) {
        for (int x = 2; x <= 2 * w; x += 2) {
            const int c = latticeIndex(x, y);
            uint8_t m = lat[c] & kColourMask;
            if (m == 0) {
                m = taken(c - kRow, c - 2 * kRow);
                if (m == 0) m = taken(c - 1, c - 2);
                // The ring beyond the last column and row is never walked: it gives its mark here.
                if (m == 0 && x == 2 * w) m = taken(c + 1, c + 2);
                if (m == 0 && y == 2 * h) m = taken(c + kRow, c + 2 * kRow);
                if (m == 0) continue;
                lat[c] |= m;
            }
            agree &= reach(c - kRow, c - 2 * kRow, m) & reach(c - 1, c - 2, m);
            if (x == 2 * w) agree &= reach(c + 1, c + 2, m);
            if (y == 2 * h) agree &= reach(c + kRow, c + 2 * kRow, m);
        }
    }
    while (agree && top > 0) {
        const int cell = stack[--top];
        const uint8_t m = lat[cell] & kColourMask;
        agree = reach(cell - kRow, cell - 2 * kRow, m) && reach(cell + kRow, cell + 2 * kRow, m) &&
                reach(cell - 1, cell - 2, m) && reach(cell + 1, cell + 2, m);
    }
    return agree;
}

}  // namespace

bool carryOnRebuild(PuzzleState& state, Board& target, const Board& source, int from,
                    std::vector<int32_t>& marked) {
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    Rebuilder rebuilder(state, target, marked);
    const int end = source.writePos;
    for (int slot = from; slot < end; ++slot) {
        prefetchEntry(target, source, slot, end);
        const int32_t e = source.moveLog[slot];
        const EntryUse use = entryUse(target, e, maxX, maxY);
        if (use == EntryUse::kStop) return false;
        if (use == EntryUse::kSkip) continue;
        rebuilder.applyLive(entryX(e), entryY(e), entryValue(e));
    }
    return true;
}

bool rebuildColours(PuzzleState& state, Board& target, const Board& source) {
    initLatticeFromClues(state, target);
    const int maxX = 2 * state.W() + 1;
    const int maxY = 2 * state.H() + 1;
    const int end = source.writePos;
    // The edges first; with the marks agreeing everywhere, the fills of a replay in any
    // order end where one fill from the ring does.
    for (int slot = 1; slot < end; ++slot) {
        prefetchEntry(target, source, slot, end);
        const int32_t e = source.moveLog[slot];
        // The usual entry, a cross or a line of an edge within the board decided once, at
        // once; anything else as carryOnRebuild takes it.
        const int x = entryX(e);
        const int y = entryY(e);
        const unsigned v = static_cast<unsigned>(e) >> 24;
        if (v - kCross < 2 && static_cast<unsigned>(x - 1) < static_cast<unsigned>(maxX) &&
            static_cast<unsigned>(y - 1) < static_cast<unsigned>(maxY) && ((x + y) & 1) != 0 &&
            target.at(x, y) == 0) {
            target.at(x, y) = static_cast<uint8_t>(v);
            continue;
        }
        const EntryUse use = entryUse(target, e, maxX, maxY);
        if (use == EntryUse::kStop) return false;
        if (use == EntryUse::kSkip) continue;
        target.at(x, y) = static_cast<uint8_t>(entryValue(e));
    }
    if (colourFromMarks(state, target)) return true;
    initLatticeFromClues(state, target);
    std::vector<int32_t>& marked = state.solveScratch->colourMarked;
    const bool whole = carryOnRebuild(state, target, source, 1, marked);
    marked.clear();
    return whole;
}

}  // namespace vexilo
