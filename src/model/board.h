// A Board: the lattice, the move log that records every decision, and the solver's work
// queue. Two live in a PuzzleState: mainBoard (what the user plays) and workBoard (the
// solver's). A Board is about 9 MB; always allocate it on the heap.
#pragma once

#include <array>
#include <cstdint>

#include "model/lattice.h"
#include "model/move_entry.h"
#include "model/work_queue.h"

namespace vexilo {

struct Board {
    std::array<uint8_t, kLatticeBytes> lattice;

    // Move log: slot 0 holds the first marker, the last slot the end sentinel.
    std::array<int32_t, kLogSlots> moveLog;
    int32_t writePos;   // index of the next free slot, never below 1
    int32_t stepCount;  // step markers after slot 0

    WorkQueue queue;

    uint8_t& at(int x, int y) { return lattice[latticeIndex(x, y)]; }
    uint8_t at(int x, int y) const { return lattice[latticeIndex(x, y)]; }
    uint8_t& at(int index) { return lattice[index]; }
    uint8_t at(int index) const { return lattice[index]; }

    // The entry just below the write position.
    int32_t lastEntry() const { return moveLog[writePos - 1]; }
};

}  // namespace vexilo
