#include "layouttool/layout_store_win.h"

// windows.h comes first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include "layouttool/layout_path.h"
#include "platform/unique_handle_win.h"

namespace lumetra::layouttool {
namespace {

std::wstring AppDataVariable() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"APPDATA", buffer, MAX_PATH);
    return n >= 1 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring();
}

bool WriteWhole(const std::wstring& path, const std::vector<std::uint8_t>& image) {
    if (image.size() > MAXDWORD) return false;
    platform::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const auto size = static_cast<DWORD>(image.size());
    DWORD written = 0;
    if (!WriteFile(file.get(), image.data(), size, &written, nullptr) || written != size)
        return false;
    return FlushFileBuffers(file.get()) != FALSE;
}

}  // namespace

std::wstring GetLayoutFilePath() {
    const std::wstring folder = LayoutFolderFromAppData(AppDataVariable());
    if (folder.empty()) return {};
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return LayoutFileInFolder(folder);
}

bool WriteLayoutFile(const std::wstring& path, const std::vector<std::uint8_t>& image) {
    const std::wstring temporary = path + L".tmp";
    const bool written = WriteWhole(temporary, image) && ReplaceLayoutFile(temporary, path);
    if (!written) DeleteFileW(temporary.c_str());
    return written;
}

bool ReplaceLayoutFile(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool DeleteLayoutFile(const std::wstring& path) {
    if (DeleteFileW(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

FileRead ReadLayoutFile(const std::wstring& path, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    platform::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return FileRead::kUnavailable;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxLayoutFileBytes)
        return FileRead::kUnavailable;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    const auto wanted = static_cast<DWORD>(bytes.size());
    if (!ReadFile(file.get(), bytes.data(), wanted, &read, nullptr) || read != wanted) {
        bytes.clear();
        return FileRead::kUnavailable;
    }
    return FileRead::kOk;
}

}  // namespace lumetra::layouttool
