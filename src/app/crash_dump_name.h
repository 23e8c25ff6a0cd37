#pragma once
// Where a crash leaves its minidump and what the file is called. The name is
// built into a caller's fixed buffer without allocating: it runs while the
// process is crashing, when the heap may be the thing that broke.
#include <cstddef>
#include <string>

namespace lumetra::app {

// Buffer size, in units, for the dump folder and the dump path.
inline constexpr std::size_t kCrashPathUnits = 260;

// The data folder below the roaming root, without a final backslash.
std::wstring CrashDumpFolderFromRoot(const std::wstring& root);

// Local time of the crash, as the system reports it.
struct CrashTime {
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "FOLDER\crash-YYYYMMDD-HHMMSS.dmp" into out; false (out emptied) when the
// whole path does not fit, so a cut name never becomes a file.
bool FormatCrashDumpPath(wchar_t* out, std::size_t capacity, const wchar_t* folder,
                         const CrashTime& time);

}  // namespace lumetra::app
