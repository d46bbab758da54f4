// Everything the main window owns: the puzzle, the two Boards, the scratch areas, the
// pictures and the rating counters, under one object instead of process-wide globals.
// Capacities are fixed and allocated once here, zeroed (model/zeroed_block.h); nothing grows
// while a command runs.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/board.h"
#include "model/difficulty.h"
#include "model/frontend.h"
#include "model/pixel_buffer.h"
#include "model/solve_scratch.h"
#include "model/zeroed_block.h"

namespace vexilo {

class BoardCanvas;
class RuleObserver;

using ClueGrid = std::array<std::array<uint8_t, kMaxCells>, kMaxCells>;  // [row][column]

// One frame of the rebuild's depth-first colour fill.
struct FloodFrame {
    int cell;
    int8_t side;    // 0..3: top, bottom, left, right; 4: done
    bool returned;  // the fill through this side has come back
};
constexpr int kFloodDepth = kMaxCells * kMaxCells + 1;

// The solver's walks over regions of edges keep one slot per edge they have still to
// follow; a lattice holds fewer edges than half its positions.
constexpr int kWalkStackSlots = kLatticeBytes / 2;

struct PuzzleState {
    explicit PuzzleState(Frontend& frontend);
    PuzzleState(const PuzzleState&) = delete;
    PuzzleState& operator=(const PuzzleState&) = delete;

    Frontend& frontend;
    BoardCanvas* canvas = nullptr;  // draws rebuilds of mainBoard when set

    int puzzleWidth = 0;    // W; 0 means no puzzle is loaded
    int puzzleHeight = 0;   // H
    Difficulty difficulty;  // the rating, and whether it waits to be written
    int zoom = 1;           // 1, 2, 4, 8, 16 or 32
    int drawEnabled = 1;    // 0 while a solve runs
    int errorX = 0;         // where the last answer check found its first fault
    int errorY = 0;

    ZeroedBlock<ClueGrid> clueGrid;
    ZeroedBlock<Board> mainBoard;
    ZeroedBlock<Board> workBoard;
    // One mark byte per lattice position: the replay, the answer check and the trial
    // search's consistency checks use it in turn.
    ZeroedBlock<std::array<uint8_t, kLatticeBytes>> scratchMarks;
    ZeroedBlock<std::array<int32_t, kLogSlots>> replayList;
    ZeroedBlock<std::array<FloodFrame, kFloodDepth>> floodStack;
    ZeroedBlock<std::array<int32_t, kWalkStackSlots>> walkStack;
    std::unique_ptr<SolveScratch> solveScratch;

    PixelBuffer colourBitmap;
    PixelBuffer plainBitmap;

    std::string fileName;
    std::vector<std::string> fileLines;

    // Rating counters of the last solve.
    int effortScore = 0;
    int effortBeforeTrials = 0;
    int trialPasses = 0;
    int ruleUsage = 0;
    int startPatternsDone = 0;

    // Hears of every edge the rules decide on workBoard when set (hints set it).
    RuleObserver* ruleObserver = nullptr;

    // Set from another thread to stop a running solve at its next safe point.
    std::atomic<bool> cancelRequest{false};
    // workBoard as it was before a solve command that may be cancelled; allocated at the
    // first such command.
    ZeroedBlock<Board> workBoardBackup;

    int W() const { return puzzleWidth; }
    int H() const { return puzzleHeight; }
    uint8_t& mark(int x, int y) { return (*scratchMarks)[latticeIndex(x, y)]; }
};

}  // namespace vexilo
