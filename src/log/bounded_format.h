#pragma once
// Bounded printf-style formatting of wide (UTF-16 unit) strings into fixed
// buffers. The same code runs on every platform, needs no locale and never
// allocates, so log lines can be built anywhere, hooks included.
//
// Conversions: %d %i %u %x %X %o %c %s %p %% with the flags "-+ #0", width,
// precision, '*', and the length prefixes hh h l ll z j. %s and %ls both take a
// wide string (const wchar_t*), %hs a narrow one; %c and %lc take a wide
// character. A null string prints as "(null)". Anything else is copied as is.
#include <cstdarg>
#include <cstddef>
#include <cstdint>

namespace lumetra::log {

// Result codes with the values of the matching Windows HRESULTs.
inline constexpr std::int32_t kFormatOk = 0;
inline constexpr std::int32_t kFormatInvalidArg = static_cast<std::int32_t>(0x80070057u);
inline constexpr std::int32_t kFormatInsufficientBuffer = static_cast<std::int32_t>(0x8007007Au);

// Largest capacity FormatToBuffer accepts, in units.
inline constexpr std::size_t kFormatMaxCapacity = 2147483647u;
// FormatToBufferTruncating writes into buffers of this many units.
inline constexpr std::size_t kTruncatingBufferUnits = 96;
// Count that asks FormatToBufferTruncating to cut instead of failing.
inline constexpr std::size_t kTruncate = static_cast<std::size_t>(-1);

// Formats into buffer[0 .. capacity-1], always terminating when capacity > 0.
// Returns the length the whole text needs (excluding the terminator).
std::size_t FormatWideV(wchar_t* buffer, std::size_t capacity, const wchar_t* format, va_list args);

// Capacity 0: kFormatInvalidArg, buffer untouched. Capacity above
// kFormatMaxCapacity: buffer emptied, kFormatInvalidArg. Otherwise at most
// capacity-1 units and a terminator; a cut text gives kFormatInsufficientBuffer.
std::int32_t FormatToBuffer(wchar_t* buffer, std::size_t capacity, const wchar_t* format, ...);
std::int32_t FormatToBufferV(wchar_t* buffer, std::size_t capacity, const wchar_t* format,
                             va_list args);

// The whole text or nothing: returns its length, or -1 (buffer emptied) when it
// does not fit or the arguments are unusable.
int FormatToBufferSecure(wchar_t* buffer, std::size_t capacity, const wchar_t* format, ...);

// Into a buffer of kTruncatingBufferUnits units, writing at most `count` units.
// A text longer than count is cut to count units and gives -1; with count
// kTruncate it is cut to what fits and gives -1; a count that does not fit the
// buffer, for a text that does not fit either, empties the buffer and gives -1.
// Otherwise returns the length.
int FormatToBufferTruncating(wchar_t (&buffer)[kTruncatingBufferUnits], std::size_t count,
                             const wchar_t* format, ...);

}  // namespace lumetra::log
