// Watching the rules decide: an observer set on the PuzzleState hears of every edge that
// setEdge writes on workBoard, together with the rule that decided it and the cells or dots
// that rule looked at. The hints use it to say why an edge is what it is.
//
// The rules name themselves just before they decide (noteRule); setEdgeGroup adds the cell
// or dot whose group it sets. With no observer set, all this costs one null check each.
#pragma once

#include "model/puzzle_state.h"

namespace vexilo {

// The stage of a solve a rule belongs to, weakest first.
enum class RuleLevel { kStart, kBasic, kSubLoop, kAdvanced, kColour, kTrial };

enum class RuleId {
    kNone,
    // Start: the colour marks of the position (x, y: the edge), the sides of a 0 (the cell).
    kColourSeed,
    kZeroClue,
    // The basic rule of the cell or dot that setEdgeGroup names.
    kBasic,
    // The edge would close a loop (the level loop names the pass, not the path).
    kSubLoop,
    // Start patterns: (x, y) a 3, (otherX, otherY) the other 3.
    kThreesDiagonal,   // two 3s touching at a corner
    kThreesAdjacent,   // two 3s side by side
    kThreesAlongTwos,  // a 3, a diagonal run of 2s, a 3
    // Advanced rules of the clue at (x, y); (otherX, otherY) the neighbour read with it.
    kOnesAdjacent,      // two 1s side by side, their shared side running into a cross
    kOneBesideTwo,      // a 2 beside the 1, the shared side's line crossed at both ends
    kOneBesideThree,    // a 3 beside the 1, a cross on the line of their shared side
    kTwoBesideThree,    // a 3 beside the 2, the 2's opposite side crossed
    kTwoCornerClosed,   // the 2's corner `corner` closed from outside, and the neighbour
    kTwoTowardsThree,   // one side at `corner` crossed, the diagonal behind runs into a 3
    kBlankBesideThree,  // a cell without clue beside a 3
    // Diagonal chains from corner `corner` of the cell at (x, y).
    kChainOneIn,     // exactly one line reaches that corner dot from the cell's sides
    kChainSamePair,  // the cell's two sides at that corner are equal
    kChainScan,      // the diagonal is followed until the facts above start
    // Colour rules: the two cells across the edge at (x, y); the 1 or 3 at (x, y) and its
    // four neighbours; the cell without clue at (x, y) and its four neighbours.
    kColourEdge,
    kColourClue,
    kColourBlank,
    // Trial steps, the edge at (x, y) assumed otherwise: a side of the 3 at (otherX, otherY)
    // crossed (its other sides lines), a side of the 1 there drawn, any other edge drawn.
    kTrialThree,
    kTrialOne,
    kTrialEdge,
};

constexpr RuleLevel levelOf(RuleId rule) {
    switch (rule) {
        case RuleId::kNone:
        case RuleId::kColourSeed:
        case RuleId::kZeroClue:
            return RuleLevel::kStart;
        case RuleId::kBasic:
            return RuleLevel::kBasic;
        case RuleId::kSubLoop:
            return RuleLevel::kSubLoop;
        case RuleId::kColourEdge:
        case RuleId::kColourClue:
        case RuleId::kColourBlank:
            return RuleLevel::kColour;
        case RuleId::kTrialThree:
        case RuleId::kTrialOne:
        case RuleId::kTrialEdge:
            return RuleLevel::kTrial;
        default:
            return RuleLevel::kAdvanced;
    }
}

struct RuleSite {
    RuleId rule = RuleId::kNone;
    int x = 0;  // the cell, dot or edge the rule started from
    int y = 0;
    int corner = 0;  // 1..4 a corner of that cell, 0 for none
    int otherX = 0;  // a second cell or dot the rule read, 0, 0 for none
    int otherY = 0;
};

// The cell or dot of the last setEdgeGroup call (group as in edge_setting.h). It names what
// a basic rule looked at, since every basic rule decides through setEdgeGroup; for other
// rules it may be left from an earlier call.
struct GroupSite {
    int x = 0;
    int y = 0;
    int group = 0;
};

class RuleObserver {
  public:
    virtual ~RuleObserver() = default;
    // Edge (x, y) of workBoard was just written as `value` by the rule in site.
    virtual void edgeDecided(int x, int y, int value) = 0;

    RuleSite site;    // written by the rules (noteRule)
    GroupSite group;  // written by setEdgeGroup
};

// Out of line and cold, so that the rules stay as they are without an observer.
[[gnu::cold, gnu::noinline]] void observeRule(RuleObserver& observer, RuleId rule, int x, int y,
                                              int corner, int otherX, int otherY);

inline void noteRule(PuzzleState& state, RuleId rule, int x, int y, int corner = 0, int otherX = 0,
                     int otherY = 0) {
    if (state.ruleObserver) [[unlikely]] {
        observeRule(*state.ruleObserver, rule, x, y, corner, otherX, otherY);
    }
}

}  // namespace vexilo
