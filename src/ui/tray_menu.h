#pragma once
// The tray icon's menu, computed from the settings and the UI language, and
// what the icon's callback events ask for.
#include "config/settings.h"
#include "ui/menu_model.h"

namespace lumetra::ui {

// Everything the tray menu shows.
struct TrayMenuState {
    int language = 1;
    bool paletteVisible = false;
    bool readmeAvailable = false;  // README.en.md or README.md beside the program
    config::TriggerKey trigger = config::TriggerKey::Alt;
    config::Hotkey hotkey;
    config::MouseButton mouseButton = config::MouseButton::X1;
    config::MouseMode mouseMode = config::MouseMode::DoubleClick;
    config::DisplayMode displayMode = config::DisplayMode::FollowSystem;
    int opacity = 100;
    bool closeOnItemActivate = false;
    config::DesktopItemsMode desktopItemsMode = config::DesktopItemsMode::SameAsDesktop;
    bool runAtStartup = false;
};

MenuModel BuildTrayMenu(const TrayMenuState& state);

// Submenu captions.
std::wstring KeyboardCaption(const TrayMenuState& state);
std::wstring MouseCaption(const TrayMenuState& state);

enum class TrayAction : std::uint8_t { None, Toggle, ShowMenu };

// The icon's callback event (low word of lParam) under the notification
// version in use; version 4 sends NIN_SELECT and WM_CONTEXTMENU instead of
// raw mouse messages.
TrayAction TrayActionFor(unsigned event, unsigned version);

// Read-me files in the order they are tried: Japanese prefers README.md.
struct ReadmeOrder {
    const wchar_t* first;
    const wchar_t* second;
};
ReadmeOrder ReadmeFilesFor(int language);

}  // namespace lumetra::ui
