#pragma once
// Refreshing the hosted view: the change debounce, the covered refresh, the
// settling ticks, the deferred reveal after the filter's sweeps and the
// view-mode restore that follows.
#include <windows.h>

#include "hostedview/refresh_rules.h"
#include "hostedview/view_sweep_win.h"

namespace lumetra::hostedview {

// The refresh machine's state; palette thread only.
RefreshState& Refresh();

enum class RefreshStyle { kFull = 0, kOverlayOnly = 1 };

// WMAPP_SHELLCHANGE; returns 0.
LRESULT OnShellChange(WPARAM wParam, LPARAM lParam);
// Refreshes at once (covered) or, while dragging or hidden, as soon as it may.
void RefreshExplorerBrowser(RefreshStyle style);
void PrepareShellViewCover(RefreshStyle style);
void ExecuteShellViewRefresh();
// F5 and sort changes: copies the shell's sort first when the settings do not
// own it yet; saves the settings when asked.
void RefreshLikeMenu(HWND palette, bool save);
// After the user switched which Desktop items the palette shows.
void RefreshDesktopItems();
// The "ShellState" setting changed.
void OnShellStateChanged();
// After the first synchronous refresh of a new view.
void SyncShellFinish(HWND palette);

// A refresh cycle is settling.
bool RefreshRunning();
bool PendingWhileHidden();
void SetPendingWhileHidden(bool pending);
// Remembers, for a refresh due at the next show, the view size it is for.
void SetPendingViewTarget(int viewMode);
bool IsRefreshBusy();
bool RevealPending();

bool TryRevealDeferred();
void RevealDeferredSweep();
void ArmRevealSweep();
// Marks that a sweep removed an item while a deferred reveal is pending.
void NoteForbiddenItemSeen();
// A quick covered filter pass outside a refresh; true when it removed items.
bool ScrubUnderCover(int sweeps);
// After the cover went away: filters what slipped in while it faded.
void PostRevealFilterCheck();
// The view and list view drawn and shown again.
void ShowViewWindow();
// On show of a palette whose monitor is unknown: filters, refreshes or reveals.
void DesktopItemsRecheck();
// Covers a view that holds items it must not show and reveals it after the
// sweeps; the show path of a palette whose monitor is unknown.
void DeferRevealBehindCover();
// The end of a drag lets a parked reveal go on.
void ForcePendingReveal();
// Clears every transition flag (the palette kills the timers).
void ClearViewTransitions();
// Housekeeping watchdogs: a reveal pending too long is forced; a scrub when
// forbidden items slipped in.
void RevealWatchdogTick();
void ScrubWatchdogTick();

// Timers 11, 13, 16, 17, 23.
void ApplyViewTick(HWND palette);
void ShellChangeDebounceTick(HWND palette);
void RevealSweepTick(HWND palette);
void RestoreViewModeTimer(HWND palette);
void ViewReapplyTick(HWND palette);

}  // namespace lumetra::hostedview
