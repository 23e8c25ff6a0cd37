#include "hostedview/icon_grid_win.h"

namespace lumetra::hostedview {

void InvalidateAppliedViewGeometry() {}
void ResetItemsPerRow() {}
void SmallIconSizeMoveReflow() {}
void RestoreHostedShellScrollBars() {}
void SmallIconLayoutIfReady() {}
void OnHostDpiChanged() {}
void RunSmallIconLayoutSettle() {}

}  // namespace lumetra::hostedview
