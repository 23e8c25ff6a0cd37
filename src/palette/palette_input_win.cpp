// Keys and clicks that reach the palette window itself (keys inside the list
// view are handled with the view).
#include <windows.h>
#include <windowsx.h>

#include "hostedview/hosted_view_win.h"
#include "hostedview/view_mode_win.h"
#include "log/debug_log.h"
#include "palette/activation_win.h"
#include "palette/close_button_win.h"
#include "palette/menu_owner_win.h"
#include "palette/monitor_placement_win.h"
#include "palette/palette_handlers_win.h"
#include "palette/palette_state_win.h"
#include "protocol/messages.h"
#include "ui/about_window_win.h"
#include "ui/shell_item_menu_win.h"
#include "ui/view_menu_win.h"

namespace lumetra::palette {
namespace {

using hostedview::View;

constexpr int kGroupedDragStripPixels = 30;

bool InViewWindows(HWND window) {
    const auto within = [window](HWND parent) {
        return parent && (window == parent || IsChild(parent, window));
    };
    return within(hostedview::FindHostedListView()) || within(View().viewWindow);
}

bool InGroupedTopStrip(LPARAM lParam) {
    return hostedview::IsViewGrouped() && GET_Y_LPARAM(lParam) <= kGroupedDragStripPixels;
}

POINT CursorOr(POINT fallback) {
    POINT p;
    return GetCursorPos(&p) ? p : fallback;
}

}  // namespace

bool ModalStateOpen() {
    if (ui::AboutWindowOpen() || hostedview::ListViewEditing() || Palette().menuDepth > 0)
        return true;
    wchar_t cls[16] = {};
    HWND foreground = GetForegroundWindow();
    return foreground && GetClassNameW(foreground, cls, 16) && lstrcmpW(cls, L"#32768") == 0;
}

bool OnKeyDown(HWND hwnd, WPARAM key, LPARAM lParam) {
    if (GetKeyState(VK_CONTROL) < 0 && HandleCtrlShortcut(static_cast<UINT>(key))) return true;

    HWND focus = GetFocus();
    if (IsWindowVisible(hwnd) && !InViewWindows(focus) && (!focus || focus == hwnd)) {
        if (key == VK_F2) {
            RenameFocusedItem();
            return true;
        }
        if (key == VK_DELETE && hostedview::FindHostedListView()) {
            FocusPaletteList();
            // Focusing may run messages: ask again rather than keep the handle.
            if (HWND list = hostedview::FindHostedListView())
                SendMessageW(list, WM_KEYDOWN, key, lParam);
            return true;
        }
    }
    switch (key) {
        case VK_ESCAPE:
            if (IsPaletteOrDescendant(GetForegroundWindow()) && !ModalStateOpen()) {
                log::DebugLogWrite(L"ESC pressed -> hide");
                HidePalette();
            }
            return true;
        case VK_F2: RenameFocusedItem(); return true;
        case VK_F5: PostMessageW(hwnd, protocol::WMAPP_REFRESH, 0, 0); return true;
        case VK_APPS:
            ui::ShowViewContextMenu(hwnd, CursorOr({0, 0}), PaletteMenuOwner());
            return true;
        case VK_F10:
            if (GetKeyState(VK_SHIFT) < 0) {
                ui::ShowViewContextMenu(hwnd, CursorOr({0, 0}), PaletteMenuOwner());
                return true;
            }
            return false;
        default: return false;
    }
}

void DragPaletteFromCursor() {
    HWND palette = Palette().window;
    if (!palette || !IsWindow(palette)) return;
    AnchorDragToCursor(palette);
    const POINT cursor = CursorOr({0, 0});
    PostMessageW(palette, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
}

void ShowItemMenu(HWND listView, POINT screenPoint) {
    ui::ShowShellItemMenu({Palette().window, listView, PaletteMenuOwner(), RenameFocusedItem},
                          screenPoint);
}

bool DeleteSelection() { return InvokeVerbOnSelection("delete"); }

// In a grouped view the top strip holds group headers, so it drags the window.
bool OnLButtonDown(HWND, LPARAM lParam) {
    if (!InGroupedTopStrip(lParam)) return false;
    DragPaletteFromCursor();
    return true;
}

bool OnRButtonUp(HWND, LPARAM lParam) {
    if (!InGroupedTopStrip(lParam)) return false;
    if (HWND list = hostedview::FindHostedListView()) {
        const POINT cursor = CursorOr({0, 0});
        PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list),
                     MAKELPARAM(cursor.x, cursor.y));
    }
    return true;
}

LRESULT OnContextMenu(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto from = reinterpret_cast<HWND>(wParam);
    if (from && from != hwnd) return 0;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) at = CursorOr(at);
    ui::ShowViewContextMenu(hwnd, at, PaletteMenuOwner());
    return 0;
}

bool OnSysCommand(HWND, WPARAM command) {
    if ((command & 0xFFF0) != SC_CLOSE) return false;
    log::DebugLogWrite(L"SC_CLOSE -> hide");
    HidePalette();
    return true;
}

LRESULT OnClose(HWND) {
    log::DebugLogWrite(L"WM_CLOSE -> hide");
    HidePalette();
    return 0;
}

}  // namespace lumetra::palette
