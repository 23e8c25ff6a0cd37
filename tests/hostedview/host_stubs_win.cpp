// Stand-ins for the palette and the refresh work, which the hosted view calls
// in the program; the tests only count what matters to them.
#include <windows.h>

#include <cstdint>

#include "app/app_state_win.h"
#include "hostedview/view_work_win.h"
#include "palette/activation_win.h"
#include "palette/appearance_win.h"
#include "palette/overlay_win.h"

namespace lumetra::app {
AppState& App() {
    static AppState state;
    return state;
}
}  // namespace lumetra::app

namespace lumetra::palette {
void ApplyListViewTheme() {}
void HideOverlayCover() {}
bool HandleCtrlShortcut(UINT) { return false; }
}  // namespace lumetra::palette

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
