#pragma once
// The layout file "desktop_layout.sv1": a 12-byte header ("SVv1", version 5,
// record count) and records of an item ID list and a screen point, all
// little-endian. Reading works on a byte buffer and never reads past it.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace lumetra::layouttool {

inline constexpr std::uint8_t kLayoutMagic[4] = {0x53, 0x56, 0x76, 0x31};
inline constexpr std::uint32_t kLayoutVersion = 5;
inline constexpr std::size_t kLayoutHeaderBytes = 12;
inline constexpr std::uint32_t kMaxItemIdBytes = 65536;
inline constexpr std::size_t kMaxLayoutFileBytes = 0x4000000;

struct LayoutPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const LayoutPoint&) const = default;
};

// One Desktop item: its relative ID list bytes (terminator included) and position.
struct SavedItem {
    std::vector<std::uint8_t> id;
    LayoutPoint point;
};

// A record as found in a buffer; `id` points into that buffer.
struct LayoutRecordView {
    std::span<const std::uint8_t> id;
    LayoutPoint point;
};

// Only ID lists of 1 to 65536 bytes can be stored.
bool IsStorableItemId(std::size_t size);

// Whole file image. Items whose ID size cannot be stored are left out so the
// file always reads back.
std::vector<std::uint8_t> BuildLayoutImage(const std::vector<SavedItem>& items);

enum class LayoutHeaderStatus { kTooShort, kForeign, kOk };

struct LayoutHeader {
    LayoutHeaderStatus status = LayoutHeaderStatus::kTooShort;
    std::uint32_t count = 0;
};

LayoutHeader ReadLayoutHeader(std::span<const std::uint8_t> file);

// Visits up to `count` records after the header and stops at the first one
// that does not fit the buffer or has an ID length outside 1..65536. Returns
// the number of records visited.
std::size_t ForEachLayoutRecord(std::span<const std::uint8_t> file, std::uint32_t count,
                                const std::function<void(const LayoutRecordView&)>& visit);

// True when the bytes are exactly what a save stores for one Desktop item: a
// single item ID whose size covers all but the last two bytes, and those two
// bytes zero (the terminator). Anything else would hand the shell a list it
// never gave out, or one it walks past the record.
bool IsSingleItemId(std::span<const std::uint8_t> id);

}  // namespace lumetra::layouttool
