// The headers are read field by field at their fixed offsets, each read
// checked against the image's size, so a damaged image only finds nothing.
#include "platform/pe_imports.h"

#include "platform/ascii_case.h"

namespace lumetra::platform {
namespace {

constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kImportDirectory = 1;
constexpr std::size_t kDescriptorSize = 20;

struct Image {
    const std::uint8_t* bytes;
    std::size_t size;

    bool Has(std::size_t offset, std::size_t count) const {
        return offset <= size && count <= size - offset;
    }
    std::optional<std::uint64_t> Read(std::size_t offset, std::size_t count) const {
        if (!Has(offset, count)) return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t i = count; i-- > 0;) value = (value << 8) | bytes[offset + i];
        return value;
    }
    // A NUL-terminated string that ends inside the image.
    std::optional<std::string_view> String(std::size_t offset) const {
        if (offset >= size) return std::nullopt;
        const auto* start = reinterpret_cast<const char*>(bytes + offset);
        const std::size_t room = size - offset;
        for (std::size_t n = 0; n < room; ++n)
            if (start[n] == '\0') return std::string_view(start, n);
        return std::nullopt;
    }
};

struct ImportTable {
    std::uint32_t descriptors = 0;  // offset of the first descriptor
    std::size_t thunkSize = 0;      // 8 in 64-bit images, 4 in 32-bit ones
};

std::optional<ImportTable> LocateImports(const Image& image) {
    if (image.Read(0, 2) != 0x5A4D) return std::nullopt;  // "MZ"
    const auto headers = image.Read(0x3C, 4);
    if (!headers || image.Read(*headers, 4) != 0x4550) return std::nullopt;  // "PE\0\0"
    const std::size_t optional = *headers + 24;
    const auto magic = image.Read(optional, 2);
    if (magic != kPe32Magic && magic != kPe32PlusMagic) return std::nullopt;
    const bool wide = magic == kPe32PlusMagic;
    const std::size_t directories = optional + (wide ? 112 : 96);
    const auto count = image.Read(optional + (wide ? 108 : 92), 4);
    if (!count || *count <= kImportDirectory) return std::nullopt;
    const auto table = image.Read(directories + kImportDirectory * 8, 4);
    if (!table || *table == 0) return std::nullopt;
    return ImportTable{static_cast<std::uint32_t>(*table), wide ? 8u : 4u};
}

// Whether one import lookup entry names the wanted function, by ordinal on
// the first pass and by name on the second.
bool EntryMatches(const Image& image, std::uint64_t entry, std::size_t thunkSize,
                  const WantedImport& wanted, bool byOrdinal) {
    const std::uint64_t ordinalFlag = std::uint64_t{1} << (thunkSize * 8 - 1);
    if (entry & ordinalFlag) return byOrdinal && (entry & 0xFFFF) == wanted.ordinal;
    if (byOrdinal) return false;
    const std::uint64_t nameOffset = (entry & 0x7FFFFFFF) + 2;  // past the hint
    const auto name = image.String(static_cast<std::size_t>(nameOffset));
    return name && *name == wanted.name;
}

std::optional<std::uint32_t> FindInDescriptor(const Image& image, std::size_t descriptor,
                                              std::size_t thunkSize, const WantedImport& wanted,
                                              bool byOrdinal) {
    const auto lookup = image.Read(descriptor, 4);
    const auto slots = image.Read(descriptor + 16, 4);
    // Without a lookup table the slots already hold addresses and say nothing
    // about what they import.
    if (!lookup || !slots || *lookup == 0) return std::nullopt;
    for (std::size_t index = 0;; ++index) {
        const auto entry = image.Read(*lookup + index * thunkSize, thunkSize);
        if (!entry || *entry == 0) return std::nullopt;
        if (!EntryMatches(image, *entry, thunkSize, wanted, byOrdinal)) continue;
        const std::uint64_t slot = *slots + index * thunkSize;
        if (!image.Has(static_cast<std::size_t>(slot), thunkSize)) return std::nullopt;
        return static_cast<std::uint32_t>(slot);
    }
}

}  // namespace

std::optional<std::uint32_t> FindImportSlot(const std::uint8_t* bytes, std::size_t size,
                                            const WantedImport& wanted) {
    const Image image{bytes, size};
    const auto table = LocateImports(image);
    if (!table) return std::nullopt;
    for (const bool byOrdinal : {true, false}) {
        if (byOrdinal ? wanted.ordinal == 0 : wanted.name.empty()) continue;
        for (std::size_t d = table->descriptors;; d += kDescriptorSize) {
            const auto nameOffset = image.Read(d + 12, 4);
            if (!nameOffset || *nameOffset == 0) break;
            const auto dll = image.String(*nameOffset);
            if (!dll || !EqualsIgnoringAsciiCase(*dll, wanted.dll)) continue;
            if (auto slot = FindInDescriptor(image, d, table->thunkSize, wanted, byOrdinal))
                return slot;
        }
    }
    return std::nullopt;
}

}  // namespace lumetra::platform
