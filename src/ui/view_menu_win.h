#pragma once
// The hosted view's context menu and the active shell item menu.
#include <windows.h>

namespace lumetra::ui {

// Not built yet: shows nothing.
void ShowViewContextMenu(HWND palette, POINT screenPoint);
// Offers a message to the shell menu currently shown; true (and the result)
// when the shell handled it. Not built yet: no shell menu is ever shown.
bool ForwardToActiveShellMenu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Not built yet: there is nothing to release.
void ReleaseActiveShellMenu();

}  // namespace lumetra::ui
