#pragma once
// The palette on the monitors: placement before showing, moving to the
// cursor's monitor, and following a drag from one monitor to another.
#include <windows.h>

namespace lumetra::palette {

// Places the palette on the cursor's monitor and returns that monitor; null
// when the cursor cannot be read.
HMONITOR PosMonitor(bool showAtCursor);
void RelocatePaletteToCursorMonitor(bool showAtCursor);
// Decides whether a monitor change is real and switches to it.
void MonitorChangeFilter(HWND window, HMONITOR monitor);
void PaletteMonitorCross(HWND window, HMONITOR monitor);
void MonitorCrossSize(HWND window, HMONITOR monitor);

// Remembers where the cursor holds the window before a drag starts.
void AnchorDragToCursor(HWND window);

// The move/size loop.
void OnEnterSizeMove(HWND window);
void OnExitSizeMove(HWND window);
LRESULT OnMoving(HWND window, RECT* proposed);

}  // namespace lumetra::palette
