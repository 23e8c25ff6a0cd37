#pragma once
// The debug log's line format and its size policy, independent of any file API.
#include <cstddef>
#include <cstdint>

namespace lumetra::log {

struct LogTime {
    std::uint16_t year, month, day, hour, minute, second, milliseconds;
};

// Units in the line buffer, terminator included.
inline constexpr std::size_t kLogLineUnits = 512;
// A log larger than this many bytes is rotated to ".old"; exactly this size is kept.
inline constexpr std::uint64_t kLogRotateAboveBytes = 524288;
// The size is checked before every this-many-th line.
inline constexpr std::uint32_t kLogLinesPerSizeCheck = 32;

// "[yyyy-mm-dd hh:mm:ss.mmm][tid:N] text" CR LF. A text too long for the
// buffer is cut so that the line still ends with CR LF (at most 511 units).
// Returns the number of units written, terminator excluded.
std::size_t FormatLogLine(wchar_t (&line)[kLogLineUnits], const LogTime& time,
                          unsigned long threadId, const wchar_t* text);

inline bool LogNeedsRotation(std::uint64_t sizeBytes) { return sizeBytes > kLogRotateAboveBytes; }

// Counts one line; true when this line must be preceded by a size check.
inline bool CountLogLine(std::uint32_t& counter) {
    if (++counter < kLogLinesPerSizeCheck) return false;
    counter = 0;
    return true;
}

}  // namespace lumetra::log
