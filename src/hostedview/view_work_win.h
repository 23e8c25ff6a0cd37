#pragma once
// What the palette asks of the hosted view's settings, metrics, filter and
// refresh work. Each call is the entry point of its own piece of that work.
#include <windows.h>

#include <cstdint>

#include "hostedview/view_sweep_win.h"

namespace lumetra::hostedview {

// View mode, sort and grouping.
void MonitorPrefsApply();
void MonitorViewCross(HWND palette, HMONITOR monitor);
void OnUserPickedSortMode(int sortMode);
// Writes a sort the shell changed on its own into the configuration, if one is pending.
void FlushPendingSortSync();
void ShellCommandSortTick();
bool IsViewGrouped();

// Icon metrics and the small-icon grid.
void InvalidateAppliedViewGeometry();
void ResetItemsPerRow();
void SmallIconSizeMoveReflow();
void RestoreHostedShellScrollBars();
void SmallIconLayoutIfReady();
void OnHostDpiChanged();
void RunSmallIconLayoutSettle();

// Forces the configured view mode, sort and grouping onto the view.
void ForceConfiguredViewMode();

// Desktop item filter (the sweeps are in view_sweep_win.h).
void ArmRevealSweep();
// Marks that a sweep removed an item while a deferred reveal is pending.
void NoteForbiddenItemSeen();

// Refresh, change debounce and settling.
LRESULT OnShellChange(WPARAM wParam, LPARAM lParam);
void RefreshLikeMenu(HWND palette, bool full);
void RefreshExplorerBrowser(bool keepCover);
void RefreshDesktopItems();
bool RefreshRunning();
bool PendingWhileHidden();
void SetPendingWhileHidden(bool pending);
// Covers the view for a refresh cycle, and finishes the first one after the
// view was built.
void PrepareShellViewCover();
void SyncShellFinish(HWND palette);
void ShowViewWindow();
// Forgets a refresh deferred while a drag was in progress.
void ClearDragDeferredRefresh();
// Numbers a new refresh cycle started at `tick`; returns its number.
unsigned long BeginRefreshCycle(std::uint32_t tick);
// Clears every view-transition flag (the palette kills the timers).
void ClearViewTransitions();
void ApplyViewTick(HWND palette);
void ShellChangeDebounceTick(HWND palette);
void RevealSweepTick(HWND palette);
void RestoreViewModeTimer(HWND palette);
void ViewReapplyTick(HWND palette);
// Routes the view-settling timers; false when `id` is not one of them.
bool DispatchViewTimer(HWND palette, std::uintptr_t id);

}  // namespace lumetra::hostedview
