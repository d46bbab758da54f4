#include "progress/progress_format.h"

#include <array>
#include <cstring>

#include "model/lattice.h"
#include "model/move_entry.h"

namespace vexilo {

namespace {

constexpr char kMagic[8] = {'V', 'X', 'P', 'R', 'O', 'G', '\r', '\n'};
constexpr size_t kRecordHeadBytes = 8;
// The end sentinel takes the log's last slot.
constexpr size_t kMaxKeptSlots = kLogSlots - 1;

const std::array<uint32_t, 256>& crcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

uint32_t readU32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void putU32(std::string& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

const uint8_t* bytesOf(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

// Builds a log record by record and refuses any record that play could not have produced.
class LogBuilder {
  public:
    explicit LogBuilder(const PuzzleKey& key)
        : maxX_(2 * key.width + 1), maxY_(2 * key.height + 1) {
        log_.push_back(kFirstMarker);
    }

    // Keeps the first keptSlots slots and appends entries[0..count), or changes nothing and
    // returns false when the result would not be a playable log.
    bool apply(size_t keptSlots, const uint8_t* entries, size_t count) {
        if (keptSlots < 1 || keptSlots > log_.size() || keptSlots + count > kMaxKeptSlots) {
            return false;
        }
        // Markers are kept in slot order: those below keptSlots survive.
        size_t markers = markerSlots_.size();
        while (markers > 0 && markerSlots_[markers - 1] >= keptSlots) --markers;
        for (size_t i = 0; i < count; ++i) {
            const int32_t entry = static_cast<int32_t>(readU32(entries + 4 * i));
            if (isMarker(entry)) {
                if (entry != kFirstMarker + static_cast<int32_t>(++markers)) return false;
            } else if (!isEdgeMove(entry)) {
                return false;
            }
        }
        log_.resize(keptSlots);
        while (!markerSlots_.empty() && markerSlots_.back() >= keptSlots) markerSlots_.pop_back();
        for (size_t i = 0; i < count; ++i) {
            const int32_t entry = static_cast<int32_t>(readU32(entries + 4 * i));
            if (isMarker(entry)) markerSlots_.push_back(log_.size());
            log_.push_back(entry);
        }
        return true;
    }

    KeptLog take() { return std::move(log_); }

  private:
    // A line (3) or a cross (2) on an edge of the puzzle.
    bool isEdgeMove(int32_t entry) const {
        const int x = entryX(entry);
        const int y = entryY(entry);
        const int value = entryValue(entry);
        if (entry < 0 || (value != 2 && value != 3)) return false;
        return x >= 1 && y >= 1 && x <= maxX_ && y <= maxY_ && (x + y) % 2 == 1;
    }

    int maxX_;
    int maxY_;
    KeptLog log_;
    std::vector<size_t> markerSlots_;
};

bool isValidKey(const PuzzleKey& key) {
    return key.width >= 1 && key.width <= kMaxCells && key.height >= 1 && key.height <= kMaxCells;
}

}  // namespace

uint32_t crc32Of(const uint8_t* data, size_t size) {
    const auto& table = crcTable();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::string encodeProgressHeader(const PuzzleKey& key) {
    std::string out(kMagic, sizeof kMagic);
    putU32(out, kProgressVersion);
    putU32(out, static_cast<uint32_t>(key.width));
    putU32(out, static_cast<uint32_t>(key.height));
    putU32(out, static_cast<uint32_t>(key.digest));
    putU32(out, static_cast<uint32_t>(key.digest >> 32));
    putU32(out, crc32Of(bytesOf(out), out.size()));
    return out;
}

std::string encodeProgressRecord(uint32_t keptSlots, const int32_t* entries, size_t count) {
    std::string payload;
    payload.reserve(4 + 4 * count);
    putU32(payload, keptSlots);
    for (size_t i = 0; i < count; ++i) putU32(payload, static_cast<uint32_t>(entries[i]));
    std::string out;
    out.reserve(kRecordHeadBytes + payload.size());
    putU32(out, static_cast<uint32_t>(payload.size()));
    putU32(out, crc32Of(bytesOf(payload), payload.size()));
    return out + payload;
}

std::string encodeProgressFile(const PuzzleKey& key, const KeptLog& log) {
    const int32_t* entries = log.size() > 1 ? log.data() + 1 : nullptr;
    return encodeProgressHeader(key) +
           encodeProgressRecord(1, entries, log.empty() ? 0 : log.size() - 1);
}

std::optional<ProgressContents> parseProgressBytes(const uint8_t* data, size_t size) {
    if (size < kProgressHeaderBytes || std::memcmp(data, kMagic, sizeof kMagic) != 0) {
        return std::nullopt;
    }
    if (readU32(data + 28) != crc32Of(data, 28) || readU32(data + 8) != kProgressVersion) {
        return std::nullopt;
    }
    ProgressContents contents;
    const uint32_t width = readU32(data + 12);
    const uint32_t height = readU32(data + 16);
    if (width > kMaxCells || height > kMaxCells) return std::nullopt;
    contents.key.width = static_cast<int>(width);
    contents.key.height = static_cast<int>(height);
    contents.key.digest = uint64_t{readU32(data + 20)} | uint64_t{readU32(data + 24)} << 32;
    if (!isValidKey(contents.key)) return std::nullopt;

    LogBuilder builder(contents.key);
    size_t at = kProgressHeaderBytes;
    while (at < size) {
        if (size - at < kRecordHeadBytes) {
            contents.damage = "a record is cut short";
            break;
        }
        const uint32_t length = readU32(data + at);
        const uint8_t* payload = data + at + kRecordHeadBytes;
        if (length < 4 || length % 4 != 0 || length > size - at - kRecordHeadBytes) {
            contents.damage = "a record is cut short or has a wrong length";
            break;
        }
        if (readU32(data + at + 4) != crc32Of(payload, length)) {
            contents.damage = "a record's checksum does not match";
            break;
        }
        if (!builder.apply(readU32(payload), payload + 4, length / 4 - 1)) {
            contents.damage = "a record holds a move that play cannot make";
            break;
        }
        at += kRecordHeadBytes + length;
        ++contents.records;
    }
    contents.usedBytes = at;
    contents.log = builder.take();
    return contents;
}

bool isPlayableLog(const PuzzleKey& key, const KeptLog& log) {
    if (!isValidKey(key) || log.empty() || log[0] != kFirstMarker) return false;
    std::string entries;
    for (size_t i = 1; i < log.size(); ++i) putU32(entries, static_cast<uint32_t>(log[i]));
    return LogBuilder(key).apply(1, bytesOf(entries), log.size() - 1);
}

}  // namespace vexilo
