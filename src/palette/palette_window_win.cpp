// The palette window: class, creation and the message dispatch.
#include "palette/palette_window_win.h"

#include <windows.h>

#include "app/app_state_win.h"
#include "app/resource_ids.h"
#include "log/debug_log.h"
#include "palette/palette_messages.h"

namespace lumetra::palette {
namespace {

constexpr COLORREF kLightBackground = 0xFFFFFF;

HICON LoadSizedIcon(HINSTANCE instance, int id, int size) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void OnToggleRequest(WPARAM source) {
    log::DebugLogFormat(L"WM_APP+99 received. source=%llu", static_cast<unsigned long long>(source));
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case kCmdExit: DestroyWindow(hwnd); break;
        default: break;
    }
    return 0;
}

LRESULT OnDestroy() {
    app::App().singleInstanceMutex.reset();
    app::App().palette = nullptr;
    PostQuitMessage(0);
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
        case WMAPP_TOGGLE: OnToggleRequest(wParam); return 0;
        case WM_COMMAND: return OnCommand(hwnd, wParam);
        case WM_CLOSE: return OnClose(hwnd);
        case WM_DESTROY: return OnDestroy();
        default: break;
    }
    if (app::IsToggleMessage(message)) return 0;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

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
