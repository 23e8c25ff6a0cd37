#pragma once
// What the fuzz targets share: the input read as UTF-16 text, and a check
// that stops the run where a property does not hold.
#include <cstdint>
#include <cstdlib>
#include <string>

namespace lumetra::fuzzing {

// Little-endian pairs of bytes; an odd last byte is dropped.
inline std::wstring Utf16(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    return text;
}

inline void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace lumetra::fuzzing
