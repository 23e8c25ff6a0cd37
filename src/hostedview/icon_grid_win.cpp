// Icon metrics and the small-icon grid: the view window placed in the
// palette, the list view's spacing for each view mode, and in small icons a
// row-major grid whose cell fits the widest label.
#include "hostedview/icon_grid_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/settings.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/icon_grid_rules.h"
#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"
#include "hostedview/view_sweep_win.h"
#include "log/debug_log.h"
#include "protocol/messages.h"

namespace lumetra::hostedview {
namespace {

constexpr UINT kSettleMs = 220;
constexpr LONG kAutoArrange = LVS_AUTOARRANGE;
constexpr UINT kResizeFlags = SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER;

// The layout's own state; the icon grid is its only owner.
struct IconGridState {
    LabelWidthCache labels;
    bool layoutDeferred = false;  // waits for the cursor to leave the list
    std::uint32_t deferStartTick = 0;
    bool geometryValid = false;  // false: the next reflow places the view window
    ViewPlacement geometry;
    int lastItemsPerRow = -1;  // -1 at the start of each drag
    int shellCommitWaits = 0;
};

IconGridState& Grid() {
    static IconGridState state;
    return state;
}

// The shell sets LVS_NOSCROLL on a list it is still filling.
void ClearNoScroll(HWND list) {
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    if (style & LVS_NOSCROLL) SetWindowLongPtrW(list, GWL_STYLE, style & ~LVS_NOSCROLL);
}

int ListCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

int ImageListWidth(HWND list, int which) {
    auto images = reinterpret_cast<HIMAGELIST>(
        SendMessageW(list, LVM_GETIMAGELIST, static_cast<WPARAM>(which), 0));
    int cx = 0, cy = 0;
    return images && ImageList_GetIconSize(images, &cx, &cy) ? cx : 0;
}

int MeasureWidestLabel(HWND list, HFONT font) {
    const std::vector<std::wstring> names = ViewItemNames();
    HDC dc = GetDC(list);
    if (!dc) return 0;
    HGDIOBJ before = font ? SelectObject(dc, font) : nullptr;
    int widest = 0;
    for (const std::wstring& name : names) {
        SIZE size{};
        if (GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &size))
            widest = std::max(widest, static_cast<int>(size.cx));
    }
    if (before) SelectObject(dc, before);
    ReleaseDC(list, dc);
    return widest;
}

// Measured once per refresh cycle, item count, DPI and font.
int WidestLabel(HWND list, int itemCount) {
    if (itemCount <= 0) return 0;
    auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    const LabelWidthKey key{static_cast<std::uint32_t>(Refresh().cycle), itemCount,
                            GetDpiForWindow(list), reinterpret_cast<std::uintptr_t>(font)};
    LabelWidthCache& cache = Grid().labels;
    if (!LabelWidthCached(cache, key)) cache = {true, key, MeasureWidestLabel(list, font)};
    return cache.widthPx;
}

int ClientWidth(HWND window) {
    RECT client{};
    return GetClientRect(window, &client) ? client.right : 0;
}

void LogPositions(HWND list) {
    std::vector<ItemPosition> positions;
    const int count = std::min(ListCount(list), static_cast<int>(kMaxLoggedPositions));
    for (int i = 0; i < count; ++i) {
        POINT at{};
        if (!SendMessageW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&at)))
            break;
        positions.push_back({at.x, at.y});
    }
    log::DebugLogWrite(FormatPositionLog(positions).c_str());
}

// The spacing of the large, medium and extra-large icons.
void ApplyFixedSpacing(HWND list, unsigned dpi) {
    const auto previous = static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0));
    const IconSpacing spacing = FixedIconSpacing(config::Cfg().viewMode);
    log::DebugLogFormat(
        L"ApplyShellListViewIconMetrics(nonSmall): view=%d dpi=%u prevCx=%d prevCy=%d newCx=%d "
        L"newCy=%d",
        static_cast<int>(config::Cfg().viewMode), dpi, LOWORD(previous), HIWORD(previous),
        spacing.cx, spacing.cy);
    SendMessageW(list, LVM_SETICONSPACING, 0, MAKELPARAM(spacing.cx, spacing.cy));
}

// The cursor over the list may hold a tooltip: the layout waits for it to
// leave (or 900 ms at most). True when the layout goes ahead now.
bool PassesTooltipWait(bool forced) {
    IconGridState& grid = Grid();
    const bool overList = IsCursorOverList();
    const std::uint32_t now = GetTickCount();
    switch (DecideTooltipWait(now, grid.deferStartTick, forced, HostDragging(), overList)) {
        case TooltipWait::LayOut: return true;
        case TooltipWait::Defer:
            grid.layoutDeferred = true;
            log::DebugLogFormat(
                L"ApplyShellListViewIconMetrics: skip (deferred for tooltip) "
                L"deferredMs=%lu",
                static_cast<unsigned long>(now - grid.deferStartTick));
            ArmHostTimer(protocol::kSmallIconSettleTimerId, kSettleMs);
            return false;
        case TooltipWait::ForceAfterMaxDefer:
            log::DebugLogWrite(
                L"ApplyShellListViewIconMetrics: max defer exceeded, forcing layout despite cursor "
                L"over list");
            return true;
    }
    return true;
}

// The grid waits for the shell to show small icons, but not for a shell that
// never says.
bool PassesShellCommitWait() {
    switch (DecideShellCommitWait(ShellShowsSmallIcons(), Grid().shellCommitWaits)) {
        case ShellCommitWait::LayOut:
        case ShellCommitWait::LayOutUnconfirmed: return true;
        case ShellCommitWait::Wait:
            log::DebugLogWrite(
                L"ApplyShellListViewIconMetrics: skip (shell not yet committed to SmallIcons)");
            ArmHostTimer(protocol::kSmallIconSettleTimerId, kSettleMs);
            return false;
        case ShellCommitWait::GiveUp:
            log::DebugLogFormat(
                L"ApplyShellListViewIconMetrics: the shell never reported small "
                L"icons after %d tries; laying out without it",
                kMaxShellCommitWaits);
            return true;
    }
    return true;
}

void SizeChild(HWND window, const ViewPlacement& placement) {
    SetWindowPos(window, nullptr, 0, 0, placement.width, placement.height,
                 kResizeFlags | SWP_NOMOVE);
}

// Resized to the size it already had, a window does not lay out again: ask it to.
void SizeChildAndRelayout(HWND window, const ViewPlacement& placement) {
    RECT client{};
    const bool same = GetClientRect(window, &client) && client.right == placement.width &&
                      client.bottom == placement.height;
    SizeChild(window, placement);
    if (same)
        PostMessageW(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(placement.width, placement.height));
}

// While dragging, the grid is rebuilt only when the items per row change.
void ReflowGridWhileDragging(HWND list) {
    if (!SmallIconsConfigured() || ListViewEditing() || IsViewGrouped() || ListCount(list) <= 0)
        return;
    const int cx = CalcSmallIconWidth(list);
    const int usable = ClientWidth(list);
    const int perRow = ItemsPerRow(usable, cx);
    IconGridState& grid = Grid();
    if (grid.lastItemsPerRow < 0) {
        grid.lastItemsPerRow = perRow;
        return;
    }
    if (perRow == grid.lastItemsPerRow) return;
    log::DebugLogFormat(L"SmallIconSizeMoveReflow: perRow %d -> %d usableWidth=%d cx=%d",
                        grid.lastItemsPerRow, perRow, usable, cx);
    grid.lastItemsPerRow = perRow;
    ManualGridArrangeSmallIcons(list, cx);
    InvalidateRect(list, nullptr, TRUE);
}

void MoveViewWindow(HWND palette, HWND viewWindow, const ViewPlacement& placement, bool bandMoved) {
    SetWindowPos(viewWindow, nullptr, 1, placement.y, placement.width, placement.height,
                 kResizeFlags);
    HWND list = FindHostedListView();
    if (HostDragging()) {
        // The view window already has this size from the move above.
        if (list && placement.width > 0 && placement.height > 0) SizeChild(list, placement);
        if (list) ReflowGridWhileDragging(list);
        return;
    }
    SizeChildAndRelayout(viewWindow, placement);
    if (list) SizeChildAndRelayout(list, placement);
    constexpr UINT kRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    if (!bandMoved) {
        RedrawWindow(viewWindow, nullptr, nullptr, kRedraw);
        return;
    }
    RECT client{};
    GetClientRect(palette, &client);
    const RECT inside{1, 1, client.right - 1, client.bottom - 1};
    RedrawWindow(palette, &inside, nullptr, kRedraw);
}

}  // namespace

UINT GetLayoutDpi(HWND window) {
    if (const UINT override = MonitorDpiOverride(); override > 0) return override;
    for (HWND candidate : {window, View().host, View().viewWindow})
        if (candidate && IsWindow(candidate))
            if (const UINT dpi = GetDpiForWindow(candidate); dpi > 0) return dpi;
    if (HDC screen = GetDC(nullptr)) {
        const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        if (dpi > 0) return static_cast<UINT>(dpi);
    }
    return kBaseDpi;
}

bool IsCursorOverList() {
    HWND list = FindHostedListView();
    RECT rect{};
    POINT cursor{};
    return list && IsWindowVisible(list) && GetWindowRect(list, &rect) && GetCursorPos(&cursor) &&
           PtInRect(&rect, cursor);
}

int CalcSmallIconWidth(HWND list) {
    const UINT dpi = GetLayoutDpi(list);
    const int count = ListCount(list);
    const SmallIconCell cell =
        SmallIconCellParts(dpi, ImageListWidth(list, LVSIL_SMALL),
                           ImageListWidth(list, LVSIL_STATE), WidestLabel(list, count));
    const int cx = SmallIconCellWidth(cell);
    log::DebugLogFormat(
        L"CalcSmallIconWidth: dpi=%u itemCount=%d iconPx=%d statePx=%d gapPx=%d "
        L"labelPx=%d padPx=%d cx=%d",
        dpi, count, cell.iconPx, cell.statePx, cell.gapPx, cell.labelPx, cell.padPx, cx);
    return cx;
}

void ManualGridArrangeSmallIcons(HWND list, int cx) {
    const int count = ListCount(list);
    if (count <= 0 || cx <= 0) return;
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    const bool hadAutoArrange = (style & kAutoArrange) != 0;
    // The shell's own arrangement would undo the grid at once.
    if (hadAutoArrange) SetWindowLongW(list, GWL_STYLE, style & ~kAutoArrange);
    log::DebugLogFormat(L"ManualGridArrangeSmallIcons: styleBefore=0x%08X hadAutoArrange=%d",
                        static_cast<unsigned>(style), hadAutoArrange);

    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    int cy = 0;
    if (SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds)))
        cy = bounds.bottom - bounds.top;
    if (cy <= 0) cy = ScaleForDpi(kFallbackItemHeight, GetLayoutDpi(list));
    const int usable = ClientWidth(list);
    const int perRow = ItemsPerRow(usable, cx);
    for (int i = 0; i < count; ++i) {
        const GridPosition at = SmallIconGridPosition(i, cx, cy, perRow);
        POINT point{at.x, at.y};
        SendMessageW(list, LVM_SETITEMPOSITION32, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&point));
    }
    log::DebugLogFormat(
        L"ManualGridArrangeSmallIcons: itemCount=%d cx=%d cy=%d itemsPerRow=%d usableWidth=%d",
        count, cx, cy, perRow, usable > 0 ? usable : cx);
}

void SmallIconArrange(HWND list, bool keepRedrawOff) {
    if (ListViewEditing()) return;
    Grid().layoutDeferred = false;
    if (SmallIconsConfigured() && IsViewGrouped()) {
        // The shell lays out its groups itself.
        if (!keepRedrawOff) RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        return;
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ManualGridArrangeSmallIcons(list, CalcSmallIconWidth(list));
    SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);  // back to the top
    LogPositions(list);
    if (keepRedrawOff) {
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        return;
    }
    // Over the list, a full repaint now would drop a tooltip.
    const bool gentle = !HostDragging() && IsCursorOverList();
    RedrawWindow(list, nullptr, nullptr,
                 gentle ? RDW_INVALIDATE | RDW_ALLCHILDREN
                        : RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void ApplyShellListViewIconMetrics(HWND list, bool forced) {
    if (!list) return;
    const UINT dpi = GetLayoutDpi(list);
    if (!SmallIconsConfigured()) {
        ApplyFixedSpacing(list, dpi);
        return;
    }
    if (ListCount(list) <= 0) {
        log::DebugLogWrite(L"ApplyShellListViewIconMetrics: skip (list not populated yet)");
        return;
    }
    if (!PassesTooltipWait(forced) || !PassesShellCommitWait()) return;
    Grid().layoutDeferred = false;
    const int cx = CalcSmallIconWidth(list);
    const int cy = ScaleForDpi(kSmallIconCellHeight, dpi);
    const IconSpacing spacing = SmallIconSpacing(cx, dpi);
    SendMessageW(list, LVM_SETICONSPACING, 0, MAKELPARAM(spacing.cx, spacing.cy));
    const auto effective = static_cast<DWORD>(SendMessageW(list, LVM_GETITEMSPACING, FALSE, 0));
    log::DebugLogFormat(
        L"ApplyShellListViewIconMetrics(small): dpi=%u wantCx=%d wantCy=%d "
        L"setCx=%d setCy=%d effectiveCx=%d effectiveCy=%d",
        dpi, cx, cy, spacing.cx, spacing.cy, LOWORD(effective), HIWORD(effective));
    FitListColumnWidth(list);
    SmallIconArrange(list, false);
}

void SmallIconRelayout(HWND list) {
    if (!SmallIconsConfigured() || !list) return;
    if (ListCount(list) > 0)
        ApplyShellListViewIconMetrics(list, false);
    else if (!IsViewGrouped())
        SmallIconArrange(list, false);
}

void SmallIconLayoutIfReady() {
    HWND list = FindHostedListView();
    if (!list || !SmallIconsConfigured() || ListViewEditing() || HostDragging() ||
        IsViewGrouped() || ListCount(list) <= 0)
        return;
    ApplyShellListViewIconMetrics(list, true);
}

bool SmallIconLayoutDeferred() { return Grid().layoutDeferred; }

void RunSmallIconLayoutSettle() {
    StopHostTimer(protocol::kSmallIconSettleTimerId);
    if (!HostVisible()) {
        log::DebugLogWrite(L"RunSmallIconLayoutSettle: skip (host not visible)");
        return;
    }
    if (!SmallIconsConfigured()) return;
    if (HostDragging()) {
        log::DebugLogWrite(L"RunSmallIconLayoutSettle: skip (in size/move)");
        return;
    }
    if (RefreshRunning()) {
        log::DebugLogWrite(L"RunSmallIconLayoutSettle: reschedule (filterSettling)");
        ArmHostTimer(protocol::kSmallIconSettleTimerId, kSettleMs);
        return;
    }
    HWND list = FindHostedListView();
    if (!list || ListCount(list) <= 0) {
        log::DebugLogWrite(L"RunSmallIconLayoutSettle: reschedule (list not populated)");
        ArmHostTimer(protocol::kSmallIconSettleTimerId, kSettleMs);
        return;
    }
    log::DebugLogWrite(L"RunSmallIconLayoutSettle: reconciling");
    SmallIconRelayout(list);
}

void FinalizeHostedDesktopItemsLayout() {
    if (HostDragging() || ListViewEditing()) return;
    SmallIconSizeMoveReflow();
    HWND list = FindHostedListView();
    if (!list) return;
    const bool grouped = IsViewGrouped();
    if (SmallIconsConfigured()) {
        SmallIconRelayout(list);
        if (!grouped)
            SmallIconArrange(list, ViewFrozen());
        else if (!ViewFrozen())
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

void SmallIconSizeMoveReflow() {
    HWND palette = View().host;
    if (!palette || !IsWindow(palette) || ListViewEditing() || HostMenuOpen()) return;
    RECT client{};
    GetClientRect(palette, &client);
    if (HasViewWindow()) {
        const ViewPlacement placement =
            PlaceViewWindow(client.right, client.bottom, IsViewGrouped());
        IconGridState& grid = Grid();
        if (!grid.geometryValid || !(placement == grid.geometry)) {
            const bool bandMoved = grid.geometryValid && placement.band != grid.geometry.band;
            MoveViewWindow(palette, View().viewWindow, placement, bandMoved);
            grid.geometry = placement;
            grid.geometryValid = true;
            if (HostDarkMode())
                if (HWND list = FindHostedListView()) HostApplyDarkScrollBars(list);
        }
    }
    if (HostCoverShown()) HostPositionCover();
    HostPlaceCloseButton();
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

void InvalidateAppliedViewGeometry() { Grid().geometryValid = false; }
void ResetItemsPerRow() { Grid().lastItemsPerRow = -1; }

void OnHostDpiChanged() {
    if (!HostVisible()) return;
    SmallIconSizeMoveReflow();
    HostApplyListViewTheme();
    if (View().shellView) ApplyShellViewModeIfNeeded();
    if (!SmallIconsConfigured()) return;
    SmallIconRelayout(FindHostedListView());
    ArmHostTimer(protocol::kSmallIconSettleTimerId, kSettleMs);
}

}  // namespace lumetra::hostedview
