#pragma once
// The hosted view's context menu and the active shell item menu.
#include <windows.h>

namespace lumetra::ui {

void ShowViewContextMenu(HWND palette, POINT screenPoint);
// Offers a message to the shell menu currently shown; true (and the result)
// when the shell handled it.
bool ForwardToActiveShellMenu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
void ReleaseActiveShellMenu();

}  // namespace lumetra::ui
