#pragma once
// The program's one logging call. Lines reach "toggle-debug.log" only while the
// log is enabled (the DebugLog setting) and a path is set. Any thread may log.
// The Windows programs link the file-backed implementation; platform-free tests
// link the in-memory one from debug_log_capture.h.
#include <cstddef>

#include "log/bounded_format.h"

namespace lumetra::log {

void DebugLogSetPath(const wchar_t* path);
void DebugLogSetEnabled(bool enabled);
bool DebugLogEnabled();
void DebugLogWrite(const wchar_t* text);
void DebugLogRotateIfLarge();

// Formats with FormatToBuffer into a local buffer of N units (cut to fit), then logs it.
template <std::size_t N = 192, typename... Args>
void DebugLogFormat(const wchar_t* format, Args... args) {
    if (!DebugLogEnabled()) return;
    wchar_t text[N];
    FormatToBuffer(text, N, format, args...);
    DebugLogWrite(text);
}

}  // namespace lumetra::log
