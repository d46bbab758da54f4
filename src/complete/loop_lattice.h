// The complete solver's board: edge states on a compact doubled lattice with the counts
// that the deductions need, a trail of every change for undo, and propagation through a
// queue of cells and dots to look at again.
//
// Every deduction here holds for any single loop, however small, and on puzzles with any
// number of answers:
// - a clue cell: as many lines as its clue; when the lines reach the clue the other edges
//   are crosses, when lines and undecided edges together just reach it they are lines;
// - a dot: no line or two; two lines cross the rest, one line and one undecided edge make
//   it a line, no line and one undecided edge make it a cross;
// - paths: each end of a line path knows the other end. A line joining the two ends of one
//   path closes a loop, which is an answer only when it holds every line and satisfies
//   every clue (then every undecided edge is a cross); otherwise it is a contradiction, so
//   an edge between the ends of a path is crossed at once unless it would close an answer;
// - corners (corner_rules.cpp): what a clue or a dot says about the two edges that meet at
//   a corner of a cell, at most one line or at least one, carried on through the dots.
#pragma once

#include <cstdint>
#include <vector>

#include "complete/loop_puzzle.h"

namespace vexilo::complete {

enum class Propagation { kOpen, kContradiction, kSolved };

class LoopLattice {
  public:
    // Sets up the board for a puzzle, reusing the arrays of the last one when they fit.
    void load(const LoopPuzzle& puzzle);

    // Decides an edge and runs the deductions to their end.
    Propagation decide(int edge, uint8_t value);
    // The deductions from the clues alone, once after load.
    Propagation propagateClues();

    struct Mark {
        int edges;
        int paths;
        int ends;
        int corners;
    };
    Mark mark() const {
        return {static_cast<int>(trail_.size()), static_cast<int>(pathTrail_.size()),
                static_cast<int>(ends_.size()), static_cast<int>(cornerTrail_.size())};
    }
    // Takes back every change made since the mark.
    void undoTo(const Mark& mark);

    // An undecided edge worth branching on: one that continues a dangling path if there is
    // a path, otherwise one beside the highest clue. -1 when every edge is decided.
    int branchEdge();

    // The current lines with every undecided edge a cross (call on kSolved).
    void copySolution(LoopSolution& solution) const;
    // True when the current lines are exactly those of the answer.
    bool matches(const LoopSolution& solution) const;

    // Every edge inside the ring.
    const std::vector<int32_t>& edges() const { return edges_; }

    int stride() const { return stride_; }
    int positions() const { return positions_; }
    bool isVerticalEdge(int edge) const { return kind_[edge] == kVerticalEdge; }
    // The edge decided i-th since load (i < mark().edges).
    int decidedEdge(int i) const { return trail_[static_cast<size_t>(i)]; }
    uint8_t key(int position) const { return key_[position]; }

  private:
    struct PathChange {
        int dot;
        int partner;
        int length;
    };

    bool setEdge(int edge, uint8_t value);
    bool joinPaths(int a, int b);
    bool closesAnswer(int edge, int pathLength) const;
    int undecidedAround(int dot) const;
    bool examineCell(int cell);
    bool examineDot(int dot);
    // Corner facts: bit 2q of corner_[dot] says at most one line, bit 2q + 1 at least one,
    // for the two edges of the dot that bound the cell in its quadrant q (0 up-left,
    // 1 up-right, 2 down-right, 3 down-left).
    static constexpr uint8_t kAtMostOne = 1;
    static constexpr uint8_t kAtLeastOne = 2;
    static constexpr uint8_t kExactlyOne = 3;
    void cornerEdges(int dot, int quadrant, int& a, int& b) const;
    void addCornerFact(int dot, int quadrant, uint8_t fact);
    bool cellCorners(int cell, int needed, int undecided);
    bool dotCorners(int dot);
    bool requireOnePair(int a, int b, int dot, int quadrant, uint8_t fact);
    bool setUndecidedAroundExcept(int position, int a, int b, uint8_t value);
    bool setUndecidedAround(int position, uint8_t value);
    Propagation runQueue();
    void push(int position);
    void clearQueue();
    void setPath(int dot, int partner, int length);

    enum Kind : uint8_t { kCellKind, kDotKind, kHorizontalEdge, kVerticalEdge, kRingEdge };

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    int positions_ = 0;
    int totalLines_ = 0;
    int unsatisfiedClues_ = 0;  // clue cells whose line count differs from the clue
    bool solved_ = false;

    std::vector<uint8_t> kind_;
    std::vector<int32_t> edges_;
    std::vector<uint8_t> key_;         // edges: kUndecided, kCross or kLine
    std::vector<int8_t> clue_;         // cells: kNoClue or 0..3
    std::vector<uint8_t> lines_;       // cells and dots: line edges around
    std::vector<uint8_t> crosses_;     // cells and dots: crossed edges around
    std::vector<int32_t> partner_;     // a path end: the other end of its path
    std::vector<int32_t> pathLength_;  // a path end: the lines of its path

    std::vector<int32_t> trail_;
    std::vector<PathChange> pathTrail_;
    std::vector<int32_t> ends_;    // dots that became path ends, newest last
    std::vector<uint8_t> corner_;  // dots: corner facts
    struct CornerChange {
        int dot;
        uint8_t facts;
    };
    std::vector<CornerChange> cornerTrail_;

    std::vector<int32_t> queue_;  // ring of positions to examine
    std::vector<uint8_t> queued_;
    int queueHead_ = 0;
    int queueTail_ = 0;
    int lastEnd_ = -1;  // an end of the path extended last
};

}  // namespace vexilo::complete
