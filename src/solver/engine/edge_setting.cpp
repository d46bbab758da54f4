#include "solver/engine/edge_setting.h"

#include <bit>
#include <cstring>

#include "model/move_log.h"
#include "model/puzzle_state.h"
#include "solver/engine/rule_observer.h"

namespace vexilo {

const int kDiagonalDx[5] = {0, -2, -2, 2, 2};
const int kDiagonalDy[5] = {0, -2, 2, 2, -2};

void pushWorkQueue(PuzzleState& state, int32_t entry) {
    if (!state.workBoard->queue.push(entry)) state.frontend.showMessage(kQueueFullMessage);
}

namespace {

// Queue and log entries written in a run that the queue is known to hold
// (WorkQueue::fitsInRun): the write positions stay here until the run ends. The log is
// appended to as appendEntry does.
class EntryRun {
  public:
    explicit EntryRun(PuzzleState& state)
        : board_(*state.workBoard),
          frontend_(state.frontend),
          queued_(board_.queue.runSlots()),
          logged_(board_.moveLog.data() + board_.writePos) {}
    ~EntryRun() {
        board_.queue.endRun(queued_);
        board_.writePos = static_cast<int32_t>(logged_ - board_.moveLog.data());
    }
    EntryRun(const EntryRun&) = delete;
    EntryRun& operator=(const EntryRun&) = delete;

    void queue(int32_t entry) { *queued_++ = entry; }
    void log(int32_t entry) {
        if (*logged_ == kEndSentinel) [[unlikely]] {
            noteLogFull(frontend_);
            return;
        }
        *logged_++ = entry;
    }

  private:
    Board& board_;
    Frontend& frontend_;
    int32_t* queued_;
    int32_t* logged_;
};

// Seeding: queue the bare edge, then decide it from the colours of the cells beside it;
// through `run` when there is one, else entry by entry.
[[gnu::always_inline]] inline void seedEdge(PuzzleState& state, EntryRun* run, int x, int y,
                                            int cellA, int cellB) {
    Board& wb = *state.workBoard;
    // Every edge lies past the lattice's first row and below the markers.
    const int32_t bare = moveEntry(x, y, 0);
    run ? run->queue(bare) : pushWorkQueue(state, bare);
    const uint8_t markA = wb.at(cellA) & kColourMask;
    const uint8_t markB = wb.at(cellB) & kColourMask;
    if (markA < kInside || markB < kInside) return;
    const int value = markA == markB ? kCross : kLine;
    wb.at(x, y) = static_cast<uint8_t>(value);
    const int32_t entry = moveEntry(x, y, value);
    if (run) {
        run->queue(entry);
        run->log(entry);
    } else {
        pushWorkQueue(state, entry);
        appendEntry(wb, entry, state.frontend);
    }
    if (state.ruleObserver) [[unlikely]] {
        state.ruleObserver->site = {RuleId::kColourSeed, x, y};
        state.ruleObserver->edgeDecided(x, y, value);
    }
}

// The edges of row y (horizontal ones) and, unless y is the last row, of row y + 1
// (vertical ones), seeded in that order.
[[gnu::always_inline]] inline void seedRows(PuzzleState& state, EntryRun* run, int y, int maxX,
                                            int lastRow) {
    for (int x = 2; x <= maxX; x += 2) {
        seedEdge(state, run, x, y, latticeIndex(x, y - 1), latticeIndex(x, y + 1));
    }
    if (y + 1 <= lastRow) {
        for (int x = 1; x <= maxX + 1; x += 2) {
            seedEdge(state, run, x, y + 1, latticeIndex(x - 1, y + 1), latticeIndex(x + 1, y + 1));
        }
    }
}

// The cells among the eight lattice bytes from a cell's `at` (every other one a cell's)
// whose byte passes `test`, as bit 8 * i for the cell i bytes on; the bytes past `last` bytes
// on are left out. `swar` is the same test on bit 0 of each byte of a word.
template <class Test, class Swar>
uint64_t cellsPassing(const uint8_t* at, int last, Test test, Swar swar) {
    constexpr uint64_t kCells = 0x0001000100010001;
    uint64_t bits = 0;
    if constexpr (std::endian::native == std::endian::little) {
        uint64_t v;
        std::memcpy(&v, at, sizeof v);
        bits = swar(v) & kCells;
    } else {
        for (int i = 0; i < 8; i += 2) bits |= test(at[i]) ? uint64_t{1} << (8 * i) : 0;
    }
    return last >= 7 ? bits : bits & (~uint64_t{0} >> (8 * (7 - last)));
}

// Cells with a colour mark (kInside or kOutside: bit 5 set).
uint64_t markedCells(const uint8_t* at, int last) {
    return cellsPassing(
        at, last, [](uint8_t b) { return (b & kColourMask) >= kInside; },
        [](uint64_t v) { return v >> 5; });
}

// Cells of a 0 clue (key 4: bit 2 alone of the key's bits).
uint64_t zeroCells(const uint8_t* at, int last) {
    return cellsPassing(
        at, last, [](uint8_t b) { return (b & kKeyMask) == kClueZero; },
        [](uint64_t v) { return (v >> 2) & ~(v >> 1) & ~v; });
}

// Whether a cell of row y of the puzzle (columns 2 .. maxX) carries a colour mark.
bool rowHasMarkedCell(const Board& wb, int y, int maxX) {
    const uint8_t* row = wb.lattice.data() + latticeIndex(0, y);
    for (int x = 2; x <= maxX; x += 8) {
        if (markedCells(row + x, maxX - x) != 0) return true;
    }
    return false;
}

// seedRows where no edge can be decided: the bare entries alone.
void queueBareRows(EntryRun& run, int y, int maxX, int lastRow) {
    for (int x = 2; x <= maxX; x += 2) run.queue(moveEntry(x, y, 0));
    if (y + 1 <= lastRow) {
        for (int x = 1; x <= maxX + 1; x += 2) run.queue(moveEntry(x, y + 1, 0));
    }
}

// The four sides of the 0 cells of row y, crossed in a run; as setEdgeGroup does without an
// observer and outside an incremental solve.
void crossZeroRow(PuzzleState& state, int y) {
    Board& wb = *state.workBoard;
    EntryRun run(state);
    const auto cross = [&](int x, int y) {
        uint8_t& side = wb.at(x, y);
        if (side & 2) return;
        side = kCross;
        const int32_t entry = moveEntry(x, y, kCross);
        run.queue(entry);
        run.log(entry);
    };
    const int maxX = 2 * state.W();
    for (int first = 2; first <= maxX; first += 8) {
        // The crosses change only edges: the cells' bytes read here stay as they are.
        for (uint64_t zeros = zeroCells(&wb.at(first, y), maxX - first); zeros != 0;
             zeros &= zeros - 1) {
            const int x = first + std::countr_zero(zeros) / 8;
            // Top, bottom, left, right: the order of edge group 0.
            cross(x, y - 1);
            cross(x, y + 1);
            cross(x - 1, y);
            cross(x + 1, y);
        }
    }
}

[[gnu::cold, gnu::noinline]] void observeEdge(RuleObserver& observer, int x, int y, int value) {
    observer.edgeDecided(x, y, value);
}

}  // namespace

void observeRule(RuleObserver& observer, RuleId rule, int x, int y, int corner, int otherX,
                 int otherY) {
    observer.site = {rule, x, y, corner, otherX, otherY};
}

namespace {

// The rest of writeEdge when the queue or the log is full, an observer listens, the count
// of board changes is about to start again or no solve builds on its calls. Out of line and at the
// end, so that writeEdge's usual course makes no call but the last.
[[gnu::cold, gnu::noinline]] void writeEdgeRarely(PuzzleState& state, int x, int y, int value,
                                                  bool queued) {
    if (!queued) state.frontend.showMessage(kQueueFullMessage);
    appendEntry(*state.workBoard, moveEntry(x, y, value), state.frontend);
    if (state.ruleObserver) observeEdge(*state.ruleObserver, x, y, value);
    SolveScratch& scratch = *state.solveScratch;
    scratch.noteEdgeChange(x, y);
    if (value == kLine)
        scratch.pathEnds.lineSet(state.workBoard->lattice.data(), latticeIndex(x, y));
}

}  // namespace

template <bool kLineValue>
[[gnu::always_inline]] inline void writeEdgeOf(PuzzleState& state, int x, int y, int value) {
    Board& wb = *state.workBoard;
    wb.at(x, y) = static_cast<uint8_t>(value);
    // A decision is queued and then logged. (Its entry lies past the lattice's first row and
    // below the markers: it is always queued.)
    const int32_t entry = moveEntry(x, y, value);
    const bool queued = wb.queue.push(entry);
    int32_t& logged = wb.moveLog[static_cast<size_t>(wb.writePos)];
    SolveScratch& scratch = *state.solveScratch;
    // The usual course, within a solve with room everywhere, is told by one test.
    if (!queued | (logged == kEndSentinel) | (state.ruleObserver != nullptr) |
        (scratch.boardChanges == UINT32_MAX) | !scratch.incremental) [[unlikely]] {
        writeEdgeRarely(state, x, y, value, queued);
        return;
    }
    logged = entry;
    ++wb.writePos;
    // As noteEdgeChange: the count cannot start again here.
    ++scratch.boardChanges;
    const auto ux = static_cast<size_t>(x);
    const auto uy = static_cast<size_t>(y);
    scratch.ruleQuiet.wakeEdge(ux, uy);
    scratch.noteChainEdge(ux, uy, (x & 1) != 0);
    if constexpr (kLineValue) scratch.pathEnds.lineSet(wb.lattice.data(), latticeIndex(x, y));
}

// Out of line, so that writeAnyEdge jumps to them.
[[gnu::noinline]] void writeLine(PuzzleState& state, int x, int y) {
    writeEdgeOf<true>(state, x, y, kLine);
}

[[gnu::noinline]] void writeOther(PuzzleState& state, int x, int y, int value) {
    writeEdgeOf<false>(state, x, y, value);
}

void writeAnyEdge(PuzzleState& state, int x, int y, int value) {
    if (value == kLine) {
        writeLine(state, x, y);
    } else {
        writeOther(state, x, y, value);
    }
}

void observeGroup(PuzzleState& state, int x, int y, int group) {
    state.ruleObserver->group = {x, y, group};
}

void seedWorkQueue(PuzzleState& state) {
    const Board& wb = *state.workBoard;
    WorkQueue& queue = state.workBoard->queue;
    const int maxX = 2 * state.W();
    const int lastRow = 2 * state.H() + 1;
    // Two entries at most for each of a row pair's 2W + 1 edges.
    const int rowPairEntries = 2 * (maxX + 1);
    for (int y = 1; y <= lastRow; y += 2) {
        if (queue.fitsInRun(rowPairEntries)) {
            EntryRun run(state);
            // Each edge of the pair lies beside a cell of the puzzle's row below it (of the
            // row above on the last row); with no mark in that row, none is decided.
            const int cellRow = y < lastRow ? y + 1 : y - 1;
            if (rowHasMarkedCell(wb, cellRow, maxX)) {
                seedRows(state, &run, y, maxX, lastRow);
            } else {
                queueBareRows(run, y, maxX, lastRow);
            }
        } else {
            seedRows(state, nullptr, y, maxX, lastRow);
        }
    }
}

void crossZeroCells(PuzzleState& state) {
    Board& wb = *state.workBoard;
    // Without an observer and outside an incremental solve, a side's cross is its lattice
    // byte, its queue entry and its log entry alone (what writeEdge does then).
    const bool plain = state.ruleObserver == nullptr && !state.solveScratch->incremental;
    for (int y = 2; y <= 2 * state.H(); y += 2) {
        if (plain && wb.queue.fitsInRun(4 * state.W())) {
            crossZeroRow(state, y);
            continue;
        }
        for (int x = 2; x <= 2 * state.W(); x += 2) {
            if ((wb.at(x, y) & 7) != kClueZero) continue;
            noteRule(state, RuleId::kZeroClue, x, y);
            setEdgeGroup(state, x, y, 0, kCross);
        }
    }
}

}  // namespace vexilo
