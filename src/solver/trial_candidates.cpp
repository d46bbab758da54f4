#include "solver/trial_candidates.h"

#include "model/puzzle_state.h"
#include "solver/step_components.h"

namespace vexilo {

namespace {

// The most edges a board has, and one past it.
constexpr int kLinks = 2 * (kMaxCells + 1) * kMaxCells + 1;

bool hasClueOneOrThree(const Board& wb, int at) {
    const int key = wb.at(at) & kKeyMask;
    return key == 1 || key == 3;
}

}  // namespace

// For each list, link[k] is k while position k is in it, else a later position: following
// the links (and shortening them on the way) leads to the next position still in it.
struct TrialCandidates {
    uint32_t learnt;  // restPassesLearnt when the lists were last prepared
    int w;
    int h;
    int size[3];
    int32_t link[3][kLinks];
};

namespace {

TrialCandidates& candidates(PuzzleState& state) {
    auto& owned = state.solveScratch->trialCandidates;
    if (!owned) owned = allocateZeroed<TrialCandidates>();
    return *owned;
}

}  // namespace

void prepareCandidates(PuzzleState& state) {
    TrialCandidates& t = candidates(state);
    const int w = state.W();
    const int h = state.H();
    const uint32_t learnt = restPassesLearnt(state);
    const bool kept =
        t.w == w && t.h == h && learnt == t.learnt + 1 && restGainedDecisionsSinceLastPass(state);
    t.learnt = learnt;
    if (kept) return;
    t.w = w;
    t.h = h;
    t.size[0] = w * h;
    t.size[1] = w * h;
    t.size[2] = h * (2 * w + 1) + w;
    // Each list starts with the positions the search would not drop at once, from the last
    // to the first, each other one linked to the next of those; one more link, at the end,
    // stays.
    const Board& wb = *state.workBoard;
    int32_t* threes = t.link[static_cast<int>(CandidateList::kThrees)];
    int32_t* ones = t.link[static_cast<int>(CandidateList::kOnes)];
    int nextThree = w * h;
    int nextOne = w * h;
    threes[nextThree] = nextThree;
    ones[nextOne] = nextOne;
    for (int row = h - 1, k = w * h - 1; row >= 0; --row) {
        for (int at = latticeIndex(2 * w, 2 + 2 * row); k >= row * w; --k, at -= 2) {
            const int key = wb.at(at) & kKeyMask;
            const bool open =
                key != 0 && ((wb.at(at - 1) & wb.at(at + 1) & wb.at(at - kLatticeSide) &
                              wb.at(at + kLatticeSide) & 2) == 0);
            if (open && key == 3) nextThree = k;
            if (open && key == 1) nextOne = k;
            threes[k] = nextThree;
            ones[k] = nextOne;
        }
    }
    // Edges row pair by row pair from the last: the w + 1 vertical edges of lattice row
    // 2 + 2r (numbers r(2w + 1) + w .. r(2w + 1) + 2w), then the w horizontal ones of row
    // 1 + 2r (numbers r(2w + 1) ..).
    int32_t* edges = t.link[static_cast<int>(CandidateList::kEdges)];
    int nextEdge = t.size[2];
    edges[nextEdge] = nextEdge;
    const auto consider = [&](int k, int at, int across) {
        if ((wb.at(at) & 2) == 0 && !hasClueOneOrThree(wb, at - across) &&
            !hasClueOneOrThree(wb, at + across)) {
            nextEdge = k;
        }
        edges[k] = nextEdge;
    };
    const int pair = 2 * w + 1;
    for (int r = h; r >= 0; --r) {
        if (r < h) {
            for (int j = w; j >= 0; --j)
                consider(r * pair + w + j, latticeIndex(1 + 2 * j, 2 + 2 * r), 1);
        }
        for (int i = w - 1; i >= 0; --i) {
            consider(r * pair + i, latticeIndex(2 + 2 * i, 1 + 2 * r), kLatticeSide);
        }
    }
}

int nextCandidate(PuzzleState& state, CandidateList list, int k) {
    TrialCandidates& t = *state.solveScratch->trialCandidates;
    int32_t* link = t.link[static_cast<int>(list)];
    int at = k;
    while (link[at] != at) {
        link[at] = link[link[at]];
        at = link[at];
    }
    return at == t.size[static_cast<int>(list)] ? -1 : at;
}

void dropCandidate(PuzzleState& state, CandidateList list, int k) {
    state.solveScratch->trialCandidates->link[static_cast<int>(list)][k] = k + 1;
}

}  // namespace vexilo
