// The solver's work queue: a ring of move entries, the edges whose neighbourhoods the rule
// passes must look at again. One write position and three read positions:
//   head     the slot written last
//   passEnd  where the current pass stops before it looks for newer entries
//   readA    the slot the basic rule pass read last
//   readB    the slot the advanced rule pass read last; the ring is full when the slot
//            after head is readB
// The slot after i is (i + 1) % kLogSlots.
#pragma once

#include <array>
#include <cstdint>

#include "model/move_entry.h"

namespace vexilo {

class WorkQueue {
  public:
    struct Positions {
        int32_t head;
        int32_t passEnd;
        int32_t readA;
        int32_t readB;
    };

    // All four positions at `slot`: an empty queue.
    void resetAt(int32_t slot) { positions_ = {slot, slot, slot, slot}; }

    // Writes the entry after head; false, writing nothing, when the ring is full.
    bool push(int32_t entry) {
        const int32_t next = following(positions_.head);
        if (next == positions_.readB) return false;
        slots_[next] = entry;
        positions_.head = next;
        return true;
    }

    // True when n more entries fit after head before the ring is full and before its end:
    // they may then be written in a run, without push's tests, into the slots from
    // runSlots() on; endRun(end) makes the slot before `end` the head.
    bool fitsInRun(int32_t n) const {
        const int32_t last =
            positions_.readB > positions_.head ? positions_.readB - 1 : kLogSlots - 1;
        return n <= last - positions_.head;
    }
    int32_t* runSlots() { return slots_.data() + positions_.head + 1; }
    void endRun(const int32_t* end) {
        positions_.head = static_cast<int32_t>(end - slots_.data()) - 1;
    }

    // The current pass stops at what is queued now.
    void closePass() { positions_.passEnd = positions_.head; }

    // The basic pass has read everything up to the pass end, or everything queued.
    bool basicAtPassEnd() const { return positions_.readA == positions_.passEnd; }
    bool basicCaughtUp() const { return positions_.readA == positions_.head; }
    bool advancedAtPassEnd() const { return positions_.readB == positions_.passEnd; }
    // Both passes have read everything queued (all four positions agree).
    bool drained() const {
        return positions_.readA == positions_.head && positions_.readB == positions_.head &&
               positions_.passEnd == positions_.head;
    }

    // The advanced pass has read everything up to the pass end, as a pass that reads it through
    // leaves it.
    void advancedReadToPassEnd() { positions_.readB = positions_.passEnd; }

    // The next entry for each pass; the caller has checked it is not at the pass end.
    int32_t nextForBasic() { return slots_[positions_.readA = following(positions_.readA)]; }
    int32_t nextForAdvanced() { return slots_[positions_.readB = following(positions_.readB)]; }

    // For tests and diagnostics.
    const Positions& positions() const { return positions_; }
    void setPositions(const Positions& p) { positions_ = p; }
    int32_t at(int32_t slot) const { return slots_[slot]; }
    static constexpr int32_t following(int32_t slot) {
        return slot + 1 == kLogSlots ? 0 : slot + 1;
    }

  private:
    std::array<int32_t, kLogSlots> slots_;
    Positions positions_;
};

}  // namespace vexilo
