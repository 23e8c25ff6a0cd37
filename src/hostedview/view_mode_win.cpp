#include "hostedview/view_mode_win.h"

#include "config/settings.h"

namespace lumetra::hostedview {

void CommitViewMode(IFolderView2*) {}
void CommitShellView() {}
void ApplyListViewChrome() {}
void ApplyShellViewModeForced() {}
void ApplyShellViewModeIfNeeded() {}
void ReassertViewMode() {}
bool IsViewModeCommitted() { return true; }
bool IsViewGrouped() { return config::Cfg().groupBy; }
void SyncShellViewSortToConfig() {}
void SyncShellViewGroupToConfig() {}
void ApplyShellViewSortFromConfig() {}
void ApplyShellViewGroupFromConfig() {}
void ClearGroupBy() {}
bool ViewFrozen() { return false; }
void OnUserPickedSortMode(int) {}
void MonitorPrefsApply() {}
void MonitorViewCross(HWND, HMONITOR) {}
UINT MonitorDpiOverride() { return 0; }
void ClearMonitorDpiOverride() {}
void ArmShellCommandSync() {}
void ShellCommandSyncTick() {}
void FlushPendingSortSync() {}
void ListOrDetailsGuard() {}

}  // namespace lumetra::hostedview
