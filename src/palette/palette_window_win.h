#pragma once
#include <windows.h>

#include "config/config_host.h"
#include "palette/palette_state_win.h"
#include "palette/placement.h"

namespace lumetra::palette {

// Registers "Lumetra.Main" and creates the palette, hidden, at `rect`.
// Returns null when the window cannot be created.
HWND CreatePaletteWindow(HINSTANCE instance, const WindowRect& rect, const PaletteHost& host);
// The palette window; null before it is created and after it is destroyed.
HWND PaletteWindow();

// What SaveConfig reads from the palette: existence, minimised, rectangle.
config::PaletteStateSource PaletteStateForConfig();

}  // namespace lumetra::palette
