#include "model/path_ends.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>

namespace vexilo {

namespace {

constexpr int kSteps[4] = {-1, 1, -kLatticeSide, kLatticeSide};

// 1 for a lattice byte whose key is a line's, by the byte.
constexpr auto kLineByByte = [] {
    std::array<uint8_t, 256> table{};
    for (int b = 0; b < 256; ++b) table[static_cast<size_t>(b)] = (b & kKeyMask) == kLine ? 1 : 0;
    return table;
}();

[[gnu::always_inline]] inline int linesAt(const uint8_t* lattice, int dot) {
    return kLineByByte[lattice[dot - 1]] + kLineByByte[lattice[dot + 1]] +
           kLineByByte[lattice[dot - kLatticeSide]] + kLineByByte[lattice[dot + kLatticeSide]];
}

// From the dot at `dot`, an end with one line, along its path to the first dot that has
// not two lines.
int walkToOtherEnd(const uint8_t* lattice, int dot, int maxSteps) {
    int back = 0;
    for (int steps = 0; steps <= maxSteps; ++steps) {
        int next = 0;
        for (int step : kSteps) {
            if (step != back && (lattice[dot + step] & kKeyMask) == kLine) {
                next = step;
                break;
            }
        }
        dot += 2 * next;
        back = -next;
        if (linesAt(lattice, dot) != 2) break;
    }
    return dot;
}

// Whether any of the positions first, first + 2, .. up to last (at most 1015) of a lattice
// row is a line; first is 0 or 1.
bool anyLine(const uint8_t* row, int first, int last) {
    if constexpr (std::endian::native == std::endian::little) {
        // Eight bytes at a time: bit 0 of a byte of v & (v >> 1) & ~(v >> 2) is set when its
        // key is a line's; of those, the bytes of the row's parity up to `last` count.
        const uint64_t ofParity = uint64_t{0x0001000100010001} << (8 * first);
        const auto lineBits = [&](int x) {
            uint64_t v;
            std::memcpy(&v, row + x, sizeof v);
            return v & (v >> 1) & ~(v >> 2) & ofParity;
        };
        uint64_t found = 0;
        int x = 0;
        for (; x + 7 <= last; x += 8) found |= lineBits(x);
        if (x <= last) found |= lineBits(x) & (~uint64_t{0} >> (8 * (7 - (last - x))));
        return found != 0;
    }
    int lines = 0;
    for (int x = first; x <= last; x += 2) lines |= (row[x] & kKeyMask) == kLine ? 1 : 0;
    return lines != 0;
}

}  // namespace

void PathEnds::start(const uint8_t* lattice, int w, int h, bool mayHoldLines) {
    kept_ = true;
    branches_ = 0;
    records_ = 0;
    // The partners of a dot row no solve has reached yet are still zero. A zero written to
    // each makes the first touch of its page a write: join reads a partner before it writes
    // one, and a page first read is mapped twice, once to read and again to write.
    for (; freshRow_ <= 2 * h + 1; freshRow_ += 2) partner_[slot(latticeIndex(1, freshRow_))] = 0;
    if (!mayHoldLines) return;
    const int maxSteps = (w + 1) * (h + 1);
    // A row of dots whose edges (those of its own row and the cell rows above and below)
    // hold no line has nothing to learn: at the start of a solve that is most of them.
    const auto rowHasLine = [&](int y) {
        return y % 2 == 0 ? anyLine(lattice + latticeIndex(0, y), 1, 2 * w + 1)
                          : anyLine(lattice + latticeIndex(0, y), 0, 2 * w + 2);
    };
    bool linesAbove = rowHasLine(0);
    for (int y = 1; y <= 2 * h + 1; y += 2) {
        const bool linesBelow = rowHasLine(y + 1);
        const bool skip = !linesAbove && !linesBelow && !rowHasLine(y);
        linesAbove = linesBelow;
        if (skip) continue;
        for (int x = 1; x <= 2 * w + 1; x += 2) {
            const int at = latticeIndex(x, y);
            const int lines = linesAt(lattice, at);
            if (lines > 2) ++branches_;
            if (lines == 1) partner_[slot(at)] = walkToOtherEnd(lattice, at, maxSteps);
        }
    }
}

void PathEnds::join(const uint8_t* lattice, int edge) {
    // Out of line when the room is full, so that the usual course makes no call.
    if (records_ == undoRoom_) [[unlikely]] {
        growAndJoin(lattice, edge);
        return;
    }
    const int across = (edge & 1) != 0 ? kLatticeSide : 1;
    const int a = edge - across;
    const int b = edge + across;
    const int linesA = linesAt(lattice, a);  // with this line
    const int linesB = linesAt(lattice, b);
    // A branch made or standing is rare: one test for both.
    if ((linesA > 2) | (linesB > 2) | (branches_ > 0)) [[unlikely]] {
        joinAtBranch(linesA, linesB);
        return;
    }
    // An end is the dot itself when the line is its first, else its partner. Whether it is
    // follows no pattern: both are read and one is chosen without a jump (the partner of a
    // dot without lines is read but not used).
    const int32_t oldA = partner_[slot(a)];
    const int32_t oldB = partner_[slot(b)];
    const int32_t endA = oldA ^ ((oldA ^ a) & -static_cast<int32_t>(linesA == 1));
    const int32_t endB = oldB ^ ((oldB ^ b) & -static_cast<int32_t>(linesB == 1));
    if (endA == b) {
        record({kUnchanged, 0, 0, 0});
        return;
    }
    int32_t& partnerA = partner_[slot(endA)];
    int32_t& partnerB = partner_[slot(endB)];
    record({endA, partnerA, endB, partnerB});
    partnerA = endB;
    partnerB = endA;
}

void PathEnds::joinAtBranch(int linesA, int linesB) {
    if (linesA > 2 || linesB > 2) {
        ++branches_;
        record({kBranched, 0, 0, 0});
        return;
    }
    record({kUnchanged, 0, 0, 0});
}

void PathEnds::growAndJoin(const uint8_t* lattice, int edge) {
    grow();
    join(lattice, edge);
}

[[gnu::noinline]] void PathEnds::grow() {
    const size_t room = std::max<size_t>(1024, 2 * undoRoom_);
    auto larger = std::make_unique_for_overwrite<Record[]>(room);
    std::copy(undo_.get(), undo_.get() + records_, larger.get());
    undo_ = std::move(larger);
    undoRoom_ = room;
}

}  // namespace vexilo
