#pragma once
// Icon metrics and the small-icon grid of the hosted view. Not built yet:
// every entry point below does nothing, so the shell's own metrics hold.
namespace lumetra::hostedview {

void InvalidateAppliedViewGeometry();
void ResetItemsPerRow();
void SmallIconSizeMoveReflow();
void RestoreHostedShellScrollBars();
void SmallIconLayoutIfReady();
void OnHostDpiChanged();
// Timer 22.
void RunSmallIconLayoutSettle();

}  // namespace lumetra::hostedview
