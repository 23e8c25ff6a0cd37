#pragma once
// The view mode, sort and grouping the palette keeps per monitor, forced onto
// the shell's view.
#include <windows.h>

namespace lumetra::hostedview {

// Not built yet: does nothing.
void MonitorPrefsApply();
// Not built yet: does nothing.
void MonitorViewCross(HWND palette, HMONITOR monitor);
// Not built yet: does nothing.
void OnUserPickedSortMode(int sortMode);
// Writes a sort the shell changed on its own into the configuration, if one is
// pending. Not built yet: nothing is ever pending.
void FlushPendingSortSync();
// Not built yet: does nothing (timer 24).
void ShellCommandSortTick();
// Not built yet: answers the configured grouping.
bool IsViewGrouped();
// Forces the configured view mode, sort and grouping onto the view.
// Not built yet: does nothing.
void ForceConfiguredViewMode();
// Not built yet: does nothing (timer 17).
void RestoreViewModeTimer(HWND palette);
// Not built yet: does nothing (timer 23).
void ViewReapplyTick(HWND palette);

}  // namespace lumetra::hostedview
