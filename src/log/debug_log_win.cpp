// File-backed debug log: UTF-16LE lines appended to one handle kept open,
// rotated to ".old" when it grows past 512 KiB.
#include "log/debug_log_win.h"

#include <windows.h>

#include <atomic>
#include <string>

#include "log/bounded_format.h"
#include "log/debug_log.h"
#include "log/log_line.h"
#include "log/long_path.h"
#include "log/long_path_win.h"

namespace lumetra::log {
namespace {

struct LogState {
    // Set while the lock is held, read under it: a path of any length, as
    // given (for the notice) and as file calls take it.
    std::wstring path;
    std::wstring filePath;
    std::atomic<bool> enabled{false};
    HANDLE file = nullptr;
    bool directoryReady = false;
    CRITICAL_SECTION lock;
    std::atomic<bool> lockReady{false};
    std::uint32_t lineCounter = 0;
    bool openFailureReported = false;
    DebugLogCounters counters{};
};

// Never destroyed: threads may still log while the process ends.
LogState& State() {
    static LogState* const state = new LogState;
    return *state;
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

bool CreateLogFolder(const LogState& s) { return CreateFolderTree(FolderOf(s.path)); }

HANDLE OpenForAppend(LogState& s) {
    ++s.counters.openAttempts;
    return CreateFileW(s.filePath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE,
                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
                       GetLastError(), s.path.c_str());
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
    s.path = path;
    s.filePath = PathForFileCalls(s.path);
    s.directoryReady = CreateLogFolder(s);
}

void DebugLogSetEnabled(bool enabled) { State().enabled.store(enabled); }

bool DebugLogEnabled() { return State().enabled.load(); }

void DebugLogWrite(const wchar_t* text) {
    LogState& s = State();
    if (!s.enabled.load() || !text) return;
    LockGuard guard(s);
    if (s.path.empty()) return;
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
    LockGuard guard(s);
    if (s.path.empty()) return;
    ++s.counters.sizeChecks;
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExW(s.filePath.c_str(), GetFileExInfoStandard, &info)) return;
    const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (!LogNeedsRotation(size)) return;
    CloseFile(s);
    const std::wstring old = s.filePath + L".old";
    DeleteFileW(old.c_str());
    if (!MoveFileExW(s.filePath.c_str(), old.c_str(), MOVEFILE_REPLACE_EXISTING))
        DeleteFileW(s.filePath.c_str());
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
