#include "ui/tray_menu.h"

#include "config/hotkey_text.h"
#include "protocol/messages.h"
#include "ui/string_tables.h"

namespace lumetra::ui {
namespace {

int Value(auto setting) { return static_cast<int>(setting); }

bool IsCtrlAltHotkey(const config::Hotkey& hotkey, std::uint32_t key) {
    return hotkey.modifiers == config::kModCtrlAlt && hotkey.key == key;
}

// The hotkeys the menu offers, named as the menu shows them.
struct Preset {
    unsigned id;
    std::uint32_t key;
    const wchar_t* text;
};
constexpr Preset kPresets[] = {{protocol::kCmdHotkeyCtrlAltD, 0x44, L"Ctrl + Alt + D"},
                               {protocol::kCmdHotkeyCtrlAltQ, 0x51, L"Ctrl + Alt + Q"},
                               {protocol::kCmdHotkeyCtrlAltA, 0x41, L"Ctrl + Alt + A"},
                               {protocol::kCmdHotkeyCtrlAltZ, 0x5A, L"Ctrl + Alt + Z"}};

// A preset by its menu text, any other hotkey in the hotkey grammar; empty
// without a key.
std::wstring HotkeyCaptionText(const config::Hotkey& hotkey) {
    for (const Preset& preset : kPresets)
        if (IsCtrlAltHotkey(hotkey, preset.key)) return preset.text;
    return config::FormatHotkeyDisplayText(hotkey);
}

std::wstring DoubleTapCaptionText(config::TriggerKey trigger) {
    switch (trigger) {
        case config::TriggerKey::Ctrl: return DoubleTapText(L"Ctrl");
        case config::TriggerKey::Shift: return DoubleTapText(L"Shift");
        case config::TriggerKey::Alt: return DoubleTapText(L"Alt");
        case config::TriggerKey::Disabled: break;
    }
    return {};
}

MenuItem KeyboardMenu(const TrayMenuState& s) {
    const MenuTitles& titles = MenuTitlesText(s.language);
    const int trigger = Value(s.trigger);
    MenuModel items = {
        Checked(protocol::kCmdTriggerDisabled, titles.disabledLabel, trigger == 3),
        Checked(protocol::kCmdTriggerCtrl, DoubleTapText(L"Ctrl"), trigger == 0),
        Checked(protocol::kCmdTriggerShift, DoubleTapText(L"Shift"), trigger == 1),
        Checked(protocol::kCmdTriggerAlt, DoubleTapText(L"Alt"), trigger == 2),
        Separator(),
        Checked(protocol::kCmdHotkeyNone, titles.disabledLabel, s.hotkey.key == 0),
    };
    for (const Preset& preset : kPresets)
        items.push_back(Checked(preset.id, preset.text, IsCtrlAltHotkey(s.hotkey, preset.key)));
    items.push_back(Separator());
    items.push_back(Command(protocol::kCmdEditConfig, EditConfigLabel(s.language)));
    return Submenu(KeyboardCaption(s), std::move(items));
}

MenuItem MouseMenu(const TrayMenuState& s) {
    const int mode = Value(s.mouseMode);
    const int button = Value(s.mouseButton);
    const MouseChoice& choice = MouseChoiceText(s.language);
    return Submenu(
        MouseCaption(s),
        {Checked(protocol::kCmdMouseDisabled, MenuTitlesText(s.language).disabledLabel, mode == 2),
         Checked(protocol::kCmdMouseDoubleClick, choice.doubleClick, mode == 0),
         Checked(protocol::kCmdMouseLongPress, choice.longPress, mode == 1), Separator(),
         Radio(protocol::kCmdMouseX1, choice.x1, button == 0),
         Radio(protocol::kCmdMouseX2, choice.x2, button == 1)});
}

MenuItem DisplayModeMenu(const TrayMenuState& s) {
    const int mode = Value(s.displayMode);
    const DisplayModeChoice& choice = DisplayModeChoiceText(s.language);
    return Submenu(CaptionWithDetail(s.language, MenuTitlesText(s.language).displayModeTitle,
                                     DisplayModeText(s.language, mode)),
                   {Radio(protocol::kCmdDisplayFollowSystem, choice.followOs, mode == 0),
                    Radio(protocol::kCmdDisplayLight, choice.light, mode == 1),
                    Radio(protocol::kCmdDisplayDark, choice.dark, mode == 2)});
}

MenuItem TransparencyMenu(const TrayMenuState& s) {
    const TransparencyChoice& choice = TransparencyChoiceText(s.language);
    const bool low = s.opacity == 100;
    const bool normal = s.opacity == 75;
    return Submenu(CaptionWithDetail(s.language, MenuTitlesText(s.language).transparencyTitle,
                                     TransparencyText(s.language, s.opacity)),
                   {Radio(protocol::kCmdOpacity30, choice.high, !low && !normal),
                    Radio(protocol::kCmdOpacity75, choice.normal, normal),
                    Radio(protocol::kCmdOpacity100, choice.low, low)});
}

MenuItem DesktopItemsMenu(const TrayMenuState& s) {
    const int mode = Value(s.desktopItemsMode);
    const DesktopItemsChoice& choice = DesktopItemsChoiceText(s.language);
    return Submenu(CaptionWithDetail(s.language, MenuTitlesText(s.language).desktopItemsTitle,
                                     DesktopItemsText(s.language, mode)),
                   {Radio(protocol::kCmdDesktopItemsSame, choice.sameAsDesktop, mode == 0),
                    Radio(protocol::kCmdDesktopItemsAll, choice.allItems, mode == 1)});
}

}  // namespace

std::wstring KeyboardCaption(const TrayMenuState& s) {
    const MenuTitles& titles = MenuTitlesText(s.language);
    const std::wstring doubleTap = DoubleTapCaptionText(s.trigger);
    const std::wstring hotkey = HotkeyCaptionText(s.hotkey);
    if (!doubleTap.empty() && !hotkey.empty())
        return CaptionWithTwoDetails(s.language, titles.keyboardTitle, doubleTap.c_str(),
                                     hotkey.c_str());
    const std::wstring& detail = doubleTap.empty() ? hotkey : doubleTap;
    return CaptionWithDetail(s.language, titles.keyboardTitle,
                             detail.empty() ? titles.disabledLabel : detail.c_str());
}

std::wstring MouseCaption(const TrayMenuState& s) {
    const MenuTitles& titles = MenuTitlesText(s.language);
    if (s.mouseMode == config::MouseMode::Disabled)
        return CaptionWithDetail(s.language, titles.mouseTitle, titles.disabledLabel);
    const std::wstring detail = std::wstring(MouseButtonText(s.language, Value(s.mouseButton))) +
                                MouseJoiner(s.language) +
                                MouseModeText(s.language, Value(s.mouseMode));
    return CaptionWithDetail(s.language, titles.mouseTitle, detail.c_str());
}

MenuModel BuildTrayMenu(const TrayMenuState& s) {
    const WindowCommands& window = WindowCommandsText(s.language);
    const AppCommands& app = AppCommandsText(s.language);

    MenuItem toggle =
        Command(protocol::kCmdToggle, WindowToggleLabel(s.language, s.paletteVisible));
    toggle.isDefault = true;
    MenuItem readme = Command(protocol::kCmdOpenReadme, app.readmeLabel);
    readme.grayed = !s.readmeAvailable;

    return {toggle,
            Separator(),
            KeyboardMenu(s),
            MouseMenu(s),
            DisplayModeMenu(s),
            TransparencyMenu(s),
            Checked(protocol::kCmdCloseOnItemActivate,
                    DesktopItemsChoiceText(s.language).closeOnOpenLabel, s.closeOnItemActivate),
            Separator(),
            DesktopItemsMenu(s),
            Separator(),
            Checked(protocol::kCmdRunAtStartup, window.runAtStartupLabel, s.runAtStartup),
            readme,
            Command(protocol::kCmdAbout, app.aboutLabel),
            Separator(),
            Command(protocol::kCmdExit, app.exitLabel)};
}

TrayAction TrayActionFor(unsigned event, unsigned version) {
    constexpr unsigned kNinSelect = 0x400, kNinKeySelect = 0x401, kContextMenu = 0x7B;
    constexpr unsigned kLButtonUp = 0x202, kLButtonDblClk = 0x203, kRButtonUp = 0x205;
    if (event == kNinSelect || event == kNinKeySelect) return TrayAction::Toggle;
    if (event == kContextMenu) return TrayAction::ShowMenu;
    if (version < 4) {
        if (event == kLButtonUp || event == kLButtonDblClk) return TrayAction::Toggle;
        if (event == kRButtonUp) return TrayAction::ShowMenu;
    }
    return TrayAction::None;
}

ReadmeOrder ReadmeFilesFor(int language) {
    if (language == kJapanese) return {L"README.md", L"README.en.md"};
    return {L"README.en.md", L"README.md"};
}

}  // namespace lumetra::ui
