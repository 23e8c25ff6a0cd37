// winprobe verbs about the tray icon and open popup menus:
//
//   winprobe tray-present WINDOW  is the icon (id 1) of that window in the tray?
//   winprobe tray-delete WINDOW   removes it, as a restarting shell would lose it
//                                 (WINDOW: a class name, or a window handle in decimal)
//   winprobe menu-items           the items of every visible popup menu window
//                                 (Wine lets only the owning process read a
//                                 menu: menu_probe.dll reads them from inside)
#include <windows.h>

#include "menu_items_win.h"
#include "winprobe_json_win.h"
// after windows.h
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using lumetra::winprobe::Fail;

constexpr UINT kTrayIconId = 1;

NOTIFYICONDATAW IconRecord(HWND owner) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = kTrayIconId;
    return data;
}

// A modify that changes nothing succeeds only for an icon the shell knows.
int TrayPresent(HWND owner) {
    NOTIFYICONDATAW data = IconRecord(owner);
    const bool present = owner && Shell_NotifyIconW(NIM_MODIFY, &data);
    std::printf("{\"present\":%s}\n", present ? "true" : "false");
    return 0;
}

int TrayDelete(HWND owner) {
    NOTIFYICONDATAW data = IconRecord(owner);
    const bool deleted = owner && Shell_NotifyIconW(NIM_DELETE, &data);
    std::printf("{\"deleted\":%s}\n", deleted ? "true" : "false");
    return 0;
}

int MenuItems() {
    std::printf("%s\n", lumetra::winprobe::DescribeOpenMenus(0).c_str());
    return 0;
}

HWND Window(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long long handle = std::wcstoull(text, &end, 10);
    if (end && *end == L'\0' && handle != 0)
        return reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    return FindWindowW(text, nullptr);
}

}  // namespace

int RunMenuVerb(const std::wstring& verb, int argc, wchar_t** argv) {
    if (verb == L"tray-present" && argc >= 3) return TrayPresent(Window(argv[2]));
    if (verb == L"tray-delete" && argc >= 3) return TrayDelete(Window(argv[2]));
    if (verb == L"menu-items") return MenuItems();
    return -1;
}
