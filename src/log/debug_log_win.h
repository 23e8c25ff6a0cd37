#pragma once
// Counters of the file-backed log, for tests of its failure handling.
#include <cstdint>

namespace lumetra::log {

struct DebugLogCounters {
    std::uint32_t openAttempts;  // CreateFileW calls made for the log
    std::uint32_t noticesSent;   // one-time open-failure notices (0 or 1)
    std::uint32_t sizeChecks;    // DebugLogRotateIfLarge runs that found a path
};

DebugLogCounters DebugLogGetCounters();

// Closes the file and forgets counters, the line count and the one-time notice,
// so that a test starts from a fresh process's state. Keeps path and lock.
void DebugLogResetForTests();

}  // namespace lumetra::log
