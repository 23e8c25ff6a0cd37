#pragma once
// UTF-8 <-> UTF-16 conversion with the results of the Windows code-page API:
// strict decoding fails on any invalid sequence; lenient decoding replaces each
// invalid sequence with U+FFFD, consuming the bytes the system's converter
// consumes; encoding replaces lone surrogates with U+FFFD. std::wstring holds UTF-16 code units on
// every platform.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumetra::platform {

// Appends the decoded units to `out`; false (and `out` unchanged) on the first
// invalid sequence.
bool DecodeUtf8Strict(const std::uint8_t* data, std::size_t size, std::wstring& out);
void DecodeUtf8Lenient(const std::uint8_t* data, std::size_t size, std::wstring& out);
// Each byte becomes the code unit of the same value (ISO 8859-1).
void DecodeLatin1(const std::uint8_t* data, std::size_t size, std::wstring& out);

void EncodeUtf8(std::wstring_view text, std::string& out);
std::string EncodeUtf8(std::wstring_view text);

}  // namespace lumetra::platform
