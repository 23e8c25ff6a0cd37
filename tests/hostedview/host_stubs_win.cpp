// Stand-ins for the refresh work, which the hosted view calls in the program;
// the tests only count what matters to them.
#include <windows.h>

#include "hostedview/icon_grid_win.h"
#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"

namespace lumetra::hostedview {
int gForbiddenSeenNotes = 0;
RefreshState& Refresh() {
    static RefreshState state;
    return state;
}
void NoteForbiddenItemSeen() { ++gForbiddenSeenNotes; }
void PrepareShellViewCover(RefreshStyle) {}
void SyncShellFinish(HWND) {}
void SmallIconSizeMoveReflow() {}
void ClearViewTransitions() {}
bool IsRefreshBusy() { return false; }
void ReassertViewMode() {}
bool IsViewGrouped() { return false; }
void SmallIconLayoutIfReady() {}
bool SmallIconLayoutDeferred() { return false; }
}  // namespace lumetra::hostedview
