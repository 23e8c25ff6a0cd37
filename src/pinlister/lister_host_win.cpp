#include "pinlister/lister_host_win.h"

// windows.h comes first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <algorithm>
#include <functional>
#include <vector>

#include "pinlister/pin_list_win.h"
#include "pinlister/shortcut_files_win.h"
#include "pinlister/stamp.h"
#include "platform/unique_handle_win.h"
#include "platform/utf8.h"

namespace lumetra::pinlister {
namespace {

constexpr DWORD kChunk = 1u << 20;

std::optional<std::string> ReadWholeFile(const std::wstring& path, std::size_t maxBytes) {
    platform::UniqueHandle file(CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes)
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

std::vector<std::wstring> FindFiles(const std::wstring& pattern) {
    std::vector<std::wstring> paths;
    const std::wstring folder = pattern.substr(0, pattern.find_last_of(L'\\') + 1);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return paths;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            paths.push_back(folder + data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return paths;
}

// Held only while a run stores its files, which takes milliseconds; a run that
// cannot have it in this time leaves the files to the one that holds it.
constexpr DWORD kSaveLockWaitMs = 10000;

bool HoldingSaveLock(const std::function<void()>& save) {
    platform::UniqueHandle mutex(CreateMutexW(nullptr, FALSE, kSaveLockName));
    if (!mutex) return false;
    const DWORD waited = WaitForSingleObject(mutex.get(), kSaveLockWaitMs);
    // An owner that died mid-save hands the lock on; the save cleans up after it.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return false;
    save();
    ReleaseMutex(mutex.get());
    return true;
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

FileStore FilesOnDisk() {
    return {ReadWholeFile, WriteWholeFile, RenameOver, RemoveFile, FindFiles};
}

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
    host.exclusively = HoldingSaveLock;
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE)
        host.write = [output](std::string_view bytes) { return WriteAll(output, bytes); };
    return host;
}

}  // namespace lumetra::pinlister
