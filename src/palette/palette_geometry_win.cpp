// Moving, sizing, display and DPI changes, and system setting changes.
#include <windows.h>

#include "config/monitor_win.h"
#include "config/settings.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"
#include "palette/appearance_win.h"
#include "palette/close_button_win.h"
#include "palette/monitor_placement_win.h"
#include "palette/overlay_win.h"
#include "palette/palette_handlers_win.h"
#include "palette/palette_state_win.h"
#include "palette/placement.h"
#include "platform/monitors_win.h"
#include "protocol/messages.h"

namespace lumetra::palette {

void OnMove(HWND hwnd) {
    MoveCloseButtonAlong();
    if (Overlay().window && IsWindowVisible(Overlay().window)) PositionOverlayCover();
    if (!IsWindowVisible(hwnd)) return;
    const bool dragging = Palette().drag.inSizeMove;
    HMONITOR monitor = dragging ? config::PaletteMonitor()
                                : platform::MonitorOfWindow(hwnd, MONITOR_DEFAULTTONEAREST);
    if (monitor && (dragging || monitor != config::CurrentMonitor()))
        MonitorChangeFilter(hwnd, monitor);
}

LRESULT OnSize(HWND hwnd) {
    hostedview::SmallIconSizeMoveReflow();
    if (config::Cfg().viewMode == config::ViewMode::Small && !Palette().drag.inSizeMove)
        SetTimer(hwnd, protocol::kSmallIconSettleTimerId, 220, nullptr);
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

// A display change may leave the palette off the work area: clamp it back.
void OnDisplayChange(HWND hwnd) {
    if (!IsWindowVisible(hwnd)) return;
    RECT window;
    MONITORINFOEXW info{};
    if (!GetWindowRect(hwnd, &window) ||
        !platform::ReadMonitorInfo(platform::MonitorOfWindow(hwnd, MONITOR_DEFAULTTONEAREST), info))
        return;
    const int w = window.right - window.left, h = window.bottom - window.top;
    const RECT& work = info.rcWork;
    int x = window.left, y = window.top;
    if (work.right - work.left >= w) x = ClampAxis(x, w, work.left, work.right);
    if (work.bottom - work.top >= h) y = ClampAxis(y, h, work.top, work.bottom);
    if (x != window.left || y != window.top)
        SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT OnDpiChanged(HWND hwnd, const RECT* suggested) {
    if (!IsWindowVisible(hwnd) || !suggested) return 0;
    SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
    config::SetCurrentMonitor(platform::MonitorOfWindow(hwnd, MONITOR_DEFAULTTONEAREST));
    if (!Palette().drag.inSizeMove) hostedview::OnHostDpiChanged();
    return 0;
}

void OnSettingChange(HWND hwnd, LPARAM lParam) {
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    if (!area) return;
    if (lstrcmpiW(area, L"ImmersiveColorSet") == 0) {
        ApplyAppMode(hwnd);
        if (config::Cfg().displayMode == config::DisplayMode::FollowSystem) ApplyTheme(hwnd);
    } else if (lstrcmpW(area, L"ShellState") == 0) {
        hostedview::OnShellStateChanged();
    }
}

void OnExitSizeMoveLoop(HWND hwnd) {
    OnExitSizeMove(hwnd);
    QueueMenuResync(hwnd);
    hostedview::ClearMonitorDpiOverride();
    hostedview::ForcePendingReveal();
    InvalidateRect(hwnd, nullptr, TRUE);
}

void OnMenuIdle() {
    Overlay().hideNotBefore = 0;
    HideOverlayCoverImmediate();
    HideCloseButton();
    DarkenOpenMenus();
}

}  // namespace lumetra::palette
