#pragma once
// Theme, opacity, corners and scroll bars of the palette.
#include <windows.h>

namespace lumetra::palette {

// Sets the palette's layered alpha from the Opacity setting and re-themes
// the list view, whose transparency follows it.
void ApplyOpacity();
// Only the alpha part: for a show, which themes the list view itself.
void ApplyPaletteAlpha();

// The theme decided by the last ApplyAppMode: DisplayMode, or the system's
// app theme when following it.
bool DarkMode();
// Decides the theme, tells the system (where its entry points are safe to
// call) and marks the window's title bar dark or light.
void ApplyAppMode(HWND window);
// ApplyAppMode, then the list view's theme and a redraw of the palette and
// its windows.
void ApplyTheme(HWND palette);
// The hosted list view's theme, colours, transparency and frame.
void ApplyListViewTheme();
// Dark scroll bars for the list view (dark only).
void ApplyDarkScrollBars(HWND listView);
// A palette menu went idle: its windows follow the theme.
void DarkenOpenMenus();

// Redirects comctl32's scroll-bar theme lookup once per process, where the
// system's dark-mode entry points may be used; see scroll_bar_hook_win.h.
void InstallHostedScrollBarHook();

}  // namespace lumetra::palette
