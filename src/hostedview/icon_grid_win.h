#pragma once
// Icon metrics and the small-icon grid of the hosted view.
#include <windows.h>

namespace lumetra::hostedview {

// The DPI the layout uses: the monitor's override while crossing monitors,
// else the window's (or the palette's, the view window's, the screen's), else 96.
UINT GetLayoutDpi(HWND window);
// The list view is visible and the cursor lies on it.
bool IsCursorOverList();

// Places the view window in the palette (a 1-pixel frame, and the 30-pixel
// band of a grouped view) when that changed; while dragging, re-lays the
// small-icon grid only when the items per row change.
void SmallIconSizeMoveReflow();
// The next SmallIconSizeMoveReflow places the view window whatever it was.
void InvalidateAppliedViewGeometry();
// A drag begins: its first reflow only records the items per row.
void ResetItemsPerRow();

// The final layout after a refresh or regroup: the small-icon grid, or
// outside small icons the shell's arrangement and the view window shown.
void FinalizeHostedDesktopItemsLayout();
// Run when the cover starts fading or is hidden: brings the list view's
// vertical scroll bar back when the items need it.
void HostedScrollBarReveal();
// Clears the list's no-scroll style and, outside small icons, makes the list
// and the view window recompute their frames.
void RestoreHostedShellScrollBars();

// The list view's spacing for the view mode; in small icons also the grid,
// once the cursor has left the list (or 900 ms) and the shell shows small
// icons (or has been waited for long enough). `forced` skips the cursor wait.
void ApplyShellListViewIconMetrics(HWND listView, bool forced);
// The width of a small-icon cell: icon, state image, gap, widest label, padding.
int CalcSmallIconWidth(HWND listView);
// Every item to its cell of a row-major grid `cellWidth` wide.
void ManualGridArrangeSmallIcons(HWND listView, int cellWidth);
// The grid laid out and logged, the view scrolled to the top; redraw stays
// off when `keepRedrawOff`.
void SmallIconArrange(HWND listView, bool keepRedrawOff);
void SmallIconRelayout(HWND listView);
// A forced small-icon layout when the list is ungrouped, populated and idle.
void SmallIconLayoutIfReady();
// A small-icon layout waits for the cursor to leave the list.
bool SmallIconLayoutDeferred();
// The palette's DPI changed while it is shown.
void OnHostDpiChanged();
// Timer 22.
void RunSmallIconLayoutSettle();

}  // namespace lumetra::hostedview
