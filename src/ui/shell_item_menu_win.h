#pragma once
// The shell's own menu for the selection or the Desktop background, pruned
// and extended with the palette's items, and the shell menu it leaves active
// while it is open.
#include <windows.h>

#include "ui/menu_bracket_win.h"

namespace lumetra::ui {

struct ShellItemMenuHost {
    HWND palette = nullptr;
    HWND listView = nullptr;
    MenuOwner owner;
    bool (*renameFocusedItem)() = nullptr;
};

// The list view's WM_CONTEXTMENU at `screenPoint`; (-1, -1) is the keyboard's
// form and means the cursor. Without a menu from the shell, the palette's own
// view menu opens instead when nothing is selected.
void ShowShellItemMenu(const ShellItemMenuHost& host, POINT screenPoint);

// Offers a message to the shell menu currently shown; true (and the result)
// when the shell handled it, so it can draw and fill its own items.
bool ForwardToActiveShellMenu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
void ReleaseActiveShellMenu();

}  // namespace lumetra::ui
