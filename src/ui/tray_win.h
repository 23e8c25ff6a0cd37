#pragma once
// The notification-area icon and its menu.
#include <windows.h>

#include <string>

namespace lumetra::ui {

// Adds (or with forceReAdd first removes and re-adds) the tray icon.
void UpdateTrayIcon(HWND palette, bool forceReAdd);
void RemoveTrayIcon();
// The shell restarted: the icon is gone and must be added again.
void OnTaskbarCreated(HWND palette);
// Tray callback message (WM_APP+1); returns 0.
LRESULT OnTrayCallback(HWND palette, WPARAM wParam, LPARAM lParam);
void ShowTrayMenu(HWND palette);
// Path of the read-me beside the program that the language prefers; empty
// when there is none.
std::wstring FindReadme(int language);

}  // namespace lumetra::ui
