#pragma once
// The shell item menu's pruning on the real menu the shell filled.
#include <windows.h>

#include "ui/menu_model.h"

namespace lumetra::ui {

// The items of `menu` down to `depth` levels (1: this level only); captions
// by position, owner-drawn items without text.
MenuModel ReadMenuModel(HMENU menu, int depth);

// Removes the shell's view-mode submenu and its "Refresh" items and tidies
// the separators; submenus removed are destroyed. Returns the items removed.
std::size_t PruneShellItemMenu(HMENU menu);

}  // namespace lumetra::ui
