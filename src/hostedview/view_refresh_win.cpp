#include "hostedview/view_refresh_win.h"

#include "hostedview/hosted_view_win.h"
#include "hostedview/view_subclass_win.h"

namespace lumetra::hostedview {

RefreshState& Refresh() {
    static RefreshState state;
    return state;
}

LRESULT OnShellChange(WPARAM, LPARAM) { return 0; }
void RefreshExplorerBrowser(RefreshStyle) {}
void PrepareShellViewCover(RefreshStyle) {}
void ExecuteShellViewRefresh() {}
void RefreshLikeMenu(HWND, bool) {}
void RefreshDesktopItems() {}
void OnShellStateChanged() {}
void SyncShellFinish(HWND palette) {
    if (!palette || !IsWindow(palette) || !View().shellView) return;
    ShowViewWindow();
}
bool RefreshRunning() { return Refresh().settling; }
bool PendingWhileHidden() { return Refresh().pendingWhileHidden; }
void SetPendingWhileHidden(bool pending) { Refresh().pendingWhileHidden = pending; }
void SetPendingViewTarget(int viewMode) { Refresh().pendingViewTarget = viewMode; }
bool IsRefreshBusy() { return false; }
bool RevealPending() { return Refresh().revealDeferred; }
bool TryRevealDeferred() { return false; }
void RevealDeferredSweep() {}
void ArmRevealSweep() {}
void NoteForbiddenItemSeen() {}
bool ScrubUnderCover(int) { return false; }
void PostRevealFilterCheck() {}
void ShowViewWindow() {
    if (!HasViewWindow()) return;
    SendMessageW(View().viewWindow, WM_SETREDRAW, TRUE, 0);
    if (HWND listView = FindHostedListView()) SendMessageW(listView, WM_SETREDRAW, TRUE, 0);
    ShowWindow(View().viewWindow, SW_SHOW);
}
void DesktopItemsRecheck() {}
void DeferRevealBehindCover() {}
void ForcePendingReveal() {}
void ClearViewTransitions() {}
void RevealWatchdogTick() {}
void ScrubWatchdogTick() {}
void ApplyViewTick(HWND) { FollowHostedListView(); }
void ShellChangeDebounceTick(HWND) {}
void RevealSweepTick(HWND) {}
void RestoreViewModeTimer(HWND) {}
void ViewReapplyTick(HWND) {}

}  // namespace lumetra::hostedview
