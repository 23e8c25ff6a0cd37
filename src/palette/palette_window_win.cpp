// The palette window: class, creation and the message dispatch.
#include "palette/palette_window_win.h"

#include <windows.h>

#include "app/app_state_win.h"
#include "app/resource_ids.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "log/debug_log.h"
#include "palette/palette_messages.h"

namespace lumetra::palette {
namespace {

constexpr COLORREF kLightBackground = 0xFFFFFF;

HICON LoadSizedIcon(HINSTANCE instance, int id, int size) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// A second launch makes this instance pick up edits made to config.ini.
void ReloadConfigAndMove(HWND hwnd) {
    config::LoadConfig();
    const config::Settings& s = config::Cfg();
    SetWindowPos(hwnd, nullptr, s.x, s.y, s.w, s.h, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
}

void OnToggleRequest(HWND hwnd, WPARAM source) {
    log::DebugLogFormat(L"WM_APP+99 received. source=%llu", static_cast<unsigned long long>(source));
    if (source == static_cast<WPARAM>(ToggleSource::kSecondInstance)) ReloadConfigAndMove(hwnd);
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case kCmdExit: DestroyWindow(hwnd); break;
        default: break;
    }
    return 0;
}

LRESULT OnDestroy() {
    config::SaveConfig();
    app::App().singleInstanceMutex.reset();
    app::App().palette = nullptr;
    PostQuitMessage(0);
    return 0;
}

// The session may end without destroying the palette: save now.
LRESULT OnEndSession(WPARAM ending) {
    if (ending) config::SaveConfig();
    return 0;
}

LRESULT OnClose(HWND hwnd) {
    log::DebugLogWrite(L"WM_CLOSE -> hide");
    ShowWindow(hwnd, SW_HIDE);
    return 0;
}

LRESULT CALLBACK PaletteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: app::App().palette = hwnd; return 0;
        case WMAPP_TOGGLE: OnToggleRequest(hwnd, wParam); return 0;
        case WM_COMMAND: return OnCommand(hwnd, wParam);
        case WM_CLOSE: return OnClose(hwnd);
        case WM_DESTROY: return OnDestroy();
        case WM_ENDSESSION: return OnEndSession(wParam);
        default: break;
    }
    if (app::IsToggleMessage(message)) return 0;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool PaletteWindowExists() { return IsWindow(app::App().palette) != FALSE; }
bool PaletteMinimised() { return PaletteWindowExists() && IsIconic(app::App().palette); }
// Until placement tracks them, the palette is never shown at the cursor and
// never inside a move loop when the configuration is saved.
bool PaletteShownAtCursor() { return false; }
bool PaletteInSizeMove() { return false; }
bool PaletteWindowRect(config::ScreenRect& out) {
    RECT rect{};
    if (!PaletteWindowExists() || !GetWindowRect(app::App().palette, &rect)) return false;
    out = {rect.left, rect.top, rect.right, rect.bottom};
    return true;
}

}  // namespace

config::PaletteStateSource PaletteStateForConfig() {
    return {PaletteWindowExists, PaletteMinimised, PaletteShownAtCursor, PaletteInSizeMove,
            PaletteWindowRect};
}

HWND CreatePaletteWindow(HINSTANCE instance, const WindowRect& rect) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = PaletteProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadSizedIcon(instance, IDI_LUMETRA_APP, 32);
    wc.hIconSm = LoadSizedIcon(instance, IDI_LUMETRA_APP, 16);
    wc.hbrBackground = CreateSolidBrush(kLightBackground);
    wc.lpszClassName = kPaletteClassName;
    RegisterClassExW(&wc);

    return CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES | WS_EX_TOPMOST, kPaletteClassName,
                           kPaletteTitle, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME,
                           rect.x, rect.y, rect.width, rect.height, nullptr, nullptr, instance,
                           nullptr);
}

}  // namespace lumetra::palette
