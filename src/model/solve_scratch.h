// What a running solve keeps between the solver's calls so that each call can look only at
// what changed since the last one: visit stamps that need no clearing, where the sub-loop
// rule has still to look, and facts about the position the trial search starts from.
// Capacities are fixed; a PuzzleState allocates one with itself. The large arrays come
// zeroed from the allocation (model/zeroed_block.h): a small puzzle touches only its own part.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "model/lattice.h"
#include "model/path_ends.h"
#include "model/rule_quiet.h"
#include "model/zeroed_block.h"

namespace vexilo {

struct StepComponents;
struct TrialCandidates;

struct SolveScratch {
    // A scratch comes zeroed from calloc: made by `new SolveScratch` (not value-initialised),
    // its arrays without initialisers (the quiet marks, the chains' bits) are zero without
    // being cleared, and a small puzzle touches only the pages it uses.
    static void* operator new(size_t size) {
        void* block = std::calloc(1, size);
        if (block == nullptr) throw std::bad_alloc();
        return block;
    }
    static void operator delete(void* block) { std::free(block); }

    // One slot per dot (x, y): (y / 2) * kDotRow + x / 2.
    static constexpr int kDotRow = 512;
    static constexpr int kDotSlots = kDotRow * kDotRow;
    static_assert(kDotRow > kMaxCells);
    static constexpr int dotSlot(int at) {
        // A dot's index is never negative: shifts do.
        static_assert(kLatticeSide == 1024 && kDotRow == 512);
        return (at >> 11) * kDotRow + ((at & (kLatticeSide - 1)) >> 1);
    }

    // A stamp array marks an element visited when it holds the current stamp; a new stamp
    // forgets every mark at once.
    template <size_t N>
    struct Stamps {
        ZeroedArray<uint32_t, N> mark;
        uint32_t current = 0;
        uint32_t next() {
            if (++current == 0) {
                mark.fill(0);
                current = 1;
            }
            return current;
        }
        bool seen(int i) const { return mark[static_cast<size_t>(i)] == current; }
        // Marks i; false if it was marked already.
        bool visit(int i) {
            uint32_t& m = mark[static_cast<size_t>(i)];
            if (m == current) return false;
            m = current;
            return true;
        }
    };

    // True while a solve level runs: the calls of one solve may build on each other. Outside
    // a solve (tests, hints) every call works from the whole board.
    bool incremental = false;
    // Cleared, every solve works from the whole board at each call (for comparisons).
    bool allowIncremental = true;

    // The sub-loop rule: every change logged before this position has been looked at; -1
    // when the next call must look at every dot.
    int32_t subLoopSeen = -1;
    Stamps<kDotSlots> subLoopQueued;  // dots waiting in subLoopWaiting this call
    Stamps<kDotSlots> subLoopWalked;  // dots passed by the walks that find them
    // The dots waiting for the rule in a call, sorted before it runs.
    ZeroedArray<int32_t, kDotSlots> subLoopWaiting;
    // The ends of the paths of lines, kept while a solve level runs incrementally.
    PathEnds pathEnds;

    // The diagonal chains. A chain reads the cells of one diagonal (of slope +1 by
    // (x - y) / 2 + kDotRow, of slope -1 by (x + y) / 2), their settled flags and their
    // twelve edges each. Each diagonal counts the settled flags set on its cells
    // (risingChanges, fallingChanges); each line of edges of the same slope (x - y, or
    // x + y, odd and constant along it; indexed by (x -+ y + 1) / 2 like the diagonals)
    // counts the changes of its edges. A cell's twelve edges lie on the four lines nearest
    // to its diagonal, so the sum of the diagonal's count and theirs (chainChanges) moves
    // with every change a chain along it reads. A chain that decided nothing notes that sum
    // (chainQuiet, by start cell and corner); while it stays, the same chain would decide
    // nothing again.
    static constexpr int kDiagonals = 2 * kDotRow + 1;
    std::array<uint32_t, kDiagonals> risingChanges{};
    std::array<uint32_t, kDiagonals> fallingChanges{};
    std::array<uint32_t, kDiagonals> risingLineChanges{};
    std::array<uint32_t, kDiagonals> fallingLineChanges{};
    ZeroedArray<std::array<uint32_t, 4>, kDotSlots> chainQuiet;

    // The sum for the diagonal of slope +1 (rising) or -1 through cell (x, y).
    uint32_t chainChanges(int x, int y, bool rising) const {
        // x - y and x + y are even: the halves are exact, so shifts do.
        if (rising) {
            const auto d = static_cast<size_t>(((x - y) >> 1) + kDotRow);
            return risingChanges[d] + risingLineChanges[d - 1] + risingLineChanges[d] +
                   risingLineChanges[d + 1] + risingLineChanges[d + 2];
        }
        const auto d = static_cast<size_t>((x + y) >> 1);
        return fallingChanges[d] + fallingLineChanges[d - 1] + fallingLineChanges[d] +
               fallingLineChanges[d + 1] + fallingLineChanges[d + 2];
    }

    // The basic and advanced rule passes: the rules that would decide nothing again.
    RuleQuiet ruleQuiet;
    // The advanced rules of 1s, 2s and 3s read more than their own edges (their neighbours,
    // settled flags, whole diagonals). boardChanges counts every change of an edge or a
    // settled flag within a solve; advancedQuietAt holds, by RuleQuiet slot, its value when
    // the cell's advanced rule last decided nothing. While the two agree, nothing on the
    // board has changed since, and the rule would decide nothing again.
    uint32_t boardChanges = 1;
    ZeroedArray<uint32_t, RuleQuiet::kSlots> advancedQuietAt;
    void noteBoardChange() {
        if (++boardChanges == 0) [[unlikely]] {
            restartBoardChanges();
        }
    }
    // n changes at once.
    void noteBoardChanges(uint32_t n) {
        const uint32_t before = boardChanges;
        boardChanges += n;
        // Passing 0 on the way, one by one the count would have started again.
        if (boardChanges < before) [[unlikely]] {
            restartBoardChanges();
        }
    }
    [[gnu::cold, gnu::noinline]] void restartBoardChanges() {
        advancedQuietAt.fill(0);
        boardChanges = 1;
    }

    // Within a chain, a 2 whose edge groups along the diagonal decide nothing is passed
    // over without a look: a bit per cell and diagonal, cleared when the cell's 2 was seen
    // to decide nothing along it, set again when an edge at one of its two corner dots on
    // that diagonal changes or the cell is settled. A cell whose bit is set may stop the
    // chain or decide something; so may a cell of any other clue, whose bit stays set.
    // Rows by diagonal as above, bits by x / 2.
    static constexpr int kChainWords = kDotRow / 64;
    using ChainRow = std::array<uint64_t, kChainWords>;
    std::array<ChainRow, kDiagonals> risingToLook;
    std::array<ChainRow, kDiagonals> fallingToLook;

    static constexpr size_t risingRow(int x, int y) {
        return static_cast<size_t>(((x - y) >> 1) + kDotRow);
    }
    static constexpr size_t fallingRow(int x, int y) { return static_cast<size_t>((x + y) >> 1); }
    static void markToLook(ChainRow& row, int column) {
        row[static_cast<size_t>(column >> 6)] |= uint64_t{1} << (column & 63);
    }

    // Sets the bits of columns c and c + 1 of row `row`, and of columns c + shift and
    // c + shift + 1 (shift 0 or 1) of the row after it. A row is a little-endian string of
    // bits, so each pair lies within the two bytes from c / 8 on, at the same place in both.
    static void markPairsToLook(std::array<ChainRow, kDiagonals>& rows, size_t row, int c,
                                int shift) {
        if constexpr (std::endian::native == std::endian::little) {
            unsigned char* at = reinterpret_cast<unsigned char*>(rows[row].data()) + (c >> 3);
            const unsigned pair = 3u << (c & 7);
            orBits(at, pair);
            orBits(at + sizeof(ChainRow), pair << shift);
        } else {
            markToLook(rows[row], c);
            markToLook(rows[row], c + 1);
            markToLook(rows[row + 1], c + shift);
            markToLook(rows[row + 1], c + shift + 1);
        }
    }
    static void orBits(unsigned char* at, unsigned bits) {
        uint16_t word = 0;
        std::memcpy(&word, at, 2);
        word = static_cast<uint16_t>(word | bits);
        std::memcpy(at, &word, 2);
    }

    // After a change of edge (x, y).
    [[gnu::always_inline]] void noteEdgeChange(int x, int y) {
        if (!incremental) return;
        noteBoardChange();
        wakeAroundEdge(x, y);
    }
    // The rest of noteEdgeChange within a solve, for a caller that has counted the change in
    // boardChanges itself.
    [[gnu::always_inline]] void wakeAroundEdge(int x, int y) {
        ruleQuiet.wakeEdge(static_cast<size_t>(x), static_cast<size_t>(y));
        noteChainEdge(static_cast<size_t>(x), static_cast<size_t>(y), (x & 1) != 0);
    }
    // The chains' notes of a change of edge (x, y).
    [[gnu::always_inline]] void noteChainEdge(size_t x, size_t y, bool vertical) {
        // x - y and x + y are odd: the halves below are exact, so shifts do. Unsigned, as
        // x - y + 1021 and x + y - 3 are never negative, the indices need no widening.
        const size_t rising = (x + 2 * kDotRow - 3 - y) >> 1;  // ((x - y - 3) >> 1) + kDotRow
        const size_t falling = (x + y - 3) >> 1;
        ++risingLineChanges[rising + 2];
        ++fallingLineChanges[falling + 2];
        // The edge's two dots; each is the corner on the diagonal of slope +1 of the cells
        // up-left and down-right of it, on that of slope -1 of the cells down-left and
        // up-right of it. The dots of a horizontal edge (x -+ 1, y) are the corners of the
        // cells of columns c, c + 1 of the edge's rising and falling rows + 1 and of columns
        // c + 1, c + 2 of the rows + 2; those of a vertical one (x, y -+ 1) of columns c,
        // c + 1 of both (c = (x - 1) / 2).
        const size_t c = (x - 1) >> 1;
        if constexpr (std::endian::native == std::endian::little) {
            // The pairs of both rows as in markPairsToLook, with the shift known by the edge's
            // direction.
            unsigned char* const r = reinterpret_cast<unsigned char*>(risingToLook.data()) +
                                     sizeof(ChainRow) * (rising + 1) + (c >> 3);
            unsigned char* const f = reinterpret_cast<unsigned char*>(fallingToLook.data()) +
                                     sizeof(ChainRow) * (falling + 1) + (c >> 3);
            const unsigned pair = 3u << (c & 7);
            const unsigned next = vertical ? pair : pair << 1;
            orBits(r, pair);
            orBits(r + sizeof(ChainRow), next);
            orBits(f, pair);
            orBits(f + sizeof(ChainRow), next);
        } else {
            const int shift = vertical ? 0 : 1;
            markPairsToLook(risingToLook, rising + 1, static_cast<int>(c), shift);
            markPairsToLook(fallingToLook, falling + 1, static_cast<int>(c), shift);
        }
    }
    // After cell (x, y) was settled (a chain stops at a settled cell).
    void noteCellChange(int x, int y) {
        if (!incremental) return;
        noteBoardChange();
        // x - y and x + y are even: the halves are exact, so shifts do.
        const auto rising = static_cast<size_t>(((x - y) >> 1) + kDotRow);
        const auto falling = static_cast<size_t>((x + y) >> 1);
        ++risingChanges[rising];
        ++fallingChanges[falling];
        markToLook(risingToLook[rising], x >> 1);
        markToLook(fallingToLook[falling], x >> 1);
    }
    // Forgets every note of the chains of a W x H puzzle: the board may have changed
    // anywhere. A count only grows, so no note taken before matches it again. Only the
    // diagonals through the puzzle and its outside ring (cells 0..2W + 2, 0..2H + 2: rising
    // diagonals -(H + 1) .. W + 1, falling ones 0 .. W + H + 2) are counted up: no chain of
    // this puzzle reads the others, and a larger puzzle counts them up when it comes.
    void forgetChains(int w, int h) {
        for (int d = kDotRow - h - 1; d <= kDotRow + w + 1; ++d) {
            ++risingChanges[static_cast<size_t>(d)];
        }
        for (int d = 0; d <= w + h + 2; ++d) ++fallingChanges[static_cast<size_t>(d)];
        // The rows and columns of the board and its outside ring.
        // One word a row, for a board of up to 62 columns, is written without a call.
        const size_t words = static_cast<size_t>((w + 1) / 64 + 1);
        const auto setRow = [words](ChainRow& row) {
            if (words == 1) {
                row[0] = ~uint64_t{0};
            } else {
                std::fill_n(row.begin(), words, ~uint64_t{0});
            }
        };
        for (int r = kDotRow - (h + 1); r <= kDotRow + w + 1; ++r) {
            setRow(risingToLook[static_cast<size_t>(r)]);
        }
        for (int r = 0; r <= w + h + 2; ++r) setRow(fallingToLook[static_cast<size_t>(r)]);
    }

    // The colour rules. mainBoard's lattice holds the rebuild of workBoard's log up to slot
    // colourSeen; -1 when the next call must rebuild it from the clues, kColourWhole while
    // the log holds entries that are not first decisions of an edge (every call then
    // rebuilds the whole board). colourMarked: the cells marked since the last call;
    // colourSites: the positions the call looks at.
    static constexpr int32_t kColourWhole = -2;
    int32_t colourSeen = -1;
    std::vector<int32_t> colourMarked;
    std::vector<int32_t> colourSites;

    // The consistency checks' walks: one mark per lattice position.
    Stamps<kLatticeBytes> visited;

    // The trial search's position at rest, learnt once per pass: its lines and its path
    // ends (restEnds[0 .. restEndCount)).
    bool restKnown = false;
    int restLines = 0;
    int restEndCount = 0;
    ZeroedArray<int32_t, kDotSlots> restEnds;
    // The components of that position (solver/step_components.h), made at the first pass.
    ZeroedBlock<StepComponents> stepComponents;
    // Where its passes look for hypotheses (solver/trial_candidates.h).
    ZeroedBlock<TrialCandidates> trialCandidates;
};

}  // namespace vexilo
