#pragma once
// Reads a loaded module's import table from the module's own image in
// memory, to find the slot through which it calls one imported function.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::platform {

struct WantedImport {
    std::string_view dll;       // compared without regard to ASCII case
    std::uint16_t ordinal = 0;  // tried first; 0 for none
    std::string_view name;      // tried when no entry has the ordinal; empty for none
};

// The offset from the image's start of the import address table slot that
// the loader fills with the wanted function: in any descriptor of `wanted.dll`,
// the entry imported by the ordinal, failing that the one imported by the
// name. Nothing when there is no such entry or the image is malformed; no
// read goes past `size` bytes.
std::optional<std::uint32_t> FindImportSlot(const std::uint8_t* image, std::size_t size,
                                            const WantedImport& wanted);

}  // namespace lumetra::platform
