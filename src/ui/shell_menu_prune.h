#pragma once
// The shell's item menu as the palette shows it: the shell's view-mode
// submenu and its "Refresh" items go (the palette has its own), and the
// separators they leave behind are tidied. Decided on a menu model; the Win32
// side reads the real menu into one and replays the removals.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ui/menu_model.h"

namespace lumetra::ui {

// A position in a menu tree: the index at each level, outermost first.
using MenuPath = std::vector<std::size_t>;

// Menus nest no deeper than this for the refresh search.
inline constexpr int kShellMenuSearchDepth = 8;

// The caption without its keyboard accelerator: "Lar&ge icons" reads "Large
// icons", "大アイコン(&R)" reads "大アイコン", "&&" stays one "&", and the key
// text after a tab goes.
std::wstring StripAccelerator(std::wstring_view text);

// How much a submenu looks like the shell's view-mode submenu; above 2 it is.
int ViewModeSubmenuScore(const MenuModel& submenu);

// A "Refresh" item in one of the listed languages.
bool IsRefreshText(std::wstring_view text);

// Prunes `menu` and returns each removal in the order made: every path names
// a position in the menu as it stands after the removals before it.
std::vector<MenuPath> PruneShellMenu(MenuModel& menu);

}  // namespace lumetra::ui
