#pragma once
// Monitors as the configuration sees them: the key of a monitor handle and the
// monitors under the cursor and the palette.
#include <windows.h>

#include <string>

namespace lumetra::config {

// Where the monitor functions find the palette window (null while none exists).
void SetPaletteWindowSource(HWND (*paletteWindow)());

// The device name after its last backslash ("DISPLAY1"), or "_unknown".
std::wstring MonitorKeyOf(HMONITOR monitor);
// The monitor under the cursor, else the one nearest the palette's centre;
// null without a palette window.
HMONITOR PaletteMonitor();
// The monitor nearest the cursor, else the one nearest the palette.
HMONITOR CursorMonitorOrPalette();
// The remembered monitor key when usable, else the palette monitor's key.
std::wstring CurrentMonitorKey();
// The key of the monitor nearest the palette window; empty without one.
std::wstring PaletteNearestMonitorKey();

// Loads the monitor's view and layout into the settings; false for an
// unknown monitor.
bool MonitorPrefsLoad(HMONITOR monitor);
// The monitor whose preferences were loaded last.
HMONITOR CurrentMonitor();
void SetCurrentMonitor(HMONITOR monitor);

}  // namespace lumetra::config
