#include "hostedview/icon_grid_win.h"

namespace lumetra::hostedview {

void FinalizeHostedDesktopItemsLayout() {}
void HostedScrollBarReveal() {}
void ApplyShellListViewIconMetrics(HWND, bool) {}
void InvalidateAppliedViewGeometry() {}
void ResetItemsPerRow() {}
void SmallIconSizeMoveReflow() {}
void SmallIconRelayout(HWND) {}
void RestoreHostedShellScrollBars() {}
void SmallIconLayoutIfReady() {}
void OnHostDpiChanged() {}
void RunSmallIconLayoutSettle() {}

}  // namespace lumetra::hostedview
