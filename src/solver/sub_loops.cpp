// Both walks take one step per dot and never branch, so they run as plain loops: a path or
// a corridor can pass through every dot of a 500 x 500 board. They cannot run in circles
// when started beside a path end (the start dot has a single line, so no path of two-line
// dots and no corridor of two-undecided dots leads back into it), but a bound on the number
// of steps keeps a call from elsewhere, say on a closed loop, from walking for ever.
#include "solver/sub_loops.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "model/puzzle_state.h"
#include "solver/engine/edge_setting.h"

namespace vexilo {

namespace {

// The order in which the rule and its walks try the sides of a dot.
constexpr Direction kSideOrder[4] = {Direction::kLeft, Direction::kRight, Direction::kUp,
                                     Direction::kDown};

// The walks run over lattice indices; a dot's number x + 4096 * y is made only where it is
// compared or returned.
constexpr int dotNumberAt(int at) {
    static_assert(kLatticeSide == 1024);
    return (at & 1023) + 4096 * (at >> 10);
}

[[gnu::always_inline]] inline int keyAt(const uint8_t* lattice, int at) {
    return lattice[at] & kKeyMask;
}

// The tally of the four edges around the dot at index `at`.
[[gnu::always_inline]] inline int dotTally(const uint8_t* lattice, int at) {
    static constexpr int kEdgeTally[8] = {edgeTally(0), edgeTally(1), edgeTally(2), edgeTally(3),
                                          edgeTally(4), edgeTally(5), edgeTally(6), edgeTally(7)};
    return kEdgeTally[keyAt(lattice, at - 1)] + kEdgeTally[keyAt(lattice, at + 1)] +
           kEdgeTally[keyAt(lattice, at - kLatticeSide)] +
           kEdgeTally[keyAt(lattice, at + kLatticeSide)];
}

// The first side of the dot at `at`, arrived at in direction dir, whose edge has `key`; the
// way back is never taken.
[[gnu::always_inline]] inline std::optional<Direction> onwardSide(const uint8_t* lattice, int at,
                                                                  Direction dir, int key) {
    for (Direction side : kSideOrder) {
        if (side != opposite(dir) && keyAt(lattice, at + latticeStep(side)) == key) return side;
    }
    return std::nullopt;
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

int pathEndFrom(const uint8_t* lattice, int at, Direction dir, int maxSteps) {
    for (int steps = maxSteps; steps >= 0; --steps) {
        if (tallyLines(dotTally(lattice, at)) != 2) return dotNumberAt(at);
        const std::optional<Direction> next = onwardSide(lattice, at, dir, kLine);
        if (!next) return 0;
        dir = *next;
        at += 2 * latticeStep(dir);
    }
    return 0;
}

bool corridorFrom(const uint8_t* lattice, int at, Direction dir, int target, int maxSteps) {
    for (int steps = maxSteps; steps >= 0; --steps) {
        if (dotNumberAt(at) == target) return true;
        if (dotTally(lattice, at) != tally(2, 0)) return false;
        const std::optional<Direction> next = onwardSide(lattice, at, dir, kUndecided);
        if (!next) return false;
        dir = *next;
        at += 2 * latticeStep(dir);
    }
    return false;
}

}  // namespace

int findPathEnd(PuzzleState& s, int x, int y, Direction dir) {
    return pathEndFrom(s.workBoard->lattice.data(), latticeIndex(x, y), dir, maxWalk(s));
}

bool corridorReaches(PuzzleState& s, int x, int y, Direction dir, int target) {
    return corridorFrom(s.workBoard->lattice.data(), latticeIndex(x, y), dir, target, maxWalk(s));
}

namespace {

// One call of the rule. Within a solve it looks only at the dots whose rule may now decide
// something: a dot's rule reads the edges of the dots its walks pass, so a dot whose walks
// pass no edge changed since its rule last ran would find what it found then, nothing.
// Those dots are visited in the order of the whole-board scan (increasing lattice index),
// and a cross set on the way queues the later dots it concerns, as the scan would meet
// them; earlier ones wait for the next call, which starts from the changes logged since
// this call began.
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
        bool everyDot = !tracked_ || scratch_.subLoopSeen < 0 || scratch_.subLoopSeen > logEnd;
        if (!everyDot) {
            scratch_.subLoopQueued.next();
            scratch_.subLoopWalked.next();
            // Walks beyond one whole board's worth of dots cost more than the scan.
            budget_ = walk_;
            int newLines = 0;
            for (int32_t slot = scratch_.subLoopSeen; slot < logEnd && !overBudget(); ++slot) {
                const int32_t e = wb_.moveLog[slot];
                if (!isMove(e)) continue;
                const int edge = latticeIndex(entryX(e), entryY(e));
                if (lookUpEnds_ && entryValue(e) == kLine) {
                    queueLineDots(edge);
                    ++newLines;
                } else {
                    queueAffected(edge, -1);
                }
            }
            // The ends of each path that holds a new line were joined by the newest of them.
            for (int back = 1; back <= newLines; ++back) {
                const PathEnds::Joined joined = ends_.joinedBy(back);
                if (joined.a < 0) continue;
                queueDot(joined.a, -1);
                queueDot(joined.b, -1);
            }
            everyDot = overBudget();
        }
        if (tracked_) scratch_.subLoopSeen = logEnd;
        if (everyDot) {
            scanFrom(latticeIndex(1, 1));
            return;
        }
        // The dots queued so far are sorted once; those queued from here on go on a heap
        // after them.
        std::sort(scratch_.subLoopWaiting.data(), scratch_.subLoopWaiting.data() + batchSize_);
        heap_ = scratch_.subLoopWaiting.data() + batchSize_;
        while (batchNext_ < batchSize_ || heapSize_ > 0) {
            const int at = popFirst();
            if (!ruleAtDot(at)) {
                // The crosses just set reach too far: every later dot is looked at.
                scanFrom(at + 2);
                return;
            }
        }
    }

  private:
    // The rule at every dot from `from` on, in the order of the scan.
    void scanFrom(int from) {
        const int lastY = 2 * s_.H() + 1;
        const int lastX = 2 * s_.W() + 1;
        int y = from / kLatticeSide;
        int x = from % kLatticeSide;
        if (x > lastX) {
            x = 1;
            y += 2;
        }
        for (; y <= lastY; y += 2, x = 1) {
            for (; x <= lastX; x += 2) {
                const int at = latticeIndex(x, y);
                // Four dots at a time are passed over when no line touches any of them.
                if ((x & 7) == 1 && !lineNearDots(lattice_, at)) {
                    x += 6;
                    continue;
                }
                everyDot_ = true;
                static_cast<void>(ruleAtDot(at));
            }
        }
    }

    // The rule at one dot: a path end (one line, not yet three crosses beside it) crosses
    // each undecided side whose corridor leads to the other end of its path. False when
    // what it crossed concerned too many dots to queue them.
    bool ruleAtDot(int at) {
        if (lattice_[at] & kSettled) return true;
        const int c = dotTally(lattice_, at);
        if (c == tally(3, 1) || tallyLines(c) != 1) return true;
        int end = 0;
        if (lookUpEnds_) {
            end = dotNumberAt(ends_.otherEnd(at));
        } else {
            for (Direction dir : kSideOrder) {
                if (keyAt(lattice_, at + latticeStep(dir)) == kLine) {
                    end = pathEndFrom(lattice_, at + 2 * latticeStep(dir), dir, walk_);
                    break;
                }
            }
        }
        const int x = at % kLatticeSide;
        const int y = at / kLatticeSide;
        for (Direction dir : kSideOrder) {
            if (keyAt(lattice_, at + latticeStep(dir)) != kUndecided) continue;
            if (corridorFrom(lattice_, at + 2 * latticeStep(dir), dir, end, walk_)) {
                if (setEdge(s_, x + stepX(dir), y + stepY(dir), kCross) && !everyDot_) {
                    scratch_.subLoopWalked.next();  // the board has changed
                    queueAffected(at + latticeStep(dir), at);
                }
            }
        }
        return !overBudget();
    }

    bool overBudget() const { return budget_ < 0; }

    // Queues, when it comes after `after`, each dot whose rule may read the edge at `edge`
    // (decided since that rule last ran): the dots at its ends, and the dots at the far
    // ends of the paths and corridors that pass through them.
    void queueAffected(int edge, int after) {
        if (((edge % kLatticeSide) + (edge / kLatticeSide)) % 2 == 0) return;  // not an edge
        const int across = (edge % 2 != 0) ? kLatticeSide : 1;
        const int key = keyAt(lattice_, edge);
        for (int end : {edge - across, edge + across}) {
            queueDot(end, after);
            const int t = dotTally(lattice_, end);
            // Other dots read a dot with a line only for its lines (a path passing through,
            // or a corridor stopping at it, as it does with or without this cross).
            if (key == kCross && tallyLines(t) != 0) continue;
            const bool onPath = tallyLines(t) == 2;
            const bool onCorridor = t == tally(2, 0);
            // A dot inside a path or corridor stands for the whole of it: walked once.
            if ((onPath || onCorridor) &&
                !scratch_.subLoopWalked.visit(SolveScratch::dotSlot(end))) {
                continue;
            }
            for (Direction dir : kSideOrder) {
                const int key = keyAt(lattice_, end + latticeStep(dir));
                if (key == kLine) walkToEnd(end, dir, kLine, after);
                if (key == kUndecided) walkToEnd(end, dir, kUndecided, after);
            }
        }
    }

    // With the path ends looked up, a new line at `edge` concerns, besides the ends of its
    // path, its two dots, and when one had no line before, the corridors through it.
    void queueLineDots(int edge) {
        const int across = (edge % 2 != 0) ? kLatticeSide : 1;
        for (int end : {edge - across, edge + across}) {
            queueDot(end, -1);
            if (tallyLines(dotTally(lattice_, end)) != 1) continue;
            for (Direction dir : kSideOrder) {
                if (keyAt(lattice_, end + latticeStep(dir)) == kUndecided) {
                    walkToEnd(end, dir, kUndecided, -1);
                }
            }
        }
    }

    // Follows a path (key kLine, through dots with two lines) or a corridor (kUndecided,
    // through dots with two crosses and two undecided edges) from dot `at` in direction dir
    // and queues the dot where it stops, unless the walk meets a dot walked already.
    void walkToEnd(int at, Direction dir, int key, int after) {
        at += 2 * latticeStep(dir);
        for (;;) {
            const int t = dotTally(lattice_, at);
            const bool passes = key == kLine ? tallyLines(t) == 2 : t == tally(2, 0);
            if (!passes) break;
            if (--budget_ < 0 || !scratch_.subLoopWalked.visit(SolveScratch::dotSlot(at))) return;
            const std::optional<Direction> next = onwardSide(lattice_, at, dir, key);
            if (!next) return;
            dir = *next;
            at += 2 * latticeStep(dir);
        }
        queueDot(at, after);
    }

    void queueDot(int at, int after) {
        if (at <= after || !scratch_.subLoopQueued.visit(SolveScratch::dotSlot(at))) return;
        if (heap_ == nullptr) {
            scratch_.subLoopWaiting[static_cast<size_t>(batchSize_++)] = at;
            return;
        }
        int32_t* heap = heap_;
        int i = heapSize_++;
        while (i > 0 && heap[(i - 1) / 2] > at) {
            heap[i] = heap[(i - 1) / 2];
            i = (i - 1) / 2;
        }
        heap[i] = at;
    }

    // The first dot waiting: the next of the sorted ones, or the heap's first.
    int popFirst() {
        const int32_t* batch = scratch_.subLoopWaiting.data();
        if (heapSize_ == 0 || (batchNext_ < batchSize_ && batch[batchNext_] < heap_[0])) {
            return batch[batchNext_++];
        }
        int32_t* heap = heap_;
        const int first = heap[0];
        const int last = heap[--heapSize_];
        int i = 0;
        for (;;) {
            int child = 2 * i + 1;
            if (child >= heapSize_) break;
            if (child + 1 < heapSize_ && heap[child + 1] < heap[child]) ++child;
            if (heap[child] >= last) break;
            heap[i] = heap[child];
            i = child;
        }
        heap[i] = last;
        return first;
    }

    PuzzleState& s_;
    Board& wb_;
    const uint8_t* lattice_;
    const int walk_;
    SolveScratch& scratch_;
    const bool tracked_;
    const PathEnds& ends_ = scratch_.pathEnds;
    bool lookUpEnds_ = false;  // the ends of paths are looked up, not walked to
    bool everyDot_ = false;    // the scan of every remaining dot has begun: nothing to queue
    // The dots waiting, each queued once a call (so they fit in subLoopWaiting together): those
    // queued before the rule first runs, sorted, then a heap of those queued as it runs.
    int batchSize_ = 0;
    int batchNext_ = 0;
    int32_t* heap_ = nullptr;  // set once the batch is sorted
    int heapSize_ = 0;
    int budget_ = 0;  // walk steps left to the current queueing
};

}  // namespace

RuleResult preventSubLoops(PuzzleState& s) {
    SubLoopCall(s).run();
    Board& wb = *s.workBoard;
    wb.queue.closePass();
    return wb.queue.basicCaughtUp() ? RuleResult::kUnchanged : RuleResult::kProgress;
}

}  // namespace vexilo
