// The tray icon's requests: a click toggles the palette, the context menu
// opens the tray menu, refreshed from config.ini first.
#include <windows.h>

#include "config/settings_store.h"
#include "palette/activation_win.h"
#include "palette/appearance_win.h"
#include "palette/menu_owner_win.h"
#include "palette/palette_handlers_win.h"
#include "palette/palette_state_win.h"
#include "palette/settings_reload_win.h"
#include "palette/toggle_win.h"
#include "ui/tray_win.h"

namespace lumetra::palette {
namespace {

void ShowTrayMenu(HWND palette) {
    if (!palette || !IsWindow(palette)) return;
    // The menu reflects config.ini as it is on disk now, hand edits included.
    config::ReloadUiLanguage();
    ReloadHotkeyAndApply(palette);
    ApplyTheme(palette);
    ui::UpdateTrayIcon(palette, false);
    ui::ShowTrayMenu(palette, PaletteMenuOwner());
}

}  // namespace

LRESULT OnTrayCallback(HWND palette, LPARAM lParam) {
    switch (ui::TrayActionForCallback(lParam)) {
        case ui::TrayAction::Toggle:
            // Two quick clicks toggle twice: the icon is not a trigger that bounces.
            ClearToggleCooldown();
            ToggleMainWindow(false);
            break;
        case ui::TrayAction::ShowMenu: ShowTrayMenu(palette); break;
        case ui::TrayAction::None: break;
    }
    return 0;
}

}  // namespace lumetra::palette
