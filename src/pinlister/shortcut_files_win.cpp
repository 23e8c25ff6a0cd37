#include "pinlister/shortcut_files_win.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "pinlister/shell_names_win.h"
#include "platform/com_ptr_win.h"

namespace lumetra::pinlister {
namespace {

constexpr DWORD kPathUnits = MAX_PATH;
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

std::wstring ResolveShortcutTarget(const std::wstring& shortcutPath) {
    platform::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.put_void())))
        return {};
    platform::ComPtr<IPersistFile> file;
    if (FAILED(link.As(IID_IPersistFile, file)) || FAILED(file->Load(shortcutPath.c_str(), 0)))
        return {};
    link->Resolve(nullptr, kResolveQuietly);

    wchar_t path[kPathUnits] = {};
    if (SUCCEEDED(link->GetPath(path, kPathUnits, nullptr, SLGP_UNCPRIORITY)) && path[0])
        return path;
    PIDLIST_ABSOLUTE idList = nullptr;
    if (SUCCEEDED(link->GetIDList(&idList)) && idList) {
        std::wstring target = ParsingPathFromIdList(idList);
        ILFree(idList);
        if (!target.empty()) return target;
    }
    return shortcutPath;
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
