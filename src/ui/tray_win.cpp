// The notification-area icon: added at start-up, re-added when the shell
// restarts, removed when the palette goes away or the session ends.
#include "ui/tray_win.h"

#include <shellapi.h>

#include "log/debug_log.h"
#include "platform/unique_handle_win.h"
#include "protocol/messages.h"
#include "protocol/resource_ids.h"
#include "ui/tray_menu.h"

namespace lumetra::ui {
namespace {

constexpr UINT kTrayIconId = 1;

static_assert(sizeof(NOTIFYICONDATAW) == 976, "the full record, with balloon icon and GUID");

struct TrayIcon {
    NOTIFYICONDATAW data{};
    platform::UniqueIcon image;
    bool filled = false;
    bool iconAdded = false;
    unsigned version = 0;  // notification version the shell accepted
};

TrayIcon& Tray() {
    static TrayIcon tray;
    return tray;
}

HICON LoadTrayImage(HINSTANCE instance) {
    for (int size : {32, 16}) {
        HANDLE image = LoadImageW(instance, MAKEINTRESOURCEW(IDI_LUMETRA_TRAY), IMAGE_ICON, size,
                                  size, LR_DEFAULTCOLOR);
        if (image) return static_cast<HICON>(image);
    }
    return nullptr;
}

void FillRecord(HWND palette) {
    TrayIcon& tray = Tray();
    if (!tray.image) tray.image.reset(LoadTrayImage(GetModuleHandleW(nullptr)));
    NOTIFYICONDATAW& data = tray.data;
    data.cbSize = sizeof(NOTIFYICONDATAW);
    data.hWnd = palette;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = protocol::WMAPP_TRAY;
    data.hIcon = tray.image.get();
    lstrcpynW(data.szTip, L"Lumetra", ARRAYSIZE(data.szTip));
    tray.filled = true;
}

void AddIcon() {
    TrayIcon& tray = Tray();
    if (!Shell_NotifyIconW(NIM_ADD, &tray.data)) {
        log::DebugLogWrite(L"UpdateTrayIcon: NIM_ADD failed");
        return;  // the next update tries again
    }
    tray.iconAdded = true;
    tray.data.uVersion = NOTIFYICON_VERSION_4;
    if (Shell_NotifyIconW(NIM_SETVERSION, &tray.data)) tray.version = NOTIFYICON_VERSION_4;
}

void DeleteIcon() {
    TrayIcon& tray = Tray();
    Shell_NotifyIconW(NIM_DELETE, &tray.data);
    tray.iconAdded = false;
    tray.version = 0;
}

}  // namespace

void UpdateTrayIcon(HWND palette, bool forceReAdd) {
    if (!palette || !IsWindow(palette)) return;
    TrayIcon& tray = Tray();
    if (!tray.filled || tray.data.hWnd != palette) FillRecord(palette);
    if (!tray.image) return;
    if (forceReAdd) {
        if (tray.iconAdded) DeleteIcon();
        AddIcon();
        return;
    }
    if (tray.iconAdded) {
        Shell_NotifyIconW(NIM_MODIFY, &tray.data);
        return;
    }
    AddIcon();
}

void RemoveTrayIcon() {
    if (Tray().iconAdded) DeleteIcon();
}

void OnTaskbarCreated(HWND palette) {
    // Sent after a shell restart, which lost the icon, but also when the shell
    // kept it (a display change): an add on top of a kept icon fails and would
    // leave it unowned, so remove whatever is there first.
    if (Tray().filled) DeleteIcon();
    UpdateTrayIcon(palette, true);
}

TrayAction TrayActionForCallback(LPARAM lParam) {
    return TrayActionFor(LOWORD(lParam), Tray().version);
}

}  // namespace lumetra::ui
