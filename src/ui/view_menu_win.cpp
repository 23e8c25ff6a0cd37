#include "ui/view_menu_win.h"

#include "config/settings.h"
#include "config/settings_store.h"
#include "log/debug_log.h"
#include "platform/unique_handle_win.h"
#include "ui/menu_build_win.h"
#include "ui/ui_language.h"
#include "ui/view_menu.h"

namespace lumetra::ui {

void ShowViewContextMenu(HWND palette, POINT screenPoint, const MenuOwner& owner) {
    // A language changed in the file applies at once.
    config::ReloadUiLanguage();
    const config::Settings& cfg = config::Cfg();
    const int language = CurrentUILanguageIndex();
    platform::UniqueMenu menu = BuildPopupMenu(BuildViewMenu(language, cfg.viewMode, cfg.sortMode));
    if (!menu) {
        log::DebugLogWrite(L"ShowViewContextMenu: the menu could not be built.");
        return;
    }
    const MenuBracket bracket(palette, owner);
    TrackPopupMenuEx(menu.get(), TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, palette, nullptr);
    // Lets the menu's owner leave the menu mode cleanly.
    PostMessageW(palette, WM_NULL, 0, 0);
}

}  // namespace lumetra::ui
