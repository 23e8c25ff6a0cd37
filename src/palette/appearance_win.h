#pragma once
// Theme, opacity, corners and scroll bars of the palette.
#include <windows.h>

namespace lumetra::palette {

// Sets the palette's layered alpha from the Opacity setting.
void ApplyOpacity();

// Not built yet: the palette is always light and each of these does nothing.
bool DarkMode();
void ApplyTheme(HWND palette);
void ApplyAppMode(HWND palette);
void ApplyListViewTheme();
void ApplyDarkScrollBars(HWND listView);
// Dark group headers over the list view after it painted.
void PaintGroupHeaders(HWND listView);
void DarkenOpenMenus();
void InstallHostedScrollBarHook();

}  // namespace lumetra::palette
