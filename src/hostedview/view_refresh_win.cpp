#include "hostedview/view_refresh_win.h"

#include "hostedview/hosted_view_win.h"
#include "hostedview/view_subclass_win.h"

namespace lumetra::hostedview {
namespace {
bool gPendingWhileHidden = false;
unsigned long gRefreshCycle = 0;
std::uint32_t gRefreshTick = 0;
}  // namespace

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

}  // namespace lumetra::hostedview
