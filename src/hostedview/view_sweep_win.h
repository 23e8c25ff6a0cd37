#pragma once
// Keeps the view's items in line with the filter after the shell listed them:
// removes what must not show and, in all-items mode, adds what is missing.
namespace lumetra::hostedview {

// True when it removed at least one item.
bool PostFilterSweep();
// The view holds an item the sweep would remove.
bool HasForbiddenItem();
bool IsViewCleanAndPopulated();
// True when it added at least one item.
bool RestoreMissingDesktopItems();

}  // namespace lumetra::hostedview
