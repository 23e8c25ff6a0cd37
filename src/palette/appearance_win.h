#pragma once
// Theme, opacity, corners and scroll bars of the palette.
#include <windows.h>

namespace lumetra::palette {

// True when the palette draws itself dark.
bool DarkMode();
void ApplyTheme(HWND palette);
void ApplyAppMode(HWND palette);
// Sets the palette's layered alpha from the Opacity setting.
void ApplyOpacity();
void ApplyListViewTheme();
void ApplyDarkScrollBars(HWND listView);
void DarkenOpenMenus();
void InstallHostedScrollBarHook();

}  // namespace lumetra::palette
