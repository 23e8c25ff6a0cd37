#include "layouttool/layout_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace lumetra::layouttool {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A one-item ID list as the shell hands it out: size, payload, zero terminator.
Bytes ItemId(std::initializer_list<std::uint8_t> payload) {
    Bytes id(payload.size() + 4, 0);
    id[0] = static_cast<std::uint8_t>(payload.size() + 2);
    std::size_t at = 2;
    for (std::uint8_t b : payload) id[at++] = b;
    return id;
}

std::vector<SavedItem> SampleItems() {
    return {{ItemId({'A'}), {10, 20}},
            {ItemId({'B', 'b'}), {-5, 1080}},
            {ItemId({'C', 'c', 'c'}), {1919, -2147483647 - 1}}};
}

struct Visited {
    std::vector<SavedItem> items;
    std::size_t count = 0;
};

Visited ReadAll(const Bytes& file, std::uint32_t count) {
    Visited out;
    // A heap copy of exactly the file's size lets the sanitizer catch any overrun.
    const Bytes exact(file.begin(), file.end());
    out.count = ForEachLayoutRecord(exact, count, [&](const LayoutRecordView& record) {
        out.items.push_back({Bytes(record.id.begin(), record.id.end()), record.point});
    });
    return out;
}

void PutU32(Bytes& file, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        file[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(LayoutFile, WritesTheExactBytes) {
    const Bytes image =
        BuildLayoutImage({{ItemId({0x41}), {1, -2}}, {ItemId({0x42, 0x43}), {0x01020304, 0}}});
    const Bytes expected = {
        0x53, 0x56, 0x76, 0x31, 5,    0, 0,    0,    2, 0, 0, 0,  // "SVv1", version 5, N = 2
        5,    0,    0,    0,    3,    0, 0x41, 0,    0, 1, 0, 0,
        0,    0xFE, 0xFF, 0xFF, 0xFF,  // L = 5, id, x = 1, y = -2
        6,    0,    0,    0,    4,    0, 0x42, 0x43, 0, 0, 4, 3,
        2,    1,    0,    0,    0,    0,  // L = 6, id, x, y = 0
    };
    EXPECT_EQ(image, expected);
}

TEST(LayoutFile, RoundTripsItemsInOrder) {
    Bytes big(kMaxItemIdBytes, 0x7F);
    std::vector<SavedItem> items = SampleItems();
    items.push_back({big, {3, 4}});
    items.push_back({Bytes{0x00}, {0, 0}});  // one byte is the shortest storable id
    const Bytes image = BuildLayoutImage(items);
    const LayoutHeader header = ReadLayoutHeader(image);
    ASSERT_EQ(header.status, LayoutHeaderStatus::kOk);
    ASSERT_EQ(header.count, items.size());
    const Visited read = ReadAll(image, header.count);
    ASSERT_EQ(read.items.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(read.items[i].id, items[i].id) << i;
        EXPECT_EQ(read.items[i].point, items[i].point) << i;
    }
}

TEST(LayoutFile, LeavesOutIdsThatCannotBeStored) {
    const Bytes image = BuildLayoutImage(
        {{Bytes{}, {1, 1}}, {ItemId({'A'}), {2, 2}}, {Bytes(kMaxItemIdBytes + 1, 1), {3, 3}}});
    const LayoutHeader header = ReadLayoutHeader(image);
    EXPECT_EQ(header.count, 1u) << "the count matches the records written";
    const Visited read = ReadAll(image, header.count);
    ASSERT_EQ(read.items.size(), 1u);
    EXPECT_EQ(read.items[0].point, (LayoutPoint{2, 2}));
}

TEST(LayoutFile, HeaderChecks) {
    const Bytes valid = BuildLayoutImage({});
    struct Case {
        const char* name;
        Bytes file;
        LayoutHeaderStatus status;
    };
    auto with = [&](std::size_t offset, std::uint8_t value) {
        Bytes b = valid;
        b[offset] = value;
        return b;
    };
    const Case cases[] = {
        {"empty", {}, LayoutHeaderStatus::kTooShort},
        {"11 bytes", Bytes(valid.begin(), valid.begin() + 11), LayoutHeaderStatus::kTooShort},
        {"12 bytes, N = 0", valid, LayoutHeaderStatus::kOk},
        {"version 4", with(4, 4), LayoutHeaderStatus::kForeign},
        {"version 6", with(4, 6), LayoutHeaderStatus::kForeign},
        {"version high byte", with(7, 1), LayoutHeaderStatus::kForeign},
        {"lower-case magic", with(0, 's'), LayoutHeaderStatus::kForeign},
        {"magic v2", with(3, '2'), LayoutHeaderStatus::kForeign},
        {"zeros", Bytes(64, 0), LayoutHeaderStatus::kForeign},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadLayoutHeader(c.file).status, c.status) << c.name;
}

TEST(LayoutFile, TruncationAtEveryOffsetKeepsTheWholeRecordsBeforeIt) {
    const std::vector<SavedItem> items = SampleItems();
    const Bytes image = BuildLayoutImage(items);
    std::vector<std::size_t> recordEnds;
    std::size_t end = kLayoutHeaderBytes;
    for (const SavedItem& item : items) recordEnds.push_back(end += 12 + item.id.size());
    ASSERT_EQ(recordEnds.back(), image.size());

    for (std::size_t cut = 0; cut <= image.size(); ++cut) {
        const Bytes file(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(cut));
        const LayoutHeader header = ReadLayoutHeader(file);
        if (cut < kLayoutHeaderBytes) {
            EXPECT_EQ(header.status, LayoutHeaderStatus::kTooShort) << cut;
            EXPECT_EQ(ReadAll(file, 3).count, 0u) << cut;
            continue;
        }
        std::size_t whole = 0;
        while (whole < recordEnds.size() && recordEnds[whole] <= cut) ++whole;
        const Visited read = ReadAll(file, header.count);
        ASSERT_EQ(read.count, whole) << "cut at " << cut;
        for (std::size_t i = 0; i < whole; ++i)
            EXPECT_EQ(read.items[i].point, items[i].point) << cut;
    }
}

TEST(LayoutFile, CountLimitsAndDamagedRecordsStopTheWalk) {
    const Bytes image = BuildLayoutImage(SampleItems());
    const std::size_t second = kLayoutHeaderBytes + 12 + SampleItems()[0].id.size();
    struct Case {
        const char* name;
        std::uint32_t count;
        std::size_t lengthOffset;  // 0: no change
        std::uint32_t length;
        std::size_t expected;
    };
    const Case cases[] = {
        {"N larger than the records present", 1000, 0, 0, 3},
        {"N smaller than the records present", 2, 0, 0, 2},
        {"N = 0", 0, 0, 0, 0},
        {"L = 0 stops at that record", 1000, second, 0, 1},
        {"L = 65537 stops", 1000, second, kMaxItemIdBytes + 1, 1},
        {"L near 4 GiB stops without wrapping", 1000, second, 0xFFFFFFF8u, 1},
        {"L past the end stops", 1000, second, 400, 1},
        {"L = 0 in the first record", 1000, kLayoutHeaderBytes, 0, 0},
    };
    for (const Case& c : cases) {
        Bytes file = image;
        if (c.lengthOffset) PutU32(file, c.lengthOffset, c.length);
        EXPECT_EQ(ReadAll(file, c.count).count, c.expected) << c.name;
    }
}

TEST(LayoutFile, IgnoresBytesAfterTheLastRecordUsed) {
    Bytes image = BuildLayoutImage(SampleItems());
    image.insert(image.end(),
                 {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    EXPECT_EQ(ReadAll(image, 3).count, 3u);
}

TEST(LayoutFile, OnlyASingleTerminatedItemIdIsWhatASaveWrites) {
    struct Case {
        const char* name;
        Bytes id;
        bool expected;
    };
    const Case cases[] = {
        {"one item", ItemId({'x'}), true},
        {"one longer item", ItemId({'a', 'b', 'c', 'd', 'e'}), true},
        {"an item without payload", {2, 0, 0, 0}, true},
        {"terminator only", {0, 0}, false},
        {"two items", {3, 0, 'a', 4, 0, 'b', 'c', 0, 0}, false},
        {"bytes after the terminator", {3, 0, 'a', 0, 0, 9, 9}, false},
        {"no terminator", {3, 0, 'a'}, false},
        {"terminator not zero", {3, 0, 'a', 0, 1}, false},
        {"half a terminator", {3, 0, 'a', 0}, false},
        {"size runs past the end", {0x50, 0, 'a', 0, 0}, false},
        {"size of one", {1, 0, 0, 0}, false},
        {"size 0x100 read little-endian", {0, 1, 'a', 0, 0}, false},
        {"one byte", {0}, false},
        {"empty", {}, false},
    };
    for (const Case& c : cases) {
        // Exactly sized, so the sanitizer sees any read past the record.
        const Bytes exact(c.id.begin(), c.id.end());
        EXPECT_EQ(IsSingleItemId(exact), c.expected) << c.name;
    }
    Bytes big(kMaxItemIdBytes, 0x7F);
    big[0] = static_cast<std::uint8_t>((kMaxItemIdBytes - 2) & 0xFF);
    big[1] = static_cast<std::uint8_t>((kMaxItemIdBytes - 2) >> 8);
    big[kMaxItemIdBytes - 2] = big[kMaxItemIdBytes - 1] = 0;
    EXPECT_TRUE(IsSingleItemId(big)) << "the largest storable item";
}

}  // namespace
}  // namespace lumetra::layouttool
