// The tray icon's menu: built from the settings and shown at the cursor with
// the palette as its owner.
#include <windows.h>

#include <string>

#include "config/data_folder_win.h"
#include "config/settings.h"
#include "log/debug_log.h"
#include "ui/menu_build_win.h"
#include "ui/tray_menu.h"
#include "ui/tray_win.h"
#include "ui/ui_language.h"

namespace lumetra::ui {
namespace {

TrayMenuState CurrentMenuState(HWND palette) {
    const config::Settings& cfg = config::Cfg();
    TrayMenuState state;
    state.language = CurrentUILanguageIndex();
    state.paletteVisible = IsWindow(palette) && IsWindowVisible(palette);
    state.readmeAvailable = !FindReadme(state.language).empty();
    state.trigger = cfg.trigger;
    state.hotkey = cfg.toggleHotkey;
    state.mouseButton = cfg.mouseButton;
    state.mouseMode = cfg.mouseMode;
    state.displayMode = cfg.displayMode;
    state.opacity = cfg.opacity;
    state.closeOnItemActivate = cfg.closeOnItemActivate;
    state.desktopItemsMode = cfg.desktopItemsMode;
    state.runAtStartup = cfg.runAtStartup;
    return state;
}

}  // namespace

std::wstring FindReadme(int language) {
    const std::wstring folder = config::ExecutableFolder() + L"\\";
    const ReadmeOrder order = ReadmeFilesFor(language);
    for (const wchar_t* name : {order.first, order.second})
        if (config::FileExists(folder + name)) return folder + name;
    return {};
}

void ShowTrayMenu(HWND palette, const MenuOwner& owner) {
    if (!palette || !IsWindow(palette)) return;
    const TrayMenuState menuState = CurrentMenuState(palette);
    log::DebugLogFormat(L"ShowTrayMenu: language=%d", menuState.language);
    platform::UniqueMenu menu = BuildPopupMenu(BuildTrayMenu(menuState));
    if (!menu) return;

    POINT at{};
    GetCursorPos(&at);
    const MenuBracket bracket(palette, owner);
    TrackPopupMenuEx(menu.get(), TPM_RIGHTBUTTON, at.x, at.y, palette, nullptr);
    // Lets the menu's owner leave the menu mode cleanly.
    PostMessageW(palette, WM_NULL, 0, 0);
}

}  // namespace lumetra::ui
