#pragma once
// Refreshing the hosted view, the change debounce, settling and the reveal
// after the filter's sweeps.
#include <windows.h>

#include <cstdint>

#include "hostedview/view_sweep_win.h"

namespace lumetra::hostedview {

// Not built yet: does nothing.
void ArmRevealSweep();
// Marks that a sweep removed an item while a deferred reveal is pending.
// Not built yet: does nothing.
void NoteForbiddenItemSeen();

// WMAPP_SHELLCHANGE. Not built yet: ignores the change; returns 0.
LRESULT OnShellChange(WPARAM wParam, LPARAM lParam);
// Not built yet: does nothing.
void RefreshLikeMenu(HWND palette, bool full);
// Not built yet: does nothing.
void RefreshExplorerBrowser(bool keepCover);
// Not built yet: does nothing.
void RefreshDesktopItems();
// Not built yet: no refresh ever runs.
bool RefreshRunning();
bool PendingWhileHidden();
void SetPendingWhileHidden(bool pending);
// Covers the view for a refresh cycle. Not built yet: does nothing.
void PrepareShellViewCover();
// Finishes the first refresh cycle after the view was built; until the cycle
// settles the view on its own, it reveals the view at once.
void SyncShellFinish(HWND palette);
void ShowViewWindow();
// Forgets a refresh deferred while a drag was in progress. Not built yet:
// nothing is deferred.
void ClearDragDeferredRefresh();
// Numbers a new refresh cycle started at `tick`; returns its number.
unsigned long BeginRefreshCycle(std::uint32_t tick);
// Clears every view-transition flag (the palette kills the timers). Not built
// yet: there are none.
void ClearViewTransitions();
// Timer 11: follows the list view the shell may have recreated.
void ApplyViewTick(HWND palette);
// Not built yet: does nothing (timer 13).
void ShellChangeDebounceTick(HWND palette);
// Not built yet: does nothing (timer 16).
void RevealSweepTick(HWND palette);

}  // namespace lumetra::hostedview
