#pragma once
// The notification-area icon and its menu.
#include <windows.h>

#include <string>

#include "ui/menu_bracket_win.h"
#include "ui/tray_menu.h"

namespace lumetra::ui {

// Adds (or with forceReAdd first removes and re-adds) the tray icon.
void UpdateTrayIcon(HWND palette, bool forceReAdd);
void RemoveTrayIcon();
// The shell restarted: the icon is gone and must be added again.
void OnTaskbarCreated(HWND palette);
// What the tray callback message (WM_APP+1) asks for.
TrayAction TrayActionForCallback(LPARAM lParam);

// Builds the tray menu from the settings and shows it at the cursor.
void ShowTrayMenu(HWND palette, const MenuOwner& owner);
// Path of the read-me beside the program that the language prefers; empty
// when there is none.
std::wstring FindReadme(int language);

}  // namespace lumetra::ui
