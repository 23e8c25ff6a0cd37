#include "hostedview/icon_grid_win.h"

#include <commctrl.h>

#include "config/settings.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"
#include "log/debug_log.h"

namespace lumetra::hostedview {
namespace {

// The shell sets LVS_NOSCROLL on a list it is still filling.
void ClearNoScroll(HWND list) {
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    if (style & LVS_NOSCROLL) SetWindowLongPtrW(list, GWL_STYLE, style & ~LVS_NOSCROLL);
}

}  // namespace

void FinalizeHostedDesktopItemsLayout() {
    if (HostDragging() || ListViewEditing()) return;
    SmallIconSizeMoveReflow();
    HWND list = FindHostedListView();
    if (!list) return;
    const bool grouped = IsViewGrouped();
    if (SmallIconsConfigured()) {
        // The grid of the small-icon layout is not built yet; the shell's holds.
        SmallIconRelayout(list);
        if (grouped && !ViewFrozen())
            RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        return;
    }
    const auto spacing = static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0));
    log::DebugLogFormat(
        L"FinalizeHostedDesktopItemsLayout: view=%d grouped=%d willArrange=%d spacingCx=%d "
        L"spacingCy=%d",
        static_cast<int>(config::Cfg().viewMode), grouped, !grouped, LOWORD(spacing),
        HIWORD(spacing));
    if (!grouped) SendMessageW(list, LVM_ARRANGE, LVA_SNAPTOGRID, 0);
    if (!ViewFrozen()) ShowViewWindow();
}

void RestoreHostedShellScrollBars() {
    HWND list = FindHostedListView();
    if (!list) {
        log::DebugLogWrite(L"RestoreHostedShellScrollBars: skip (no list view)");
        return;
    }
    ClearNoScroll(list);
    if (SmallIconsConfigured()) return;
    log::DebugLogFormat(L"RestoreHostedShellScrollBars: view=%d grouped=%d willNudge=1",
                        static_cast<int>(config::Cfg().viewMode), IsViewGrouped());
    // Both recompute their frames, and with them whether a scroll bar is due.
    constexpr UINT kNudge =
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    SetWindowPos(list, nullptr, 0, 0, 0, 0, kNudge);
    if (HasViewWindow()) SetWindowPos(View().viewWindow, nullptr, 0, 0, 0, 0, kNudge);
}

void HostedScrollBarReveal() {
    if (HostDragging() || ListViewEditing() || HostMenuOpen()) return;
    HWND list = FindHostedListView();
    if (!list) return;
    ClearNoScroll(list);
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE;
    const bool read = GetScrollInfo(list, SB_VERT, &info) != 0;
    const int span = read ? info.nMax - info.nMin + 1 : 0;
    const UINT page = read ? info.nPage : 0;
    // Ends the busy time even when the bar cannot be read.
    Refresh().scrollBarsRevealed = true;
    const bool needs = read && page != 0 && static_cast<int>(page) < span;
    if (needs) ShowScrollBar(list, SB_VERT, TRUE);
    log::DebugLogFormat(L"HostedScrollBarReveal: needs=%d span=%d page=%u view=%d", needs, span,
                        page, static_cast<int>(config::Cfg().viewMode));
}

void ApplyShellListViewIconMetrics(HWND, bool) {}
void InvalidateAppliedViewGeometry() {}
void ResetItemsPerRow() {}
void SmallIconSizeMoveReflow() {}
void SmallIconRelayout(HWND) {}
int CalcSmallIconWidth(HWND listView) {
    RECT client{};
    return GetClientRect(listView, &client) ? client.right : 0;
}
void SmallIconLayoutIfReady() {}
bool SmallIconLayoutDeferred() { return false; }
void OnHostDpiChanged() {}
void RunSmallIconLayoutSettle() {}

}  // namespace lumetra::hostedview
