// Entry points of the hosted view's work, empty until the view exists.
#include "hostedview/view_work_win.h"

#include "config/settings.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/view_subclass_win.h"
#include "palette/overlay_win.h"
#include "palette/palette_messages.h"

namespace lumetra::hostedview {
namespace {
bool gPendingWhileHidden = false;
unsigned long gRefreshCycle = 0;
std::uint32_t gRefreshTick = 0;
}  // namespace

void MonitorPrefsApply() {}
void MonitorViewCross(HWND, HMONITOR) {}
void OnUserPickedSortMode(int) {}
void FlushPendingSortSync() {}
void ShellCommandSortTick() {}
// Without a view, the configured grouping decides.
bool IsViewGrouped() { return config::Cfg().groupBy; }

void InvalidateAppliedViewGeometry() {}
void ResetItemsPerRow() {}
void SmallIconSizeMoveReflow() {}
void RestoreHostedShellScrollBars() {}
void SmallIconLayoutIfReady() {}
void OnHostDpiChanged() {}
void RunSmallIconLayoutSettle() {}

void ForceConfiguredViewMode() {}

void ArmRevealSweep() {}
void NoteForbiddenItemSeen() {}

void PrepareShellViewCover() {}

// Until the refresh cycle settles the view on its own, reveal it at once.
void SyncShellFinish(HWND palette) {
    if (!palette || !IsWindow(palette) || !View().shellView) return;
    ShowViewWindow();
}

void ShowViewWindow() {
    if (!HasViewWindow()) return;
    SendMessageW(View().viewWindow, WM_SETREDRAW, TRUE, 0);
    if (HWND listView = FindHostedListView()) SendMessageW(listView, WM_SETREDRAW, TRUE, 0);
    ShowWindow(View().viewWindow, SW_SHOW);
}

void ClearDragDeferredRefresh() {}

unsigned long BeginRefreshCycle(std::uint32_t tick) {
    gRefreshTick = tick;
    return ++gRefreshCycle;
}

LRESULT OnShellChange(WPARAM, LPARAM) { return 0; }
void RefreshLikeMenu(HWND, bool) {}
void RefreshExplorerBrowser(bool) {}
void RefreshDesktopItems() {}
bool RefreshRunning() { return false; }
bool PendingWhileHidden() { return gPendingWhileHidden; }
void SetPendingWhileHidden(bool pending) { gPendingWhileHidden = pending; }
void ClearViewTransitions() {}

void ApplyViewTick(HWND) { FollowHostedListView(); }
void ShellChangeDebounceTick(HWND) {}
void RevealSweepTick(HWND) {}
void RestoreViewModeTimer(HWND) {}
void ViewReapplyTick(HWND) {}

bool DispatchViewTimer(HWND palette, std::uintptr_t id) {
    using namespace lumetra::palette;
    switch (id) {
        case kApplyViewTimerId:
            ApplyViewTick(palette);
            return true;
        case kShellChangeDebounceTimerId:
            ShellChangeDebounceTick(palette);
            return true;
        case kCoverMinTimeTimerId:
            CoverMinTimeTick();
            return true;
        case kRevealSweepTimerId:
            RevealSweepTick(palette);
            return true;
        case kRestoreViewModeTimerId:
            RestoreViewModeTimer(palette);
            return true;
        case kOverlayFadeTimerId:
            OverlayFadeTick();
            return true;
        case kSmallIconSettleTimerId:
            RunSmallIconLayoutSettle();
            return true;
        case kViewReapplyTimerId:
            ViewReapplyTick(palette);
            return true;
        case kShellCommandSortTimerId:
            ShellCommandSortTick();
            return true;
        default:
            return false;
    }
}

}  // namespace lumetra::hostedview
