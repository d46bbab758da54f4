#include "complete/complete_solver.h"

#include <algorithm>

#include "model/lattice.h"

namespace vexilo::complete {

namespace {

// Up to this many undecided edges, a probe may try every one of them; on larger boards
// only those near the last changes, so that a step of the search stays cheap.
constexpr int kWholeProbeEdges = 4000;

}  // namespace

// Counts the current answer unless it is the one found already; true at the second.
bool CompleteSolver::recordAnswer(CompleteResult& result) {
    if (result.solutions == 1 && lattice_.matches(result.first)) return false;
    lattice_.copySolution(result.solutions == 0 ? result.first : result.second);
    return ++result.solutions == 2;
}

// Adds the undecided edges near the edges decided since `from` to the probe's work list:
// the edges around their dots and cells.
void CompleteSolver::addProbeCandidates(int from) {
    const int s = lattice_.stride();
    const int to = lattice_.mark().edges;
    const int last = lattice_.positions() - 1;
    for (int i = from; i < to; ++i) {
        const int e = lattice_.decidedEdge(i);
        const bool vertical = lattice_.isVerticalEdge(e);
        const int dotStep = vertical ? s : 1;
        const int cellStep = vertical ? 1 : s;
        for (int p : {e - dotStep, e + dotStep, e - cellStep, e + cellStep}) {
            for (int n : {p - 1, p + 1, p - s, p + s}) {
                if (n < 0 || n > last || lattice_.key(n) != kUndecided || probeStamp_[n] == stamp_)
                    continue;
                probeStamp_[n] = stamp_;
                candidates_.push_back(n);
            }
        }
    }
}

// Tries candidate edges both ways: a way that leads to a contradiction at once leaves the
// other, whose consequences bring their neighbours in as candidates. Answers met on the
// way are counted. Remembers as bestEdge_ the edge whose two ways decide the most.
Propagation CompleteSolver::probe(CompleteResult& result, int from) {
    if (++stamp_ == 0) {
        std::fill(probeStamp_.begin(), probeStamp_.end(), 0);
        stamp_ = 1;
    }
    candidates_.clear();
    const int undecided = static_cast<int>(lattice_.edges().size()) - lattice_.mark().edges;
    const bool whole = from < 0 || (wholeProbe_ && undecided <= kWholeProbeEdges);
    bool forcedAny = false;
    if (whole) {
        for (int e : lattice_.edges()) {
            if (lattice_.key(e) == kUndecided) candidates_.push_back(e);
            probeStamp_[e] = stamp_;
        }
    } else {
        addProbeCandidates(from);
    }
    bestEdge_ = -1;
    long long bestScore = -1;
    for (size_t next = 0; next < candidates_.size(); ++next) {
        const int edge = candidates_[next];
        if (lattice_.key(edge) != kUndecided) continue;
        // The search loop stops: cancelled, or past the node limit (the rest of a probe on a
        // large board can cost more than the whole limit).
        if (cancelled() || (nodeLimit_ > 0 && result.nodes > nodeLimit_)) {
            return Propagation::kOpen;
        }
        long long score = 1;
        for (uint8_t value : {kLine, kCross}) {
            const LoopLattice::Mark mark = lattice_.mark();
            const Propagation tried = lattice_.decide(edge, value);
            ++result.nodes;
            score *= lattice_.mark().edges - mark.edges + 1;
            const bool second = tried == Propagation::kSolved && recordAnswer(result);
            lattice_.undoTo(mark);
            if (second) return Propagation::kOpen;
            if (tried != Propagation::kContradiction) continue;
            const Propagation forced = lattice_.decide(edge, value == kLine ? kCross : kLine);
            if (forced != Propagation::kOpen) return forced;
            addProbeCandidates(mark.edges);
            forcedAny = true;
            score = -1;
            break;
        }
        if (score > bestScore) {
            bestScore = score;
            bestEdge_ = edge;
        }
    }
    // A whole probe that decided nothing (a board with many answers) is not repeated until
    // the search backtracks.
    if (whole) wholeProbe_ = forcedAny;
    return Propagation::kOpen;
}

void CompleteSolver::solve(const LoopPuzzle& puzzle, CompleteResult& result) {
    result.solutions = 0;
    result.nodes = 1;
    result.stopped = false;
    choices_.clear();
    lattice_.load(puzzle);
    probeStamp_.assign(static_cast<size_t>(lattice_.positions()), 0);
    wholeProbe_ = true;
    stamp_ = 0;
    Propagation status = lattice_.propagateClues();
    if (status == Propagation::kOpen) status = probe(result, -1);
    for (;;) {
        if (result.solutions == 2) return;
        if ((nodeLimit_ > 0 && result.nodes > nodeLimit_) || cancelled()) {
            result.stopped = true;
            return;
        }
        if (status == Propagation::kSolved) {
            if (recordAnswer(result)) return;
        } else if (status == Propagation::kOpen) {
            const int edge = bestEdge_ >= 0 && lattice_.key(bestEdge_) == kUndecided
                                 ? bestEdge_
                                 : lattice_.branchEdge();
            if (edge >= 0) {
                choices_.push_back({edge, lattice_.mark(), false});
                ++result.nodes;
                status = lattice_.decide(edge, kLine);
                if (status == Propagation::kOpen)
                    status = probe(result, choices_.back().mark.edges);
                continue;
            }
            // Every edge decided without a closed loop: no answer here.
        }
        // Back to the latest choice whose cross is still to try.
        while (!choices_.empty() && choices_.back().crossTried) {
            choices_.pop_back();
        }
        if (choices_.empty()) return;
        Choice& c = choices_.back();
        lattice_.undoTo(c.mark);
        c.crossTried = true;
        wholeProbe_ = true;
        ++result.nodes;
        status = lattice_.decide(c.edge, kCross);
        if (status == Propagation::kOpen) status = probe(result, c.mark.edges);
    }
}

}  // namespace vexilo::complete
