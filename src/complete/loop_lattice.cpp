#include "complete/loop_lattice.h"

#include <algorithm>

#include "model/lattice.h"

namespace vexilo::complete {

int LoopSolution::lineCount() const {
    int n = 0;
    for (uint8_t v : line) n += v;
    return n;
}

void LoopLattice::load(const LoopPuzzle& puzzle) {
    width_ = puzzle.width;
    height_ = puzzle.height;
    stride_ = 2 * width_ + 3;
    const int rows = 2 * height_ + 3;
    positions_ = stride_ * rows;
    const auto n = static_cast<size_t>(positions_);
    kind_.assign(n, kCellKind);
    key_.assign(n, kUndecided);
    clue_.assign(n, kNoClue);
    lines_.assign(n, 0);
    crosses_.assign(n, 0);
    partner_.assign(n, 0);
    pathLength_.assign(n, 0);
    queued_.assign(n, 0);
    corner_.assign(n, 0);
    cornerTrail_.clear();
    queue_.resize(n + 1);
    queueHead_ = queueTail_ = 0;
    trail_.clear();
    pathTrail_.clear();
    ends_.clear();
    totalLines_ = 0;
    unsatisfiedClues_ = 0;
    solved_ = false;
    lastEnd_ = -1;

    edges_.clear();
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < stride_; ++x) {
            const int p = y * stride_ + x;
            if (x % 2 == 0 && y % 2 == 0) continue;
            if (x % 2 == 1 && y % 2 == 1) {
                kind_[p] = kDotKind;
            } else if (x == 0 || y == 0 || x == stride_ - 1 || y == rows - 1) {
                kind_[p] = kRingEdge;
                key_[p] = kCross;
            } else {
                kind_[p] = y % 2 == 1 ? kHorizontalEdge : kVerticalEdge;
                edges_.push_back(p);
            }
        }
    }
    for (int y = 1; y < rows; y += 2) {
        for (int x = 1; x < stride_; x += 2) {
            const int p = y * stride_ + x;
            for (int step : {-1, 1, -stride_, stride_}) {
                if (kind_[p + step] == kRingEdge) ++crosses_[p];
            }
        }
    }
    for (int r = 0; r < height_; ++r) {
        for (int c = 0; c < width_; ++c) {
            const int8_t clue = puzzle.clue(c, r);
            if (clue < 0 || clue > 3) continue;
            clue_[(2 * r + 2) * stride_ + 2 * c + 2] = clue;
            if (clue != 0) ++unsatisfiedClues_;
        }
    }
}

Propagation LoopLattice::propagateClues() {
    for (int p = 0; p < positions_; ++p) {
        if (clue_[p] >= 0) push(p);
    }
    return runQueue();
}

Propagation LoopLattice::decide(int edge, uint8_t value) {
    if (!setEdge(edge, value)) {
        clearQueue();
        return Propagation::kContradiction;
    }
    if (solved_) {
        clearQueue();
        return Propagation::kSolved;
    }
    return runQueue();
}

void LoopLattice::push(int position) {
    if (queued_[position]) return;
    queued_[position] = 1;
    queue_[queueTail_] = position;
    if (++queueTail_ == static_cast<int>(queue_.size())) queueTail_ = 0;
}

void LoopLattice::clearQueue() {
    while (queueHead_ != queueTail_) {
        queued_[queue_[queueHead_]] = 0;
        if (++queueHead_ == static_cast<int>(queue_.size())) queueHead_ = 0;
    }
}

Propagation LoopLattice::runQueue() {
    while (queueHead_ != queueTail_) {
        const int p = queue_[queueHead_];
        if (++queueHead_ == static_cast<int>(queue_.size())) queueHead_ = 0;
        queued_[p] = 0;
        const bool ok = kind_[p] == kDotKind ? examineDot(p) : examineCell(p);
        if (!ok) {
            clearQueue();
            return Propagation::kContradiction;
        }
        if (solved_) {
            clearQueue();
            return Propagation::kSolved;
        }
    }
    return Propagation::kOpen;
}

bool LoopLattice::setEdge(int edge, uint8_t value) {
    const uint8_t k = key_[edge];
    if (k == value) return true;
    if (k != kUndecided) return false;
    key_[edge] = value;
    trail_.push_back(edge);
    const int dotStep = isVerticalEdge(edge) ? stride_ : 1;
    const int cellStep = isVerticalEdge(edge) ? 1 : stride_;
    const int a = edge - dotStep;
    const int b = edge + dotStep;
    if (value == kLine) {
        ++totalLines_;
        for (int cell : {edge - cellStep, edge + cellStep}) {
            const int l = ++lines_[cell];
            const int clue = clue_[cell];
            if (clue < 0) continue;
            if (l == clue) {
                --unsatisfiedClues_;
            } else if (l == clue + 1) {
                ++unsatisfiedClues_;
            }
            push(cell);
        }
        for (int dot : {a, b}) {
            if (++lines_[dot] == 1) ends_.push_back(dot);
            push(dot);
        }
        return joinPaths(a, b);
    }
    for (int cell : {edge - cellStep, edge + cellStep}) {
        ++crosses_[cell];
        if (clue_[cell] >= 0) push(cell);
    }
    ++crosses_[a];
    ++crosses_[b];
    push(a);
    push(b);
    return true;
}

void LoopLattice::setPath(int dot, int partner, int length) {
    pathTrail_.push_back({dot, partner_[dot], pathLength_[dot]});
    partner_[dot] = partner;
    pathLength_[dot] = length;
}

bool LoopLattice::closesAnswer(int edge, int pathLength) const {
    if (totalLines_ != pathLength) return false;
    int unsatisfied = unsatisfiedClues_;
    const int cellStep = isVerticalEdge(edge) ? 1 : stride_;
    for (int cell : {edge - cellStep, edge + cellStep}) {
        const int clue = clue_[cell];
        if (clue < 0) continue;
        if (lines_[cell] == clue) {
            ++unsatisfied;
        } else if (lines_[cell] + 1 == clue) {
            --unsatisfied;
        }
    }
    return unsatisfied == 0;
}

// Called with the line between dots a and b counted already.
bool LoopLattice::joinPaths(int a, int b) {
    const int degreeA = lines_[a];
    const int degreeB = lines_[b];
    if (degreeA > 2 || degreeB > 2) return false;
    const int farA = degreeA == 1 ? a : partner_[a];
    const int farB = degreeB == 1 ? b : partner_[b];
    const int lengthA = degreeA == 1 ? 0 : pathLength_[a];
    const int lengthB = degreeB == 1 ? 0 : pathLength_[b];
    if (farA == b) {
        if (totalLines_ == lengthA + 1 && unsatisfiedClues_ == 0) {
            solved_ = true;
            return true;
        }
        return false;
    }
    const int length = lengthA + lengthB + 1;
    setPath(farA, farB, length);
    setPath(farB, farA, length);
    lastEnd_ = farB;
    const int gap = farB - farA;
    if (gap == 2 || gap == -2 || gap == 2 * stride_ || gap == -2 * stride_) {
        const int closing = (farA + farB) / 2;
        if (key_[closing] == kUndecided && !closesAnswer(closing, length)) {
            return setEdge(closing, kCross);
        }
    }
    return true;
}

bool LoopLattice::setUndecidedAround(int position, uint8_t value) {
    for (int step : {-1, 1, -stride_, stride_}) {
        const int e = position + step;
        if (key_[e] != kUndecided) continue;
        if (!setEdge(e, value)) return false;
        if (solved_) return true;
    }
    return true;
}

bool LoopLattice::examineCell(int cell) {
    const int clue = clue_[cell];
    if (clue < 0) return true;
    const int l = lines_[cell];
    const int undecided = 4 - l - crosses_[cell];
    if (l > clue || l + undecided < clue) return false;
    if (undecided == 0) return true;
    if (l == clue) return setUndecidedAround(cell, kCross);
    if (l + undecided == clue) return setUndecidedAround(cell, kLine);
    return cellCorners(cell, clue - l, undecided);
}

bool LoopLattice::examineDot(int dot) {
    const int l = lines_[dot];
    const int undecided = 4 - l - crosses_[dot];
    if (l > 2) return false;
    if (l == 2) return undecided == 0 || setUndecidedAround(dot, kCross);
    if (l == 1) {
        if (undecided == 0) return false;
        if (undecided == 1) return setUndecidedAround(dot, kLine);
    } else if (undecided == 1) {
        return setUndecidedAround(dot, kCross);
    }
    return undecided == 0 || dotCorners(dot);
}

void LoopLattice::undoTo(const Mark& mark) {
    while (static_cast<int>(trail_.size()) > mark.edges) {
        const int edge = trail_.back();
        trail_.pop_back();
        const uint8_t value = key_[edge];
        key_[edge] = kUndecided;
        const int dotStep = isVerticalEdge(edge) ? stride_ : 1;
        const int cellStep = isVerticalEdge(edge) ? 1 : stride_;
        if (value == kLine) {
            --totalLines_;
            for (int cell : {edge - cellStep, edge + cellStep}) {
                const int l = lines_[cell]--;
                const int clue = clue_[cell];
                if (clue < 0) continue;
                if (l == clue) {
                    ++unsatisfiedClues_;
                } else if (l == clue + 1) {
                    --unsatisfiedClues_;
                }
            }
            --lines_[edge - dotStep];
            --lines_[edge + dotStep];
        } else {
            --crosses_[edge - cellStep];
            --crosses_[edge + cellStep];
            --crosses_[edge - dotStep];
            --crosses_[edge + dotStep];
        }
    }
    while (static_cast<int>(pathTrail_.size()) > mark.paths) {
        const PathChange& c = pathTrail_.back();
        partner_[c.dot] = c.partner;
        pathLength_[c.dot] = c.length;
        pathTrail_.pop_back();
    }
    ends_.resize(static_cast<size_t>(mark.ends));
    while (static_cast<int>(cornerTrail_.size()) > mark.corners) {
        corner_[cornerTrail_.back().dot] = cornerTrail_.back().facts;
        cornerTrail_.pop_back();
    }
    solved_ = false;
}

int LoopLattice::undecidedAround(int dot) const {
    for (int step : {-1, 1, -stride_, stride_}) {
        if (key_[dot + step] == kUndecided) return dot + step;
    }
    return -1;
}

int LoopLattice::branchEdge() {
    if (lastEnd_ >= 0 && lines_[lastEnd_] == 1) return undecidedAround(lastEnd_);
    for (size_t i = ends_.size(); i-- > 0;) {
        const int dot = ends_[i];
        if (lines_[dot] == 1) {
            lastEnd_ = dot;
            return undecidedAround(dot);
        }
    }
    // No line yet: an edge of the cell with the highest clue.
    int best = -1;
    int bestClue = -2;
    for (int p = 0; p < positions_; ++p) {
        const uint8_t k = kind_[p];
        if (k != kHorizontalEdge && k != kVerticalEdge) continue;
        if (key_[p] != kUndecided) continue;
        const int cellStep = k == kVerticalEdge ? 1 : stride_;
        const int clue = std::max(clue_[p - cellStep], clue_[p + cellStep]);
        if (clue > bestClue) {
            best = p;
            bestClue = clue;
            if (clue == 3) break;
        }
    }
    return best;
}

void LoopLattice::copySolution(LoopSolution& solution) const {
    solution.width = width_;
    solution.height = height_;
    solution.line.resize(static_cast<size_t>(positions_));
    for (int p = 0; p < positions_; ++p) solution.line[p] = key_[p] == kLine ? 1 : 0;
}

bool LoopLattice::matches(const LoopSolution& solution) const {
    for (int e : edges_) {
        if ((key_[e] == kLine) != (solution.line[e] != 0)) return false;
    }
    return true;
}

}  // namespace vexilo::complete
