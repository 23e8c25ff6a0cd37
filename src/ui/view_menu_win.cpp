// View menu entry points; the menus arrive with the view-menu work.
#include "ui/view_menu_win.h"

namespace lumetra::ui {

void ShowViewContextMenu(HWND, POINT) {}
bool ForwardToActiveShellMenu(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
void ReleaseActiveShellMenu() {}

}  // namespace lumetra::ui
