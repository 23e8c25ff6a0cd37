#include "layouttool/layout_file.h"

#include <algorithm>
#include <cstring>

namespace lumetra::layouttool {
namespace {

// Writes at `offset` into an image sized beforehand; returns the next offset.
std::size_t PutU32(std::vector<std::uint8_t>& out, std::size_t offset, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out[offset++] = static_cast<std::uint8_t>(value >> shift);
    return offset;
}

std::uint32_t GetU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::int32_t GetI32(const std::uint8_t* p) { return static_cast<std::int32_t>(GetU32(p)); }

}  // namespace

bool IsStorableItemId(std::size_t size) { return size >= 1 && size <= kMaxItemIdBytes; }

std::vector<std::uint8_t> BuildLayoutImage(const std::vector<SavedItem>& items) {
    std::size_t bytes = kLayoutHeaderBytes;
    std::uint32_t count = 0;
    for (const SavedItem& item : items) {
        if (!IsStorableItemId(item.id.size())) continue;
        bytes += 12 + item.id.size();
        ++count;
    }
    std::vector<std::uint8_t> image(bytes);
    std::copy(std::begin(kLayoutMagic), std::end(kLayoutMagic), image.begin());
    std::size_t offset = PutU32(image, 4, kLayoutVersion);
    offset = PutU32(image, offset, count);
    for (const SavedItem& item : items) {
        if (!IsStorableItemId(item.id.size())) continue;
        offset = PutU32(image, offset, static_cast<std::uint32_t>(item.id.size()));
        std::memcpy(image.data() + offset, item.id.data(), item.id.size());
        offset += item.id.size();
        offset = PutU32(image, offset, static_cast<std::uint32_t>(item.point.x));
        offset = PutU32(image, offset, static_cast<std::uint32_t>(item.point.y));
    }
    return image;
}

LayoutHeader ReadLayoutHeader(std::span<const std::uint8_t> file) {
    LayoutHeader header;
    if (file.size() < kLayoutHeaderBytes) return header;
    const bool magic = std::equal(std::begin(kLayoutMagic), std::end(kLayoutMagic), file.begin());
    if (!magic || GetU32(file.data() + 4) != kLayoutVersion) {
        header.status = LayoutHeaderStatus::kForeign;
        return header;
    }
    header.status = LayoutHeaderStatus::kOk;
    header.count = GetU32(file.data() + 8);
    return header;
}

std::size_t ForEachLayoutRecord(std::span<const std::uint8_t> file, std::uint32_t count,
                                const std::function<void(const LayoutRecordView&)>& visit) {
    if (file.size() < kLayoutHeaderBytes) return 0;
    std::size_t offset = kLayoutHeaderBytes;
    std::size_t visited = 0;
    while (visited < count) {
        const std::size_t left = file.size() - offset;
        if (left < 4) break;
        const std::uint32_t length = GetU32(file.data() + offset);
        if (!IsStorableItemId(length) || left - 4 < length || left - 4 - length < 8) break;
        const std::uint8_t* id = file.data() + offset + 4;
        LayoutRecordView record{{id, length}, {GetI32(id + length), GetI32(id + length + 4)}};
        visit(record);
        offset += 12 + static_cast<std::size_t>(length);
        ++visited;
    }
    return visited;
}

bool IsSingleItemId(std::span<const std::uint8_t> id) {
    if (id.size() < 4) return false;
    // An item ID's size counts its own two size bytes.
    const std::size_t cb = static_cast<std::size_t>(id[0]) | static_cast<std::size_t>(id[1]) << 8;
    return cb >= 2 && cb == id.size() - 2 && id[cb] == 0 && id[cb + 1] == 0;
}

}  // namespace lumetra::layouttool
