#pragma once
// A popup menu as one JSON array: each item's id, flags and text, and the items
// of its submenu. Menus can be read only inside the process that owns them.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "winprobe_json_win.h"

namespace lumetra::winprobe {

inline std::string DescribeMenuItems(HMENU menu, int depth = 4) {
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
        out += flags + JsonString(text);
        if (info.hSubMenu && depth > 1)
            out += ",\"items\":" + DescribeMenuItems(info.hSubMenu, depth - 1);
        out += "}";
    }
    return out + "]";
}

namespace detail {
struct MenuWindows {
    DWORD process = 0;  // 0: every process
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectMenuWindow(HWND hwnd, LPARAM param) {
    auto* menus = reinterpret_cast<MenuWindows*>(param);
    wchar_t cls[32] = {};
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if ((!menus->process || pid == menus->process) && IsWindowVisible(hwnd) &&
        GetClassNameW(hwnd, cls, 32) && lstrcmpW(cls, L"#32768") == 0)
        menus->found.push_back(hwnd);
    return TRUE;
}
}  // namespace detail

// {"menus":[...]}: every visible popup menu window (of `process`, or of any
// process with 0), each as its items, or null when its menu was not given.
inline std::string DescribeOpenMenus(DWORD process) {
    detail::MenuWindows menus{process, {}};
    EnumWindows(detail::CollectMenuWindow, reinterpret_cast<LPARAM>(&menus));
    std::string out = "{\"menus\":[", rects = "\"rects\":[";
    for (std::size_t i = 0; i < menus.found.size(); ++i) {
        // The menu's thread answers while it runs the menu's modal loop.
        DWORD_PTR handle = 0;
        SendMessageTimeoutW(menus.found[i], MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &handle);
        const auto menu = reinterpret_cast<HMENU>(handle);
        RECT rect{};
        GetWindowRect(menus.found[i], &rect);
        if (i > 0) {
            out += ",";
            rects += ",";
        }
        out += menu ? DescribeMenuItems(menu) : "null";
        char text[64];
        std::snprintf(text, sizeof text, "[%ld,%ld,%ld,%ld]", rect.left, rect.top, rect.right,
                      rect.bottom);
        rects += text;
    }
    return out + "]," + rects + "]}";
}

}  // namespace lumetra::winprobe
