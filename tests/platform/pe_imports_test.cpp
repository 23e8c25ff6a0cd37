// The import-table reader on small images laid out the way the loader maps
// a module: headers, descriptors, lookup tables, slots and names.
#include "platform/pe_imports.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <variant>
#include <vector>

using lumetra::platform::FindImportSlot;
using lumetra::platform::WantedImport;

namespace {

using Entry = std::variant<std::uint16_t, std::string>;  // by ordinal or by name

struct Dll {
    std::string name;
    std::vector<Entry> entries;
    bool lookupTable = true;
};

// Lays out an image and remembers where each DLL's slots start.
struct ImageBuilder {
    bool wide = true;
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(0x80, 0);
    std::vector<std::uint32_t> slotTables;

    void Put(std::size_t at, std::uint64_t value, std::size_t count) {
        if (bytes.size() < at + count) bytes.resize(at + count, 0);
        for (std::size_t i = 0; i < count; ++i) bytes[at + i] = std::uint8_t(value >> (8 * i));
    }
    std::uint32_t Append(const std::string& text) {
        const auto at = std::uint32_t(bytes.size());
        for (char c : text) bytes.push_back(std::uint8_t(c));
        bytes.push_back(0);
        return at;
    }
    std::uint32_t Reserve(std::size_t count) {
        const auto at = std::uint32_t(bytes.size());
        bytes.resize(bytes.size() + count, 0);
        return at;
    }

    std::vector<std::uint8_t> Build(const std::vector<Dll>& dlls) {
        const std::size_t thunk = wide ? 8 : 4;
        Put(0, 0x5A4D, 2);
        Put(0x3C, 0x80, 4);
        Put(0x80, 0x4550, 4);
        const std::size_t optional = 0x80 + 24;
        Put(optional, wide ? 0x20B : 0x10B, 2);
        Put(optional + (wide ? 108 : 92), 16, 4);
        const std::size_t directories = optional + (wide ? 112 : 96);
        Reserve(16 * 8 - (bytes.size() - directories));
        const std::uint32_t descriptors = Reserve((dlls.size() + 1) * 20);
        Put(directories + 8, descriptors, 4);
        for (std::size_t d = 0; d < dlls.size(); ++d) {
            const Dll& dll = dlls[d];
            const std::size_t count = dll.entries.size() + 1;
            const std::uint32_t lookup = Reserve(count * thunk);
            const std::uint32_t slots = Reserve(count * thunk);
            slotTables.push_back(slots);
            for (std::size_t i = 0; i < dll.entries.size(); ++i) {
                std::uint64_t value;
                if (auto* ordinal = std::get_if<std::uint16_t>(&dll.entries[i])) {
                    value = (std::uint64_t{1} << (thunk * 8 - 1)) | *ordinal;
                } else {
                    const std::uint32_t hint = Reserve(2);
                    Append(std::get<std::string>(dll.entries[i]));
                    value = hint;
                }
                Put(lookup + i * thunk, value, thunk);
                Put(slots + i * thunk, 0xABCD, thunk);  // what the loader wrote there
            }
            const std::size_t at = descriptors + d * 20;
            Put(at, dll.lookupTable ? lookup : 0, 4);
            Put(at + 12, Append(dll.name), 4);
            Put(at + 16, slots, 4);
        }
        return bytes;
    }
};

const WantedImport kThemeLookup{"uxtheme.dll", 49, "OpenNcThemeData"};

std::optional<std::uint32_t> Find(const std::vector<std::uint8_t>& image,
                                  const WantedImport& wanted = kThemeLookup) {
    return FindImportSlot(image.data(), image.size(), wanted);
}

}  // namespace

TEST(ImportSlot, FindsTheEntryByOrdinalBeforeOneByNameInAnyDescriptorOfTheDll) {
    for (const bool wide : {true, false}) {
        SCOPED_TRACE(wide ? "64-bit image" : "32-bit image");
        const std::size_t thunk = wide ? 8 : 4;
        ImageBuilder builder;
        builder.wide = wide;
        const auto image = builder.Build({
            {"KERNEL32.dll", {std::string("OpenNcThemeData"), std::uint16_t{49}}},
            {"UxTheme.DLL", {std::string("OpenNcThemeData"), std::uint16_t{12}}},
            {"uxtheme.dll", {std::uint16_t{7}, std::uint16_t{49}}},
        });
        EXPECT_EQ(Find(image), builder.slotTables[2] + thunk);
        // Without the ordinal, the entry imported by the name.
        EXPECT_EQ(Find(image, {"UXTHEME.dll", 0, "OpenNcThemeData"}), builder.slotTables[1]);
        EXPECT_EQ(Find(image, {"uxtheme.dll", 48, "OpenNcThemeData"}), builder.slotTables[1]);
        EXPECT_EQ(Find(image, {"uxtheme.dll", 48, "OpenNcThemeDat"}), std::nullopt);
        EXPECT_EQ(Find(image, {"uxtheme.dll", 48, ""}), std::nullopt);
        EXPECT_EQ(Find(image, {"comctl32.dll", 49, "OpenNcThemeData"}), std::nullopt);
    }
}

TEST(ImportSlot, SaysNothingWhereTheImageCannotTell) {
    ImageBuilder noLookup;
    EXPECT_EQ(Find(noLookup.Build({{"uxtheme.dll", {std::uint16_t{49}}, false}})), std::nullopt);
    EXPECT_EQ(Find(ImageBuilder().Build({})), std::nullopt);

    ImageBuilder builder;
    auto image = builder.Build({{"uxtheme.dll", {std::uint16_t{49}}}});
    ASSERT_EQ(Find(image), builder.slotTables[0]);
    auto notAnImage = image;
    notAnImage[0] = 'N';
    EXPECT_EQ(Find(notAnImage), std::nullopt);
    auto unknownMagic = image;
    unknownMagic[0x80 + 24] = 0x0B;
    unknownMagic[0x80 + 25] = 0x03;
    EXPECT_EQ(Find(unknownMagic), std::nullopt);
    auto noDirectories = image;
    noDirectories[0x80 + 24 + 108] = 1;
    EXPECT_EQ(Find(noDirectories), std::nullopt);
}

// Every cut of a valid image, and the DLL name left without its end: the
// reader finds the slot only while it lies wholly inside what it was given.
TEST(ImportSlot, NeverReadsPastTheImage) {
    ImageBuilder builder;
    const auto image = builder.Build({{"other.dll", {std::string("LongEnoughName")}},
                                      {"uxtheme.dll", {std::string("OpenNcThemeData")}}});
    const std::uint32_t slot = builder.slotTables[1];
    for (std::size_t size = 0; size <= image.size(); ++size) {
        // A copy of exactly `size` bytes, so the sanitizer sees any read past it.
        const std::vector<std::uint8_t> cut(image.begin(), image.begin() + long(size));
        const auto found = FindImportSlot(cut.data(), cut.size(), kThemeLookup);
        if (found) {
            EXPECT_EQ(*found, slot);
            EXPECT_GE(size, slot + 8u);
        }
    }
    EXPECT_EQ(FindImportSlot(image.data(), image.size(), kThemeLookup), slot);
    auto unterminated = image;
    unterminated.pop_back();  // the last name's NUL
    EXPECT_EQ(FindImportSlot(unterminated.data(), unterminated.size(), kThemeLookup), std::nullopt);
}
