#pragma once
// Keeps the view's items in line with the filter after the shell listed them:
// removes what must not show and, in all-items mode, adds what is missing.
#include <string>
#include <vector>

namespace lumetra::hostedview {

// True when it removed at least one item.
bool PostFilterSweep();
// The view holds an item the sweep would remove.
bool HasForbiddenItem();
// Nothing forbidden, and items to show or a Desktop that has none: an empty
// view is finished once the Desktop itself holds nothing to show.
bool IsViewCleanAndPopulated();
// The Desktop folder lists no item the filter would show.
bool DesktopHasNothingToShow();
// The items the view holds now, and their names as the view shows them.
int ViewItemCount();
std::vector<std::wstring> ViewItemNames();
// True when it added at least one item.
bool RestoreMissingDesktopItems();

}  // namespace lumetra::hostedview
