// File-backed debug log: UTF-16LE lines appended to one handle kept open,
// rotated to ".old" when it grows past 512 KiB.
#include "log/debug_log_win.h"

#include <windows.h>
#include <shlobj.h>

#include <atomic>

#include "log/bounded_format.h"
#include "log/debug_log.h"
#include "log/log_line.h"

namespace lumetra::log {
namespace {

constexpr std::size_t kPathUnits = 260;

struct LogState {
    wchar_t path[kPathUnits + 8] = {};  // room for ".old" on a full-length path
    std::atomic<bool> enabled{false};
    HANDLE file = nullptr;
    bool directoryReady = false;
    CRITICAL_SECTION lock;
    std::atomic<bool> lockReady{false};
    std::uint32_t lineCounter = 0;
    bool openFailureReported = false;
    DebugLogCounters counters{};
};

LogState& State() {
    static LogState state;
    return state;
}

bool FileOpen(const LogState& s) { return s.file != nullptr && s.file != INVALID_HANDLE_VALUE; }

void CloseFile(LogState& s) {
    if (FileOpen(s)) CloseHandle(s.file);
    s.file = nullptr;
}

// Re-entrant guard that does nothing until the lock exists.
class LockGuard {
public:
    explicit LockGuard(LogState& s) : state_(s), held_(s.lockReady.load()) {
        if (held_) EnterCriticalSection(&state_.lock);
    }
    ~LockGuard() {
        if (held_) LeaveCriticalSection(&state_.lock);
    }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

private:
    LogState& state_;
    bool held_;
};

// Creates the log's folder and its parents; true when it exists afterwards.
bool CreateLogFolder(const LogState& s) {
    wchar_t folder[kPathUnits] = {};
    std::size_t n = 0;
    while (n + 1 < kPathUnits && s.path[n]) {
        folder[n] = s.path[n];
        ++n;
    }
    folder[n] = L'\0';
    while (n > 0 && folder[n - 1] != L'\\' && folder[n - 1] != L'/') --n;
    while (n > 0 && (folder[n - 1] == L'\\' || folder[n - 1] == L'/')) --n;
    folder[n] = L'\0';
    if (n == 0) return false;
    const int result = SHCreateDirectoryExW(nullptr, folder, nullptr);
    return result == ERROR_SUCCESS || result == ERROR_FILE_EXISTS || result == ERROR_ALREADY_EXISTS;
}

HANDLE OpenForAppend(LogState& s) {
    ++s.counters.openAttempts;
    return CreateFileW(s.path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool EnsureOpen(LogState& s) {
    if (FileOpen(s)) return true;
    if (!s.directoryReady) {
        CreateLogFolder(s);
        s.directoryReady = true;
    }
    s.file = OpenForAppend(s);
    if (!FileOpen(s)) s.file = OpenForAppend(s);
    if (FileOpen(s)) return true;
    s.file = nullptr;
    if (!s.openFailureReported) {
        s.openFailureReported = true;
        ++s.counters.noticesSent;
        wchar_t notice[384];
        FormatToBuffer(notice, 384, L"Lumetra DebugLog CreateFile failed le=%lu path=%ls",
                       GetLastError(), s.path);
        OutputDebugStringW(notice);
    }
    return false;
}

}  // namespace

void DebugLogSetPath(const wchar_t* path) {
    if (!path || !path[0]) return;
    LogState& s = State();
    if (!s.lockReady.load()) {
        InitializeCriticalSection(&s.lock);
        s.lockReady.store(true);
    }
    LockGuard guard(s);
    std::size_t n = 0;
    while (n < kPathUnits - 1 && path[n]) {
        s.path[n] = path[n];
        ++n;
    }
    s.path[n] = L'\0';
    s.directoryReady = CreateLogFolder(s);
}

void DebugLogSetEnabled(bool enabled) { State().enabled.store(enabled); }

bool DebugLogEnabled() { return State().enabled.load(); }

void DebugLogWrite(const wchar_t* text) {
    LogState& s = State();
    if (!s.enabled.load() || !text || !s.path[0]) return;
    LockGuard guard(s);
    if (CountLogLine(s.lineCounter)) DebugLogRotateIfLarge();
    if (!EnsureOpen(s)) return;

    SYSTEMTIME now;
    GetLocalTime(&now);
    const LogTime time{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                       now.wMinute, now.wSecond, now.wMilliseconds};
    wchar_t line[kLogLineUnits];
    const std::size_t units = FormatLogLine(line, time, GetCurrentThreadId(), text);
    DWORD written = 0;
    const auto bytes = static_cast<DWORD>(units * sizeof(wchar_t));
    if (!WriteFile(s.file, line, bytes, &written, nullptr)) CloseFile(s);
}

void DebugLogRotateIfLarge() {
    LogState& s = State();
    if (!s.path[0]) return;
    LockGuard guard(s);
    ++s.counters.sizeChecks;
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExW(s.path, GetFileExInfoStandard, &info)) return;
    const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (!LogNeedsRotation(size)) return;
    CloseFile(s);
    wchar_t old[kPathUnits + 8];
    FormatToBuffer(old, kPathUnits + 8, L"%ls.old", s.path);
    DeleteFileW(old);
    if (!MoveFileExW(s.path, old, MOVEFILE_REPLACE_EXISTING)) DeleteFileW(s.path);
}

DebugLogCounters DebugLogGetCounters() {
    LogState& s = State();
    LockGuard guard(s);
    return s.counters;
}

void DebugLogResetForTests() {
    LogState& s = State();
    LockGuard guard(s);
    CloseFile(s);
    s.lineCounter = 0;
    s.openFailureReported = false;
    s.counters = {};
}

}  // namespace lumetra::log
