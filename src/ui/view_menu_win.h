#pragma once
// The hosted view's context menu and the active shell item menu.
#include <windows.h>

#include "ui/menu_bracket_win.h"

namespace lumetra::ui {

// The palette's own view menu (icon size, sort, close) at `screenPoint`, in
// the UI language as config.ini names it now; the choice arrives at the
// palette as WM_COMMAND.
void ShowViewContextMenu(HWND palette, POINT screenPoint, const MenuOwner& owner);
// Offers a message to the shell menu currently shown; true (and the result)
// when the shell handled it. Not built yet: no shell menu is ever shown.
bool ForwardToActiveShellMenu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Not built yet: there is nothing to release.
void ReleaseActiveShellMenu();

}  // namespace lumetra::ui
