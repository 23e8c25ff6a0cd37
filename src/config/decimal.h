#pragma once
// Decimal integers as the configuration stores them: optional leading blanks,
// an optional sign, then digits up to the first other character. Never octal
// or hexadecimal ("010" is ten, "0x10" is zero). Out-of-range values clamp to
// the 32-bit limits, as the C library's wcstol does on Windows.
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::config {

// Empty when the text has no digit where the number should start.
std::optional<std::int32_t> ParseDecimal(std::wstring_view text);

}  // namespace lumetra::config
