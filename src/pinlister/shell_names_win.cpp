#include "pinlister/shell_names_win.h"

#include <shellapi.h>

namespace lumetra::pinlister {
namespace {

// Takes a string the shell allocated. On failure the pointer is left alone:
// some shells leave garbage in it.
std::wstring TakeShellString(HRESULT hr, PWSTR text) {
    if (FAILED(hr) || !text) return {};
    std::wstring copy(text);
    CoTaskMemFree(text);
    return copy;
}

std::wstring IdListName(PCIDLIST_ABSOLUTE idList, SIGDN kind) {
    PWSTR text = nullptr;
    const HRESULT hr = SHGetNameFromIDList(idList, kind, &text);
    return TakeShellString(hr, text);
}

}  // namespace

std::wstring NameFromIdList(PCIDLIST_ABSOLUTE idList) {
    if (std::wstring name = IdListName(idList, SIGDN_NORMALDISPLAY); !name.empty()) return name;
    if (std::wstring name = IdListName(idList, SIGDN_PARENTRELATIVEPARSING); !name.empty())
        return name;
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(idList), 0, &info, sizeof info,
                        SHGFI_PIDL | SHGFI_DISPLAYNAME))
        return {};
    return info.szDisplayName;
}

std::wstring ParsingPathFromIdList(PCIDLIST_ABSOLUTE idList) {
    if (std::wstring path = IdListName(idList, SIGDN_DESKTOPABSOLUTEPARSING); !path.empty())
        return path;
    return IdListName(idList, SIGDN_FILESYSPATH);
}

std::wstring ShellItemName(IShellItem* item, SIGDN kind) {
    PWSTR text = nullptr;
    const HRESULT hr = item->GetDisplayName(kind, &text);
    return TakeShellString(hr, text);
}

}  // namespace lumetra::pinlister
