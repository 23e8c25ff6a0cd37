// The overlay cover window: for now a window that exists and is hidden.
#include "palette/overlay_win.h"

#include "palette/palette_state_win.h"

namespace lumetra::palette {
namespace {
constexpr const wchar_t* kOverlayClassName = L"Lumetra.Overlay";

LRESULT CALLBACK OverlayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

OverlayCover& Overlay() {
    static OverlayCover overlay;
    return overlay;
}

HWND CreateOverlayCover(HWND palette, HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = OverlayProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kOverlayClassName;
    RegisterClassExW(&wc);
    HWND overlay = CreateWindowExW(
        WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kOverlayClassName, L"",
        WS_POPUP, 0, 0, 0, 0, palette, nullptr, instance, nullptr);
    if (overlay && (GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_LAYERED))
        SetLayeredWindowAttributes(overlay, 0, 255, LWA_ALPHA);
    Overlay().window = overlay;
    return overlay;
}

void ShowOverlayCover() {}
void HideOverlayCover() {}
void HideOverlayCoverImmediate() {
    if (Overlay().window && IsWindowVisible(Overlay().window))
        ShowWindow(Overlay().window, SW_HIDE);
}
void StartOverlayFade(int, const wchar_t*) {}
void HideOverlayCoverAfterReveal() {}
void StopOverlayFade() {}
void PositionOverlayCover() {}
bool OverlayCoverShown() { return Overlay().window && IsWindowVisible(Overlay().window); }
bool OverlayCoverRecentlyShown() { return false; }
void CoverMinTimeTick() {}
void OverlayFadeTick() {}
void OverlayWatchdogTick() {}

void RaiseHideNotBefore(std::uint32_t ms) {
    const std::uint32_t until = GetTickCount() + ms;
    OverlayCover& o = Overlay();
    if (o.hideNotBefore == 0 || static_cast<std::int32_t>(until - o.hideNotBefore) > 0)
        o.hideNotBefore = until;
}

}  // namespace lumetra::palette
