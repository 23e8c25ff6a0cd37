#pragma once
// Icon metrics and the small-icon grid of the hosted view.
#include <windows.h>

namespace lumetra::hostedview {

// The final layout after a refresh or regroup: outside small icons the list
// view is arranged and the view window shown.
void FinalizeHostedDesktopItemsLayout();
// Run when the cover starts fading or is hidden: brings the list view's
// vertical scroll bar back when the items need it.
void HostedScrollBarReveal();
// Clears the list's no-scroll style and, outside small icons, makes the list
// and the view window recompute their frames.
void RestoreHostedShellScrollBars();

// Not built yet: the entry points below do nothing, so the shell's own
// metrics and placement hold.
void ApplyShellListViewIconMetrics(HWND listView, bool forced);
void InvalidateAppliedViewGeometry();
void ResetItemsPerRow();
void SmallIconSizeMoveReflow();
void SmallIconRelayout(HWND listView);
// The width of the small-icon column: the list's client width for now.
int CalcSmallIconWidth(HWND listView);
void SmallIconLayoutIfReady();
// A small-icon layout waits for the cursor to leave the list.
bool SmallIconLayoutDeferred();
void OnHostDpiChanged();
// Timer 22.
void RunSmallIconLayoutSettle();

}  // namespace lumetra::hostedview
