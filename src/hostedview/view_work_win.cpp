// Entry points of the hosted view's work, empty until the view exists.
#include "hostedview/view_work_win.h"

#include "config/settings.h"
#include "palette/overlay_win.h"
#include "palette/palette_messages.h"

namespace lumetra::hostedview {
namespace {
bool gPendingWhileHidden = false;
}

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

void DesktopItemsRecheck() {}
void PostFilterSweep() {}
void ArmRevealSweep() {}

LRESULT OnShellChange(WPARAM, LPARAM) { return 0; }
void RefreshLikeMenu(HWND, bool) {}
void RefreshExplorerBrowser(bool) {}
void RefreshDesktopItems() {}
bool RefreshRunning() { return false; }
bool PendingWhileHidden() { return gPendingWhileHidden; }
void SetPendingWhileHidden(bool pending) { gPendingWhileHidden = pending; }
void ClearViewTransitions() {}

void ApplyViewTick(HWND) {}
void ShellChangeDebounceTick(HWND) {}
void RevealSweepTick(HWND) {}
void RestoreViewModeTimer(HWND) {}
void ViewReapplyTick(HWND) {}

bool DispatchViewTimer(HWND palette, std::uintptr_t id) {
    using namespace lumetra::palette;
    switch (id) {
        case kApplyViewTimerId: ApplyViewTick(palette); return true;
        case kShellChangeDebounceTimerId: ShellChangeDebounceTick(palette); return true;
        case kCoverMinTimeTimerId: CoverMinTimeTick(); return true;
        case kRevealSweepTimerId: RevealSweepTick(palette); return true;
        case kRestoreViewModeTimerId: RestoreViewModeTimer(palette); return true;
        case kOverlayFadeTimerId: OverlayFadeTick(); return true;
        case kSmallIconSettleTimerId: RunSmallIconLayoutSettle(); return true;
        case kViewReapplyTimerId: ViewReapplyTick(palette); return true;
        case kShellCommandSortTimerId: ShellCommandSortTick(); return true;
        default: return false;
    }
}

}  // namespace lumetra::hostedview
