#include "pinlister/shortcut_files_win.h"

#include <objidl.h>
#include <shlobj.h>

#include <cwchar>

#include "pinlister/shell_names_win.h"
#include "platform/com_ptr_win.h"
#include "platform/unique_id_list_win.h"

namespace lumetra::pinlister {
namespace {

constexpr DWORD kPathUnits = MAX_PATH;
// The longest path Windows knows, with its terminating NUL.
constexpr DWORD kLongestPathUnits = 32768;
// What a buffer too small for the answer is reported as, where it is reported.
constexpr HRESULT kBufferTooSmall = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
// No user interface, no search for a moved target, no link tracking.
constexpr DWORD kResolveQuietly = 0x31;  // SLR_NO_UI | SLR_NOSEARCH | SLR_NOTRACK

std::uint64_t FileTimeValue(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

std::wstring PinnedShortcutFolder() {
    wchar_t buffer[kPathUnits] = {};
    const DWORD n = GetEnvironmentVariableW(L"APPDATA", buffer, kPathUnits);
    if (n == 0 || n >= kPathUnits) return {};
    return PinnedFolderFromAppData(std::wstring_view(buffer, n));
}

std::vector<FolderEntry> ListShortcutFolder(const std::wstring& folder) {
    std::vector<FolderEntry> entries;
    if (folder.empty()) return entries;
    const std::wstring pattern = folder + L"\\*.lnk";
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
        entries.push_back({data.cFileName, FileTimeValue(data.ftLastWriteTime),
                           (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

std::wstring ShortcutLinkPath(IShellLinkW* link) {
    // GetPath cannot say how long the path is, and a short buffer gets a cut
    // path (or an error): a buffer filled to its last unit is asked again with
    // twice the room.
    for (DWORD units = kPathUnits;; units *= 2) {
        std::wstring buffer(units, L'\0');
        const HRESULT hr =
            link->GetPath(buffer.data(), static_cast<int>(units), nullptr, SLGP_UNCPRIORITY);
        const std::size_t length = wcsnlen(buffer.data(), units);
        if (hr != kBufferTooSmall && length + 1 < units) {
            buffer.resize(SUCCEEDED(hr) ? length : 0);
            return buffer;
        }
        if (units >= kLongestPathUnits) return {};
    }
}

std::wstring ShortcutLinkTarget(IShellLinkW* link) {
    if (std::wstring path = ShortcutLinkPath(link); !path.empty()) return path;
    platform::UniqueIdList idList;
    if (FAILED(link->GetIDList(idList.put())) || !idList) return {};
    return ParsingPathFromIdList(idList.get());
}

std::wstring ResolveShortcutTarget(const std::wstring& shortcutPath) {
    platform::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void())))
        return {};
    platform::ComPtr<IPersistFile> file;
    if (FAILED(link.As(IID_IPersistFile, file)) || FAILED(file->Load(shortcutPath.c_str(), 0)))
        return {};
    link->Resolve(nullptr, kResolveQuietly);
    std::wstring target = ShortcutLinkTarget(link.get());
    return target.empty() ? shortcutPath : target;
}

ShortcutFolderAccess ShortcutFolderOnDisk(std::wstring folder) {
    ShortcutFolderAccess access;
    access.folder = std::move(folder);
    access.list = [path = access.folder] { return ListShortcutFolder(path); };
    access.resolve = ResolveShortcutTarget;
    return access;
}

std::wstring FindPinnedShortcut(std::wstring_view name, std::wstring_view target) {
    ShortcutFinder finder(ShortcutFolderOnDisk(PinnedShortcutFolder()));
    return finder.find(name, target);
}

}  // namespace lumetra::pinlister
