// Both walks take one step per dot and never branch, so they run as plain loops: a path or
// a corridor can pass through every dot of a 500 x 500 board. They cannot run in circles
// when started beside a path end (the start dot has a single line, so no path of two-line
// dots and no corridor of two-undecided dots leads back into it), but a bound on the number
// of steps keeps a call from elsewhere, say on a closed loop, from walking for ever.
#include "solver/sub_loops.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

namespace {

// The steps of lattice index from a dot to its four sides (twice that to the dots beyond),
// in the order in which the rule and its walks try them: left, right, up, down.
constexpr int kSideSteps[4] = {-1, 1, -kLatticeSide, kLatticeSide};

// The walks run over lattice indices; a dot's number x + 4096 * y is made only where it is
// returned.
constexpr int dotNumberAt(int at) {
    static_assert(kLatticeSide == 1024);
    return (at & 1023) + 4096 * (at >> 10);
}

[[gnu::always_inline]] inline int keyAt(const uint8_t* lattice, int at) {
    return lattice[at] & kKeyMask;
}

// What an edge adds to the tally of its dots, by its lattice byte.
constexpr auto kTallyByByte = [] {
    std::array<uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b) table[static_cast<size_t>(b)] = edgeTally(b & kKeyMask);
    return table;
}();

// The tally of the four edges around the dot at index `at`.
[[gnu::always_inline]] inline int dotTally(const uint8_t* lattice, int at) {
    return kTallyByByte[lattice[at - 1]] + kTallyByByte[lattice[at + 1]] +
           kTallyByByte[lattice[at - kLatticeSide]] + kTallyByByte[lattice[at + kLatticeSide]];
}

// The step to the first side of the dot at `at`, arrived at by step `arrived`, whose edge
// has `key`, or 0; the way back is never taken.
[[gnu::always_inline]] inline int onwardStep(const uint8_t* lattice, int at, int arrived, int key) {
    for (int side : kSideSteps) {
        if (side != -arrived && keyAt(lattice, at + side) == key) return side;
    }
    return 0;
}

// Whether any edge of the four dots at index `at`, at + 2, at + 4 and at + 6 may be a line
// (bytes beyond the board may answer yes, never no).
bool lineNearDots(const uint8_t* lattice, int at) {
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    constexpr uint64_t kEvenBytes = 0x0080008000800080ULL;  // high bits of bytes 0, 2, 4, 6
    const auto lineIn = [&](int from) {
        uint64_t word = 0;
        std::memcpy(&word, lattice + from, 8);
        const uint64_t t = (word & (kOnes * kKeyMask)) ^ (kOnes * kLine);
        return (~(((t & kLow7) + kLow7) | t) & kEvenBytes) != 0;
    };
    // The edges left and right of the dots, then those above and below them.
    return lineIn(at - 1) || lineIn(at + 1) || lineIn(at - kLatticeSide) ||
           lineIn(at + kLatticeSide);
}

int maxWalk(const PuzzleState& s) {
    return (s.W() + 1) * (s.H() + 1);
}

// The walks from the dot at `at`, reached by step `arrived`. The index of the first dot of
// the path without two lines, or 0 when the path cannot be followed.
int pathEndFrom(const uint8_t* lattice, int at, int arrived, int maxSteps) {
    for (int steps = maxSteps; steps >= 0; --steps) {
        if (tallyLines(dotTally(lattice, at)) != 2) return at;
        arrived = onwardStep(lattice, at, arrived, kLine);
        if (arrived == 0) return 0;
        at += 2 * arrived;
    }
    return 0;
}

// Whether the corridor arrives at the dot at index `target`.
bool corridorFrom(const uint8_t* lattice, int at, int arrived, int target, int maxSteps) {
    for (int steps = maxSteps; steps >= 0; --steps) {
        if (at == target) return true;
        if (dotTally(lattice, at) != tally(2, 0)) return false;
        arrived = onwardStep(lattice, at, arrived, kUndecided);
        if (arrived == 0) return false;
        at += 2 * arrived;
    }
    return false;
}

}  // namespace

int findPathEnd(PuzzleState& s, int x, int y, Direction dir) {
    const int end =
        pathEndFrom(s.workBoard->lattice.data(), latticeIndex(x, y), latticeStep(dir), maxWalk(s));
    return end == 0 ? 0 : dotNumberAt(end);
}

bool corridorReaches(PuzzleState& s, int x, int y, Direction dir, int target) {
    // A number whose x is beyond the lattice names no dot.
    const int at = (target & 4095) < kLatticeSide ? latticeIndex(target & 4095, target >> 12) : -1;
    return corridorFrom(s.workBoard->lattice.data(), latticeIndex(x, y), latticeStep(dir), at,
                        maxWalk(s));
}

namespace {

// One call of the rule. The rule decides at a path end D (not settled, an undecided side
// left) when a corridor from D ends at D's partner P, the other end of its path; both ends
// then decide, as the corridor is one from P to D too. Within a solve a call looks only at
// the dots that may decide: once a call has visited the dots it had to, none decides (a
// dot crosses every side that leads to its partner, and a cross it sets opens no corridor:
// it lies between D and P or a corridor dot, and leaves that dot with a line or three
// crosses). What changes that are logged since can make a dot decide:
// - a new line: only at the two ends of a path it joined (they become partners);
// - a cross: only where it leaves a dot with two crosses and two undecided edges, which
//   joins the two corridors on either side of it into one, from end F1 to end F2; when F1
//   and F2 are partners both may now decide.
// A cross that closes a corridor makes it stop at a dot without lines, never a partner.
// Nothing else changes within a solve but by a retraction, which takes the board back to a
// position whose changes are logged from the restored starting point on (and the settled
// flags it clears are those of dots without an undecided edge, which decide nothing).
// The dots are visited in the order of the whole-board scan (increasing lattice index); as
// nothing new can decide within a call, no dot is queued while the rule runs. While a
// branch stands (the basic rules find it first, so it hardly ever does at a call) the ends
// of paths are not kept, and a call looks at every dot.
class SubLoopCall {
  public:
    explicit SubLoopCall(PuzzleState& s)
        : s_(s),
          wb_(*s.workBoard),
          lattice_(wb_.lattice.data()),
          walk_(maxWalk(s)),
          scratch_(*s.solveScratch),
          tracked_(scratch_.incremental && wb_.moveLog[wb_.writePos] != kEndSentinel) {}

    void run() {
        const int32_t logEnd = wb_.writePos;
        // An entry that found the log full left no trace: from here on the solve looks at
        // the whole board.
        if (wb_.moveLog[logEnd] == kEndSentinel) scratch_.incremental = false;
        lookUpEnds_ = scratch_.incremental && ends_.known();
        const int32_t from = scratch_.subLoopSeen;
        bool everyDot = !tracked_ || from < 0 || from > logEnd;
        if (tracked_) scratch_.subLoopSeen = logEnd;
        if (!everyDot) {
            scratch_.subLoopQueued.next();
            scratch_.subLoopWalked.next();
            everyDot = !lookUpEnds_ || !queueByEnds(from, logEnd);
        }
        if (everyDot) {
            scanAll();
            return;
        }
        int32_t* waiting = scratch_.subLoopWaiting.data();
        if (queued_ > 1) std::sort(waiting, waiting + queued_);
        for (int i = 0; i < queued_; ++i) ruleAtDot(waiting[i]);
    }

  private:
    // The rule at every dot, in the order of the scan.
    void scanAll() {
        const int lastY = 2 * s_.H() + 1;
        const int lastX = 2 * s_.W() + 1;
        for (int y = 1; y <= lastY; y += 2) {
            for (int x = 1; x <= lastX; x += 2) {
                const int at = latticeIndex(x, y);
                // Four dots at a time are passed over when no line touches any of them.
                if ((x & 7) == 1 && !lineNearDots(lattice_, at)) {
                    x += 6;
                    continue;
                }
                ruleAtDot(at);
            }
        }
    }

    // The rule at one dot: a path end (one line, not yet three crosses beside it) crosses
    // each undecided side whose corridor leads to the other end of its path.
    void ruleAtDot(int at) {
        if (lattice_[at] & kSettled) return;
        const int c = dotTally(lattice_, at);
        if (c == tally(3, 1) || tallyLines(c) != 1) return;
        int end = 0;
        if (lookUpEnds_) {
            end = ends_.otherEnd(at);
        } else {
            for (int side : kSideSteps) {
                if (keyAt(lattice_, at + side) == kLine) {
                    end = pathEndFrom(lattice_, at + 2 * side, side, walk_);
                    break;
                }
            }
        }
        for (int side : kSideSteps) {
            const int edge = at + side;
            if (keyAt(lattice_, edge) != kUndecided) continue;
            if (corridorFrom(lattice_, edge + side, side, end, walk_)) {
                static_cast<void>(setEdge(s_, edge % kLatticeSide, edge / kLatticeSide, kCross));
            }
        }
    }

    // Queues, with the ends of paths looked up, the dots that the log entries from slot
    // `from` to `to` may have made decide; false on an entry that is neither a line nor a
    // cross of an edge.
    bool queueByEnds(int32_t from, int32_t to) {
        // Lines and crosses come in no order: the entries are sorted into the two kinds a
        // block at a time without a jump, and the crosses of the block then looked at.
        constexpr int kBlock = 64;
        int32_t crossed[kBlock];
        int newLines = 0;
        for (int32_t first = from; first < to; first += kBlock) {
            const int32_t* const log = wb_.moveLog.data();
            const int32_t last = std::min(to, first + kBlock);
            // Counts of the block's lines, crosses and strays in the fields of kEntryKinds.
            uint32_t kinds = 0;
            for (int32_t slot = first; slot < last; ++slot) {
                const int32_t e = log[slot];
                crossed[(kinds >> 8) & 0xFF] = e;
                kinds += kEntryKinds[static_cast<uint32_t>(e) >> 24];
            }
            if ((kinds >> 16) != 0) return false;
            newLines += static_cast<int>(kinds & 0xFF);
            const int crosses = static_cast<int>(kinds >> 8);
            for (int i = 0; i < crosses; ++i) {
                if (!queueAcross(crossed[i])) return false;
            }
        }
        // The ends of each path that holds a new line were joined by the newest of them;
        // those of older records are no longer partners (or are the same two). A corridor
        // from one to the other is one back too: they decide when one leads to the other.
        for (int back = 1; back <= newLines; ++back) {
            const PathEnds::Joined joined = ends_.joinedBy(back);
            if (joined.a >= 0 && partners(joined.a, joined.b) &&
                corridorBetween(joined.a, joined.b)) {
                queueDot(joined.a);
                queueDot(joined.b);
            }
        }
        return true;
    }

    // By the top byte of a log entry, what it adds to a block's count: 1 for a line, 1 << 8
    // for a cross, 1 << 16 for a stray (a move of another value, or no entry the log
    // writes), nothing for a marker. A block's 64 entries overflow no field.
    static constexpr auto kEntryKinds = [] {
        std::array<uint32_t, 256> kinds{};
        for (unsigned top = 0; top < 256; ++top) {
            const auto entry = static_cast<int32_t>(top << 24);
            kinds[top] = isMarker(entry)                  ? 0
                         : isMove(entry) && top == kLine  ? 1
                         : isMove(entry) && top == kCross ? 1 << 8
                                                          : 1 << 16;
        }
        return kinds;
    }();

    // After the cross entry `e`: the corridors through its dots that it made; false when it
    // names no edge.
    bool queueAcross(int32_t e) {
        const int x = entryX(e);
        const int y = entryY(e);
        if (x >= kLatticeSide || ((x + y) & 1) == 0) return false;
        const int edge = latticeIndex(x, y);
        const int across = (x & 1) != 0 ? kLatticeSide : 1;
        const bool before = dotTally(lattice_, edge - across) == tally(2, 0);
        const bool after = dotTally(lattice_, edge + across) == tally(2, 0);
        // Most crosses make none: one test for both.
        if (!(before | after)) return true;
        if (before) queueCorridorEnds(edge - across);
        if (after) queueCorridorEnds(edge + across);
        return true;
    }

    // Whether a corridor leads from the dot at `a` to the dot at `b`.
    bool corridorBetween(int a, int b) const {
        for (int side : kSideSteps) {
            if (keyAt(lattice_, a + side) != kUndecided) continue;
            int end = a;
            for (int onward = side;;) {
                end += 2 * onward;
                if (end == b) return true;
                if (dotTally(lattice_, end) != tally(2, 0)) break;
                onward = onwardStep(lattice_, end, onward, kUndecided);
            }
        }
        return false;
    }

    // The ends of the corridor through the corridor dot at `at`, when they are partners;
    // each corridor is walked once a call.
    void queueCorridorEnds(int at) {
        if (!scratch_.subLoopWalked.visit(SolveScratch::dotSlot(at))) return;
        int ends[2] = {0, 0};
        int found = 0;
        for (int side : kSideSteps) {
            if (keyAt(lattice_, at + side) != kUndecided) continue;
            int end = at;
            for (int onward = side;;) {
                end += 2 * onward;
                if (dotTally(lattice_, end) != tally(2, 0)) break;
                // Back at a dot walked: the corridor is a closed ring.
                if (!scratch_.subLoopWalked.visit(SolveScratch::dotSlot(end))) return;
                onward = onwardStep(lattice_, end, onward, kUndecided);
            }
            ends[found++] = end;
            if (found == 2) break;
        }
        if (partners(ends[0], ends[1])) {
            queueDot(ends[0]);
            queueDot(ends[1]);
        }
    }

    // Whether the dots at a and b may be the two ends of one path: each is the other's
    // partner (the partners kept for dots that are no ends, or no longer, are left as they
    // were, and may agree; the rule at such a dot decides nothing).
    bool partners(int a, int b) const {
        // Both are read: whether the first agrees follows no pattern.
        return (ends_.otherEnd(a) == b) & (ends_.otherEnd(b) == a);
    }

    void queueDot(int at) {
        if (!scratch_.subLoopQueued.visit(SolveScratch::dotSlot(at))) return;
        scratch_.subLoopWaiting[static_cast<size_t>(queued_++)] = at;
    }

    PuzzleState& s_;
    Board& wb_;
    const uint8_t* lattice_;
    const int walk_;
    SolveScratch& scratch_;
    const bool tracked_;
    const PathEnds& ends_ = scratch_.pathEnds;
    bool lookUpEnds_ = false;  // the ends of paths are looked up, not walked to
    int queued_ = 0;           // dots in subLoopWaiting, each queued once a call
};

}  // namespace

RuleResult preventSubLoops(PuzzleState& s) {
    SubLoopCall(s).run();
    Board& wb = *s.workBoard;
    wb.queue.closePass();
    return wb.queue.basicCaughtUp() ? RuleResult::kUnchanged : RuleResult::kProgress;
}

}  // namespace vexilo
