#include "log/long_path_win.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include "log/long_path.h"

namespace lumetra::log {

std::wstring PathForFileCalls(const std::wstring& path) {
    if (path.size() < kLongPathUnits) return path;
    const std::wstring full = ReadGrowing([&](wchar_t* buffer, std::size_t capacity) {
        return static_cast<std::size_t>(
            GetFullPathNameW(path.c_str(), static_cast<DWORD>(capacity), buffer, nullptr));
    });
    return ExtendedLengthForm(full.empty() ? path : full);
}

bool CreateFolderTree(const std::wstring& folder) {
    if (folder.empty()) return false;
    if (folder.size() < kLongPathUnits) {
        const int result = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
        return result == ERROR_SUCCESS || result == ERROR_FILE_EXISTS ||
               result == ERROR_ALREADY_EXISTS;
    }
    // The shell's call stops at 260 units; a long tree is made one folder at a time.
    const std::wstring full = PathForFileCalls(folder);
    for (const std::wstring& step : FolderChain(full))
        CreateDirectoryW(step.c_str(), nullptr);  // folders that exist fail harmlessly
    return GetFileAttributesW(full.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace lumetra::log
