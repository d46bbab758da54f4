// Encoding of the move log's 32-bit entries.
//
// A move entry is x + 4096 * y + 2^24 * v (v = 2 cross, 3 line; 0 only in the answer
// check's temporary journal). Anything from 0x40000000 up is a marker: a step marker
// 0x40000000 + n, or the end sentinel that fills the log's last slot.
#pragma once

#include <cstdint>

namespace vexilo {

constexpr int kLogSlots = 1002010;
constexpr int32_t kFirstMarker = 0x40000000;
constexpr int32_t kTombstone = 0x40000001;  // a cancelled slot of the replay list
constexpr int32_t kEndSentinel = 0x4FFFFFFF;

constexpr int32_t moveEntry(int x, int y, int value) {
    return x + 4096 * y + (value << 24);
}
constexpr bool isMarker(int32_t entry) { return entry >= kFirstMarker; }
constexpr bool isMove(int32_t entry) { return entry < kFirstMarker; }
constexpr int entryX(int32_t entry) { return entry & 0xFFF; }
constexpr int entryY(int32_t entry) { return (entry >> 12) & 0xFFF; }
constexpr int entryValue(int32_t entry) { return (entry >> 24) & 0xFF; }

}  // namespace vexilo
