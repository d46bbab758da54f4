// The progress file: one puzzle's move log as a header and a journal of changes.
//
//   header   8 bytes "VXPROG\r\n", u32 version, u32 width, u32 height, u64 digest,
//            u32 CRC-32 of the 28 bytes before it
//   record   u32 payload length in bytes, u32 CRC-32 of the payload, the payload:
//            u32 kept slots, then the entries that follow them (i32 each)
//
// All numbers are little-endian. A record says "keep the first n slots of the log, then
// append these entries"; a file written in one piece holds one record with n = 1. Records
// are appended as the player moves, so a write cut short by a crash leaves a torn last
// record: the length and the checksum find it, and the log stands as the whole records
// before it left it, a position the player saw.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "progress/puzzle_key.h"

namespace vexilo {

inline constexpr uint32_t kProgressVersion = 1;
inline constexpr size_t kProgressHeaderBytes = 32;

// A log as kept: slot 0 (the first marker) and every slot up to the write position.
using KeptLog = std::vector<int32_t>;

struct ProgressContents {
    PuzzleKey key;
    KeptLog log;           // always begins with the first marker
    size_t records = 0;    // whole, valid records read
    size_t usedBytes = 0;  // header and valid records
    // Empty when every byte was read; otherwise why reading stopped early.
    std::string damage;
};

// Reads a progress file from its bytes. Nothing when the header is not that of a progress
// file of this version; otherwise the log after the leading records that are whole and
// valid, with a note of the damage found after them. Never throws on any input.
std::optional<ProgressContents> parseProgressBytes(const uint8_t* data, size_t size);

std::string encodeProgressHeader(const PuzzleKey& key);

// The record that keeps the first keptSlots slots of a log and appends entries[0..count).
std::string encodeProgressRecord(uint32_t keptSlots, const int32_t* entries, size_t count);

// A whole file holding this log.
std::string encodeProgressFile(const PuzzleKey& key, const KeptLog& log);

// True when a log could have come from play on a puzzle of this size: the first marker in
// slot 0, step markers numbered 1, 2, ... in order, moves that put a line or a cross on
// an edge of the puzzle, and room left for the end sentinel.
bool isPlayableLog(const PuzzleKey& key, const KeptLog& log);

uint32_t crc32Of(const uint8_t* data, size_t size);

}  // namespace vexilo
