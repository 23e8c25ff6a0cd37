#include "pinlister/lister_host_win.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <limits>

#include "pinlister/pin_list_win.h"
#include "pinlister/shortcut_files_win.h"
#include "pinlister/stamp.h"
#include "platform/unique_handle_win.h"
#include "platform/utf8.h"

namespace lumetra::pinlister {
namespace {

constexpr DWORD kChunk = 1u << 20;

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    platform::UniqueHandle file(CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
        if (!ReadFile(file.get(), bytes.data() + done, want, &read, nullptr)) return std::nullopt;
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

bool WriteAll(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunk));
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    platform::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    // Flushed before the rename that publishes it, so that the new name never
    // shows a file whose bytes are still in flight.
    return file && WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
}

bool RenameOver(const std::wstring& from, const std::wstring& to) {
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::wstring& path) {
    if (DeleteFileW(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::wstring TackrollDataFolder() {
    wchar_t local[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local)) || !local[0])
        return {};
    const std::wstring maker = std::wstring(local) + L"\\veltor";
    const std::wstring folder = maker + L"\\Tackroll";
    CreateDirectoryW(maker.c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

FileStore FilesOnDisk() { return {ReadWholeFile, WriteWholeFile, RenameOver, RemoveFile}; }

std::string CurrentStamp() {
    const std::wstring folder = PinnedShortcutFolder();
    const std::wstring signature = FolderSignature(folder, ListShortcutFolder(folder));
    return platform::EncodeUtf8(StampText(signature, PinListChangeCount()));
}

ListerHost MakeListerHost(RunMode mode) {
    ListerHost host;
    if (mode != RunMode::StampOnly) host.paths = CachePathsIn(TackrollDataFolder());
    host.files = FilesOnDisk();
    host.tempTag = std::to_wstring(GetCurrentProcessId());
    host.currentStamp = CurrentStamp;
    host.enumerate = [](PinnedLines& out) { EnumerateTaskbarPins(out); };
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE)
        host.write = [output](std::string_view bytes) { return WriteAll(output, bytes); };
    return host;
}

}  // namespace lumetra::pinlister
