// File side of IniDocument: one read of the whole file, and a save through a
// temporary file that replaces the target in one rename.
#include <windows.h>

#include <vector>

#include "config/ini_document.h"
#include "log/long_path_win.h"
#include "platform/unique_handle_win.h"

namespace lumetra::config {

bool IniDocument::load() {
    clear();
    platform::UniqueHandle file(CreateFileW(log::PathForFileCalls(path_).c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError() == ERROR_FILE_NOT_FOUND;

    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 ||
        size.QuadPart > static_cast<LONGLONG>(kIniMaxFileBytes))
        return false;

    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read == 0)
        return false;
    file.reset();
    return loadFromBytes(bytes.data(), read);
}

bool IniDocument::save() const {
    const std::string bytes = serializeFileBytes();
    if (bytes.empty()) return false;

    const std::wstring target = log::PathForFileCalls(path_);
    const std::wstring temp = target + L".tmp";
    platform::UniqueHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;

    // The byte-order mark and the text, as two writes.
    constexpr std::size_t kBom = 3;
    DWORD written = 0;
    bool ok = WriteFile(file.get(), bytes.data(), kBom, &written, nullptr) && written == kBom;
    const auto rest = static_cast<DWORD>(bytes.size() - kBom);
    ok = ok && WriteFile(file.get(), bytes.data() + kBom, rest, &written, nullptr) &&
         written == rest;
    ok = ok && FlushFileBuffers(file.get());
    file.reset();

    if (ok && MoveFileExW(temp.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

}  // namespace lumetra::config
