#include "solver/trial_candidates.h"

#include "model/puzzle_state.h"
#include "solver/step_components.h"

namespace vexilo {

namespace {

// The most edges a board has, and one past it.
constexpr int kLinks = 2 * (kMaxCells + 1) * kMaxCells + 1;

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
    for (int list = 0; list < 3; ++list) {
        // One more link, at the end, that stays.
        for (int k = 0; k <= t.size[list]; ++k) t.link[list][k] = k;
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
