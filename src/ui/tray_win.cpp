// Tray icon entry points; the icon and its menu arrive with the tray work.
#include "ui/tray_win.h"

namespace lumetra::ui {

void UpdateTrayIcon(HWND, bool) {}
void RemoveTrayIcon() {}
void OnTaskbarCreated(HWND palette) { UpdateTrayIcon(palette, true); }
LRESULT OnTrayCallback(HWND, WPARAM, LPARAM) { return 0; }
void ShowTrayMenu(HWND) {}

}  // namespace lumetra::ui
