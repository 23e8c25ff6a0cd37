#pragma once
// The palette's own menu items for the hosted view: the icon size, the sort
// and "Close window", in the UI language, with the current choices marked.
#include "config/settings.h"
#include "ui/menu_model.h"

namespace lumetra::ui {

// Extra large, large, medium and small icons; the current view mode marked
// (medium for a value outside 1-4).
MenuItem IconSizeSubmenu(int language, config::ViewMode viewMode);

// The view menu: icon size, sort, a separator and "Close window".
MenuModel BuildViewMenu(int language, config::ViewMode viewMode, config::SortMode sortMode);

// What goes around the shell's item menu: the icon size and a separator
// first, a separator and "Close window" last.
MenuModel ShellMenuHead(int language, config::ViewMode viewMode);
MenuModel ShellMenuTail(int language);

}  // namespace lumetra::ui
