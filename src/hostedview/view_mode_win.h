#pragma once
// The view mode, sort and grouping the palette keeps per monitor, pushed onto
// the shell's view and read back from it when the user changed them there.
#include <windows.h>
#include <shobjidl.h>

namespace lumetra::hostedview {

// Pushes the configured mode, icon size and folder flags into `view`, with
// every fallback of the small-icon paths.
void CommitViewMode(IFolderView2* view);
// CommitViewMode on the hosted view, then ApplyListViewChrome.
void CommitShellView();
// The list view's half: spacing, info tips, underline, header, column width, theme.
void ApplyListViewChrome();
// Column 0 as wide as the list, or as a small-icon cell in small icons.
void FitListColumnWidth(HWND listView);
// The shell reports small icons (20 pixels, within the tolerance, in icon or
// small-icon mode); false when it cannot say.
bool ShellShowsSmallIcons();
void ApplyShellViewModeForced();
// ApplyShellViewModeForced unless dragging, editing a label or already committed.
void ApplyShellViewModeIfNeeded();
// After the shell switched itself to list or details, or on a DPI change.
void ReassertViewMode();
bool IsViewModeCommitted();
bool IsViewGrouped();
void SyncShellViewSortToConfig();
void SyncShellViewGroupToConfig();
void ApplyShellViewSortFromConfig();
void ApplyShellViewGroupFromConfig();
void ClearGroupBy();
// A regroup in progress is hidden behind the cover.
bool ViewFrozen();
void OnUserPickedSortMode(int sortMode);

// The palette shown on, or moved to, a monitor whose preferences are loaded.
void MonitorPrefsApply();
void MonitorViewCross(HWND palette, HMONITOR monitor);
// The DPI the layout uses instead of the window's while the palette crosses
// monitors; 0 = none. Cleared when a drag ends.
UINT MonitorDpiOverride();
void ClearMonitorDpiOverride();

// A shell command ran from the view menu: arms timer 24.
void ArmShellCommandSync();
// Timer 24.
void ShellCommandSyncTick();
// On hide and exit: a pending shell-command sync is written to the settings now.
void FlushPendingSortSync();
// The housekeeping guard: a view the shell switched to list or details is put back.
void ListOrDetailsGuard();

}  // namespace lumetra::hostedview
