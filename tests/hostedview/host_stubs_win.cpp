// Stand-ins for the refresh work, which the hosted view calls in the program;
// the tests only count what matters to them.
#include <windows.h>

#include <cstdint>

#include "hostedview/icon_grid_win.h"
#include "hostedview/view_refresh_win.h"

namespace lumetra::hostedview {
int gForbiddenSeenNotes = 0;
void ArmRevealSweep() {}
void NoteForbiddenItemSeen() { ++gForbiddenSeenNotes; }
void PrepareShellViewCover() {}
void SyncShellFinish(HWND) {}
void ShowViewWindow() {}
void ClearDragDeferredRefresh() {}
unsigned long BeginRefreshCycle(std::uint32_t) { return 1; }
void ClearViewTransitions() {}
void SmallIconSizeMoveReflow() {}
void RefreshExplorerBrowser(bool) {}
bool RefreshRunning() { return false; }
}  // namespace lumetra::hostedview
