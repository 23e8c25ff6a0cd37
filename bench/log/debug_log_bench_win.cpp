// Lines per second of the debug log against the naive way of logging (open,
// append, close for every line), on real files. Run under Wine or Windows.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "log/bounded_format.h"
#include "log/debug_log.h"
#include "log/log_line.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLines = 20000;
const wchar_t* const kText =
    L"PersistViewMode: monitor=DISPLAY1 view=3 reason=menu.small [cycle=42]";

void NaiveWrite(const std::wstring& path, const wchar_t* text) {
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t line[lumetra::log::kLogLineUnits];
    const std::size_t units = lumetra::log::FormatLogLine(
        line,
        {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds},
        GetCurrentThreadId(), text);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(units * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int wmain() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"lumetra-log-bench";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring logPath = folder + L"\\toggle-debug.log";
    const std::wstring naivePath = folder + L"\\naive.log";
    DeleteFileW(logPath.c_str());
    DeleteFileW((logPath + L".old").c_str());
    DeleteFileW(naivePath.c_str());

    lumetra::log::DebugLogSetPath(logPath.c_str());
    lumetra::log::DebugLogSetEnabled(true);
    auto start = Clock::now();
    for (int i = 0; i < kLines; ++i) lumetra::log::DebugLogWrite(kText);
    const double logSeconds = Seconds(start);

    start = Clock::now();
    for (int i = 0; i < kLines; ++i) NaiveWrite(naivePath, kText);
    const double naiveSeconds = Seconds(start);

    const double logRate = kLines / logSeconds, naiveRate = kLines / naiveSeconds;
    std::printf("DebugLogWrite:        %9.0f lines/s (%d lines, %.3f s)\n", logRate, kLines,
                logSeconds);
    std::printf("open-append-close:    %9.0f lines/s (%d lines, %.3f s)\n", naiveRate, kLines,
                naiveSeconds);
    std::printf("ratio:                %9.1fx\n", logRate / naiveRate);
    return 0;
}
