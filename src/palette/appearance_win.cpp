// Appearance of the palette; opacity is applied now because showing depends on it.
#include "palette/appearance_win.h"

#include "config/settings.h"
#include "palette/frame.h"
#include "palette/palette_state_win.h"

namespace lumetra::palette {

bool DarkMode() { return false; }
void ApplyTheme(HWND) {}
void ApplyAppMode(HWND) {}

void ApplyOpacity() {
    if (!PaletteExists()) return;
    SetLayeredWindowAttributes(Palette().window, 0, FadeTargetAlpha(config::Cfg().opacity),
                               LWA_ALPHA);
}

void ApplyListViewTheme() {}
void ApplyDarkScrollBars(HWND) {}
void PaintGroupHeaders(HWND) {}
void DarkenOpenMenus() {}
void InstallHostedScrollBarHook() {}

}  // namespace lumetra::palette
