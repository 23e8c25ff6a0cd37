#include "hostedview/view_mode_win.h"

#include "config/settings.h"

namespace lumetra::hostedview {

void MonitorPrefsApply() {}
void MonitorViewCross(HWND, HMONITOR) {}
void OnUserPickedSortMode(int) {}
void FlushPendingSortSync() {}
void ShellCommandSortTick() {}
bool IsViewGrouped() { return config::Cfg().groupBy; }
void ForceConfiguredViewMode() {}
void RestoreViewModeTimer(HWND) {}
void ViewReapplyTick(HWND) {}

}  // namespace lumetra::hostedview
