// The close button window and the palette's 100 ms housekeeping; the
// button's drawing and hover band arrive with the close-button work.
#include "palette/close_button_win.h"

#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"
#include "palette/overlay_win.h"
#include "palette/palette_state_win.h"

namespace lumetra::palette {
namespace {
constexpr const wchar_t* kCloseButtonClassName = L"Lumetra.CloseBtn";
HWND gCloseButton = nullptr;

LRESULT CALLBACK CloseButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

HWND CreateCloseButton(HWND palette, HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CloseButtonProc;
    wc.hInstance = instance;
    wc.lpszClassName = kCloseButtonClassName;
    RegisterClassExW(&wc);
    gCloseButton =
        CreateWindowExW(WS_EX_TOPMOST, kCloseButtonClassName, L"", WS_POPUP | WS_CLIPSIBLINGS, 0, 0,
                        0, 0, palette, nullptr, instance, nullptr);
    return gCloseButton;
}

void HideCloseButton() {
    if (gCloseButton && IsWindowVisible(gCloseButton)) ShowWindow(gCloseButton, SW_HIDE);
}

void MoveCloseButtonAlong() {}
void HousekeepingTick() {
    if (!PaletteExists()) return;
    hostedview::ScrubWatchdogTick();
    hostedview::RevealWatchdogTick();
    OverlayWatchdogTick();
    hostedview::ListOrDetailsGuard();
}

}  // namespace lumetra::palette
