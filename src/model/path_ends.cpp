#include "model/path_ends.h"

namespace vexilo {

namespace {

constexpr int kSteps[4] = {-1, 1, -kLatticeSide, kLatticeSide};

int linesAt(const uint8_t* lattice, int dot) {
    int lines = 0;
    for (int step : kSteps) lines += (lattice[dot + step] & kKeyMask) == kLine ? 1 : 0;
    return lines;
}

// From the dot at `dot`, an end with one line, along its path to the first dot that has
// not two lines.
int walkToOtherEnd(const uint8_t* lattice, int dot, int maxSteps) {
    int back = 0;
    for (int steps = 0; steps <= maxSteps; ++steps) {
        int next = 0;
        for (int step : kSteps) {
            if (step != back && (lattice[dot + step] & kKeyMask) == kLine) {
                next = step;
                break;
            }
        }
        dot += 2 * next;
        back = -next;
        if (linesAt(lattice, dot) != 2) break;
    }
    return dot;
}

}  // namespace

void PathEnds::start(const uint8_t* lattice, int w, int h) {
    kept_ = true;
    branches_ = 0;
    undo_.clear();
    const size_t slots = static_cast<size_t>(h) * kRow + static_cast<size_t>(w) + 1;
    if (partner_.size() < slots) partner_.resize(slots);
    const int maxSteps = (w + 1) * (h + 1);
    for (int y = 1; y <= 2 * h + 1; y += 2) {
        for (int x = 1; x <= 2 * w + 1; x += 2) {
            const int at = latticeIndex(x, y);
            const int lines = linesAt(lattice, at);
            if (lines > 2) ++branches_;
            if (lines == 1) partner_[slot(at)] = walkToOtherEnd(lattice, at, maxSteps);
        }
    }
}

void PathEnds::join(const uint8_t* lattice, int edge) {
    const int across = (edge % 2 != 0) ? kLatticeSide : 1;
    const int a = edge - across;
    const int b = edge + across;
    const int linesA = linesAt(lattice, a) - 1;  // before this line
    const int linesB = linesAt(lattice, b) - 1;
    if (linesA >= 2 || linesB >= 2) {
        ++branches_;
        undo_.insert(undo_.end(), {kBranched, 0, 0, 0, 0});
        return;
    }
    if (branches_ > 0) {
        undo_.insert(undo_.end(), {kUnchanged, 0, 0, 0, 0});
        return;
    }
    const int endA = linesA == 0 ? a : partner_[slot(a)];
    const int endB = linesB == 0 ? b : partner_[slot(b)];
    if (endA == b) {
        undo_.insert(undo_.end(), {kUnchanged, 0, 0, 0, 0});
        return;
    }
    int32_t& partnerA = partner_[slot(endA)];
    int32_t& partnerB = partner_[slot(endB)];
    undo_.insert(undo_.end(), {kJoined, endA, partnerA, endB, partnerB});
    partnerA = endB;
    partnerB = endA;
}

void PathEnds::undoJoin() {
    const size_t at = undo_.size() - kRecord;
    const int32_t tag = undo_[at];
    if (tag == kBranched) {
        --branches_;
    } else if (tag == kJoined) {
        partner_[slot(undo_[at + 3])] = undo_[at + 4];
        partner_[slot(undo_[at + 1])] = undo_[at + 2];
    }
    undo_.resize(at);
}

}  // namespace vexilo
