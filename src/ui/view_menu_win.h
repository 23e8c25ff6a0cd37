#pragma once
// The palette's own view menu.
#include <windows.h>

#include "ui/menu_bracket_win.h"

namespace lumetra::ui {

// The palette's own view menu (icon size, sort, close) at `screenPoint`, in
// the UI language as config.ini names it now; the choice arrives at the
// palette as WM_COMMAND.
void ShowViewContextMenu(HWND palette, POINT screenPoint, const MenuOwner& owner);

}  // namespace lumetra::ui
