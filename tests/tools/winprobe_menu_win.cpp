// winprobe verbs about the tray icon and open popup menus:
//
//   winprobe tray-present WINDOW  is the icon (id 1) of that window in the tray?
//   winprobe tray-delete WINDOW   removes it, as a restarting shell would lose it
//                                 (WINDOW: a class name, or a window handle in decimal)
//   winprobe menu-items           the items of every visible popup menu window
#include <windows.h>

#include "winprobe_json_win.h"
// after windows.h
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using lumetra::winprobe::Fail;
using lumetra::winprobe::JsonString;
using lumetra::winprobe::Utf8;

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

std::string DescribeItems(HMENU menu) {
    std::string out = "[";
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 511;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        char flags[256];
        std::snprintf(flags, sizeof flags,
                      "{\"id\":%u,\"separator\":%s,\"checked\":%s,\"radio\":%s,\"grayed\":%s,"
                      "\"default\":%s,\"hilite\":%s,\"submenu\":%s,\"text\":",
                      info.wID, (info.fType & MFT_SEPARATOR) ? "true" : "false",
                      (info.fState & MFS_CHECKED) ? "true" : "false",
                      (info.fType & MFT_RADIOCHECK) ? "true" : "false",
                      (info.fState & MFS_GRAYED) ? "true" : "false",
                      (info.fState & MFS_DEFAULT) ? "true" : "false",
                      (info.fState & MFS_HILITE) ? "true" : "false",
                      info.hSubMenu ? "true" : "false");
        if (out.size() > 1) out += ",";
        out += flags + JsonString(text) + "}";
    }
    return out + "]";
}

BOOL CALLBACK CollectMenuWindow(HWND hwnd, LPARAM param) {
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (lstrcmpW(cls, L"#32768") == 0 && IsWindowVisible(hwnd))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

int MenuItems() {
    std::vector<HWND> windows;
    EnumWindows(CollectMenuWindow, reinterpret_cast<LPARAM>(&windows));
    std::string out = "{\"menus\":[";
    for (std::size_t i = 0; i < windows.size(); ++i) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(windows[i], MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer);
        const auto menu = reinterpret_cast<HMENU>(answer);
        if (i > 0) out += ",";
        out += menu ? DescribeItems(menu) : "null";
    }
    std::printf("%s]}\n", out.c_str());
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
