// The two ends of every path of lines on the board a solve works on, kept as lines are set
// and taken back, so that the other end of a path is looked up instead of walked to.
//
// Setting a line joins the paths (or lone dots) at its two dots: the far ends of the two
// become partners. Lines are taken back newest first, so a log of the partners each line
// overwrote restores them. A line at a dot that has two already makes a branch, where a
// path has no single other end: while a branch stands, the ends are not known.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/lattice.h"
#include "model/zeroed_block.h"

namespace vexilo {

class PathEnds {
  public:
    // Starts keeping the ends of the paths of lines of the w x h board `lattice`; without
    // `mayHoldLines` the caller knows the board holds no line, and it is not scanned.
    void start(const uint8_t* lattice, int w, int h, bool mayHoldLines = true);
    void stop() { kept_ = false; }

    // True when otherEnd answers: the ends are kept and no dot has more than two lines.
    bool known() const { return kept_ && branches_ == 0; }
    // The lattice index of the other end of the path that ends at the dot at index `at`
    // (a dot with one line); only while known().
    int otherEnd(int at) const { return partner_[slot(at)]; }

    // After the edge at lattice index `edge` became a line.
    void lineSet(const uint8_t* lattice, int edge) {
        if (kept_) join(lattice, edge);
    }
    // After the n newest lines still standing of those given to lineSet were taken back.
    void linesTakenBack(size_t n) {
        if (!kept_) return;
        for (; n > 0; --n) {
            const Record& r = undo_[--records_];
            if (r.endA >= 0) {
                partner_[slot(r.endB)] = r.partnerB;
                partner_[slot(r.endA)] = r.partnerA;
            } else if (r.endA == kBranched) {
                --branches_;
            }
        }
    }

    // The ends the line set `back` lines ago (1: the newest standing) made partners: the
    // two ends of its path then, or none (-1) when it closed a loop or made or met a branch.
    struct Joined {
        int a;
        int b;
    };
    Joined joinedBy(int back) const {
        const Record& r = undo_[records_ - static_cast<size_t>(back)];
        if (r.endA < 0) return {-1, -1};
        return {r.endA, r.endB};
    }

  private:
    // A dot's slot is half its lattice index (a dot's x is odd): the slots of the even rows
    // of the lattice stay unused, but no multiplication is needed. An index is never
    // negative.
    static constexpr size_t slot(int at) { return static_cast<unsigned>(at) >> 1; }

    void join(const uint8_t* lattice, int edge);
    // join's record when the line makes a branch or a branch stands.
    [[gnu::cold, gnu::noinline]] void joinAtBranch(int linesA, int linesB);

    // A record of the log per line set: the two ends it made partners with their old
    // partners; or, in endA, what it did instead.
    struct Record {
        int32_t endA;
        int32_t partnerA;
        int32_t endB;
        int32_t partnerB;
    };
    static constexpr int32_t kBranched = -1;   // the line made a branch
    static constexpr int32_t kUnchanged = -2;  // a loop closed, or a branch stands

    bool kept_ = false;
    int branches_ = 0;  // lines standing that made a branch (or found at start)
    // By dot slot, for each end: the other end's index. Room for every slot of the lattice,
    // zero from calloc, so a solve touches only the pages of the rows its board uses.
    ZeroedArray<int32_t, kLatticeBytes / 2> partner_;
    int freshRow_ = 1;  // the first dot row whose partners no solve has written
    // A record per line set, newest last: the first records_ of undo_, whose room
    // (undoRoom_) only grows. Records are written before they are read: the room is not
    // cleared.
    std::unique_ptr<Record[]> undo_;
    size_t undoRoom_ = 0;
    size_t records_ = 0;
    // join's record goes into room join has made sure of.
    void record(const Record& r) { undo_[records_++] = r; }
    void grow();
    [[gnu::cold, gnu::noinline]] void growAndJoin(const uint8_t* lattice, int edge);
};

}  // namespace vexilo
