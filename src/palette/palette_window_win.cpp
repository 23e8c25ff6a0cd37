// The palette window: its class, creation and the window procedure, which
// only decodes each message and hands it to its handler.
#include "palette/palette_window_win.h"

#include <windows.h>

#include "hostedview/view_refresh_win.h"
#include "log/debug_log.h"
#include "palette/activation_win.h"
#include "palette/appearance_win.h"
#include "palette/frame.h"
#include "palette/monitor_placement_win.h"
#include "palette/palette_handlers_win.h"
#include "palette/palette_state_win.h"
#include "protocol/messages.h"
#include "protocol/resource_ids.h"
#include "triggers/input_triggers_win.h"
#include "ui/shell_item_menu_win.h"
#include "ui/tray_win.h"

namespace lumetra::palette {
namespace {

HICON LoadSizedIcon(HINSTANCE instance, int id, int size) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// The shell's item menu, while shown, draws and fills its own items.
bool OfferToShellMenu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return ui::ForwardToActiveShellMenu(message, wParam, lParam, result);
}

LRESULT OnAppMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case protocol::WMAPP_TRAY: return OnTrayCallback(hwnd, lParam);
        case protocol::WMAPP_TOGGLE: return OnToggleRequest(hwnd, wParam);
        case protocol::WMAPP_HIDE:
            log::DebugLogWrite(L"WM_APP+100 -> hide");
            HidePalette();
            return 0;
        case protocol::WMAPP_ACTIVATE:
            log::DebugLogWrite(L"protocol::WMAPP_ACTIVATE retry focus");
            ActivatePalette(false);
            return 0;
        case protocol::WMAPP_RENAME: RenameFocusedItem(); return 0;
        case protocol::WMAPP_SHELLCHANGE: return hostedview::OnShellChange(wParam, lParam);
        case protocol::WMAPP_REFRESH:
            if (IsWindowVisible(hwnd)) hostedview::RefreshLikeMenu(hwnd, wParam == 0);
            return 0;
        case protocol::WMAPP_MENU_RESYNC: PostMenuResync(hwnd); return 0;
        default: break;
    }
    if (protocol::IsSwallowedAppMessage(message)) return 0;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PaletteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OfferToShellMenu(message, wParam, lParam, result)) return result;
    if (message >= protocol::kWmApp && message < 0xC000)
        return OnAppMessage(hwnd, message, wParam, lParam);

    switch (message) {
        case WM_CREATE: return OnCreate(hwnd);
        case WM_DESTROY: return OnDestroy(hwnd);
        case WM_ENDSESSION: return OnEndSession(wParam);
        case WM_HOTKEY:
            if (OnHotkey(hwnd, wParam)) return 0;
            break;
        case WM_COMMAND: return OnCommand(hwnd, wParam);
        case WM_TIMER: return OnTimer(hwnd, wParam);
        case WM_PAINT: return OnPaint(hwnd);
        case WM_ERASEBKGND: return OnEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
        case WM_NCACTIVATE: return TRUE;
        case WM_NCPAINT: return 0;
        case WM_NCCALCSIZE:
            if (wParam) return 0;
            break;
        case WM_NCHITTEST: return OnNcHitTest(hwnd, lParam);
        case WM_ACTIVATE: return OnActivate(hwnd, wParam);
        case WM_LBUTTONDOWN:
            if (OnLButtonDown(hwnd, lParam)) return 0;
            break;
        case WM_RBUTTONUP:
            if (OnRButtonUp(hwnd, lParam)) return 0;
            break;
        case WM_CONTEXTMENU: return OnContextMenu(hwnd, wParam, lParam);
        case WM_KEYDOWN:
            if (OnKeyDown(hwnd, wParam, lParam)) return 0;
            break;
        case WM_CLOSE: return OnClose(hwnd);
        case WM_SYSCOMMAND:
            if (OnSysCommand(hwnd, wParam)) return 0;
            break;
        case WM_SHOWWINDOW: OnShowWindow(hwnd, wParam); break;
        case WM_ACTIVATEAPP:
            if (!wParam) triggers::ForceResetInputTracking(L"WM_ACTIVATEAPP(FALSE)");
            break;
        case WM_CANCELMODE: triggers::ForceResetInputTracking(L"WM_CANCELMODE"); break;
        case WM_SETTINGCHANGE: OnSettingChange(hwnd, lParam); break;
        case WM_MOVE: OnMove(hwnd); break;
        case WM_SIZE: return OnSize(hwnd);
        case WM_DISPLAYCHANGE: OnDisplayChange(hwnd); break;
        case WM_DPICHANGED: return OnDpiChanged(hwnd, reinterpret_cast<const RECT*>(lParam));
        case WM_ENTERSIZEMOVE: OnEnterSizeMove(hwnd); break;
        case WM_EXITSIZEMOVE: OnExitSizeMoveLoop(hwnd); break;
        case WM_MOVING:
            if (OnMoving(hwnd, reinterpret_cast<RECT*>(lParam))) return TRUE;
            break;
        case WM_ENTERIDLE:
            if (wParam == MSGF_DIALOGBOX) OnMenuIdle();
            break;
        case WM_INPUT:
            triggers::OnRawInput(hwnd, lParam);
            // Input that arrived in the foreground is cleaned up by the default procedure.
            if (GET_RAWINPUT_CODE_WPARAM(wParam) == RIM_INPUT)
                DefWindowProcW(hwnd, message, wParam, lParam);
            return 0;
        default:
            if (OnRegisteredMessage(hwnd, message, result)) return result;
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool WindowExists() { return PaletteExists(); }
bool Minimised() { return PaletteExists() && IsIconic(Palette().window); }
bool ShownAtCursor() { return Palette().shownAtCursor; }
bool InSizeMove() { return Palette().drag.inSizeMove; }
bool WindowRectForConfig(config::ScreenRect& out) {
    RECT rect{};
    if (!PaletteExists() || !GetWindowRect(Palette().window, &rect)) return false;
    out = {rect.left, rect.top, rect.right, rect.bottom};
    return true;
}

}  // namespace

PaletteState& Palette() {
    static PaletteState state;
    return state;
}

config::PaletteStateSource PaletteStateForConfig() {
    return {WindowExists, Minimised, ShownAtCursor, InSizeMove, WindowRectForConfig};
}

HWND PaletteWindow() { return Palette().window; }

HWND CreatePaletteWindow(HINSTANCE instance, const WindowRect& rect, const PaletteHost& host) {
    Palette().host = host;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = PaletteProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadSizedIcon(instance, IDI_LUMETRA_APP, 32);
    wc.hIconSm = LoadSizedIcon(instance, IDI_LUMETRA_APP, 16);
    wc.hbrBackground = CreateSolidBrush(ColoursFor(DarkMode()).background);
    wc.lpszClassName = protocol::kPaletteClassName;
    RegisterClassExW(&wc);

    return CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES | WS_EX_TOPMOST,
                           protocol::kPaletteClassName, protocol::kPaletteTitle,
                           WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME, rect.x, rect.y,
                           rect.width, rect.height, nullptr, nullptr, instance, nullptr);
}

}  // namespace lumetra::palette
