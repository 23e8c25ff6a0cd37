#include "ui/tray_menu.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "protocol/messages.h"
#include "ui/string_tables.h"

namespace lumetra::ui {
namespace {

using config::Hotkey;
using config::MouseButton;
using config::MouseMode;
using config::TriggerKey;

constexpr Hotkey kCtrlAltD{config::kModCtrlAlt, 0x44};
constexpr Hotkey kNoHotkey{config::kModCtrlAlt, 0};
constexpr Hotkey kCtrlShiftD{config::kModControl | config::kModShift, 0x44};

TrayMenuState State(int language = kEnglish) {
    TrayMenuState s;
    s.language = language;
    s.trigger = TriggerKey::Alt;
    s.hotkey = kCtrlAltD;
    return s;
}

// The item with this command id anywhere in the menu, or null.
const MenuItem* FindMenuCommand(const MenuModel& menu, unsigned id) {
    for (const MenuItem& item : menu) {
        if (item.kind == MenuItemKind::Command && item.id == id) return &item;
        if (item.kind == MenuItemKind::Submenu)
            if (const MenuItem* found = FindMenuCommand(item.items, id)) return found;
    }
    return nullptr;
}

const MenuItem& Item(const MenuModel& menu, unsigned id) {
    const MenuItem* item = FindMenuCommand(menu, id);
    EXPECT_NE(item, nullptr) << id;
    static const MenuItem kMissing;
    return item ? *item : kMissing;
}

std::vector<unsigned> MarkedAmong(const MenuModel& menu, std::initializer_list<unsigned> ids) {
    std::vector<unsigned> marked;
    for (unsigned id : ids)
        if (Item(menu, id).marked) marked.push_back(id);
    return marked;
}

// Top-level items as ids, 0 for separators and the caption for submenus.
std::vector<std::wstring> Outline(const MenuModel& menu) {
    std::vector<std::wstring> out;
    for (const MenuItem& item : menu) {
        if (item.kind == MenuItemKind::Separator)
            out.push_back(L"-");
        else if (item.kind == MenuItemKind::Submenu)
            out.push_back(L"[" + item.text + L"]");
        else
            out.push_back(std::to_wstring(item.id));
    }
    return out;
}

TEST(KeyboardCaption, NamesTheDoubleTapAndTheHotkey) {
    const struct {
        int language;
        TriggerKey trigger;
        Hotkey hotkey;
        std::wstring expected;
    } cases[] = {
        {kEnglish, TriggerKey::Alt, kCtrlAltD,
         L"Keyboard (Alt \x00D7"
         L"2 / Ctrl + Alt + D)"},
        {kJapanese, TriggerKey::Alt, kCtrlAltD,
         L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF08"
         L"Alt \x00D7"
         L"2 / Ctrl + Alt + D\xFF09"},
        {kEnglish, TriggerKey::Disabled, kNoHotkey, L"Keyboard (Disabled)"},
        {kEnglish, TriggerKey::Ctrl, kNoHotkey,
         L"Keyboard (Ctrl \x00D7"
         L"2)"},
        {kEnglish, TriggerKey::Disabled, Hotkey{config::kModCtrlAlt, 0x5A},
         L"Keyboard (Ctrl + Alt + Z)"},
        // Any other hotkey, Ctrl+Alt ones included, in the hotkey grammar.
        {kEnglish, TriggerKey::Disabled, kCtrlShiftD, L"Keyboard (Ctrl + Shift + VK_D)"},
        {kEnglish, TriggerKey::Disabled, Hotkey{config::kModCtrlAlt, 0x70},
         L"Keyboard (Ctrl + Alt + VK_F1)"},
        {kFrench, TriggerKey::Ctrl, Hotkey{config::kModCtrlAlt, 0x5A},
         L"Clavier (Ctrl \x00D7"
         L"2 / Ctrl + Alt + Z)"},
        {kJapanese, TriggerKey::Alt, Hotkey{config::kModCtrlAlt, 0x41},
         L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF08"
         L"Alt \x00D7"
         L"2 / Ctrl + Alt + A\xFF09"},
        {kJapanese, TriggerKey::Disabled, Hotkey{config::kModCtrlAlt, 0x51},
         L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF08"
         L"Ctrl + Alt + Q\xFF09"},
        {kGerman, TriggerKey::Disabled, kNoHotkey, L"Tastatur (Deaktiviert)"},
        {kKorean, TriggerKey::Shift, kNoHotkey,
         L"\xD0A4\xBCF4\xB4DC (Shift \x00D7"
         L"2)"},
    };
    for (const auto& c : cases) {
        TrayMenuState s = State(c.language);
        s.trigger = c.trigger;
        s.hotkey = c.hotkey;
        EXPECT_EQ(KeyboardCaption(s), c.expected);
    }
}

TEST(MouseCaption, JoinsButtonAndModeByLanguage) {
    const struct {
        int language;
        MouseButton button;
        MouseMode mode;
        const wchar_t* expected;
    } cases[] = {
        {kEnglish, MouseButton::X2, MouseMode::LongPress,
         L"Mouse (Forward button (X2) / Press and hold)"},
        {kEnglish, MouseButton::X1, MouseMode::Disabled, L"Mouse (Disabled)"},
        {kKorean, MouseButton::X1, MouseMode::DoubleClick,
         L"\xB9C8\xC6B0\xC2A4 (\xB4A4\xB85C (X1) \x00B7 \xB354\xBE14 \xD074\xB9AD)"},
        {kJapanese, MouseButton::X2, MouseMode::LongPress,
         L"\x30DE\x30A6\x30B9\xFF08\x9032\x3080\x30DC\x30BF\x30F3 "
         L"(X2)\x30FB\x9577\x62BC\x3057\xFF09"},
        {kItalian, MouseButton::X1, MouseMode::Disabled, L"Mouse (Disattivato)"},
        {kItalian, MouseButton::X2, MouseMode::DoubleClick, L"Mouse (Avanti (X2) / Doppio clic)"},
    };
    for (const auto& c : cases) {
        TrayMenuState s = State(c.language);
        s.mouseButton = c.button;
        s.mouseMode = c.mode;
        EXPECT_EQ(MouseCaption(s), c.expected);
    }
}

TEST(TrayMenu, HotkeyMarksFollowTheChord) {
    const struct {
        Hotkey hotkey;
        std::vector<unsigned> marked;
    } cases[] = {
        {kNoHotkey, {protocol::kCmdHotkeyNone}},
        {kCtrlAltD, {protocol::kCmdHotkeyCtrlAltD}},
        {{config::kModCtrlAlt, 0x51}, {protocol::kCmdHotkeyCtrlAltQ}},
        {{config::kModCtrlAlt, 0x41}, {protocol::kCmdHotkeyCtrlAltA}},
        {{config::kModCtrlAlt, 0x5A}, {protocol::kCmdHotkeyCtrlAltZ}},
        {kCtrlShiftD, {}},
        {{config::kModCtrlAlt | config::kModShift, 0x44}, {}},
        {{config::kModCtrlAlt, 0x45}, {}},
    };
    for (const auto& c : cases) {
        TrayMenuState s = State();
        s.hotkey = c.hotkey;
        const MenuModel menu = BuildTrayMenu(s);
        EXPECT_EQ(MarkedAmong(menu, {protocol::kCmdHotkeyNone, protocol::kCmdHotkeyCtrlAltD,
                                     protocol::kCmdHotkeyCtrlAltQ, protocol::kCmdHotkeyCtrlAltA,
                                     protocol::kCmdHotkeyCtrlAltZ}),
                  c.marked)
            << c.hotkey.modifiers << "+" << c.hotkey.key;
    }
}

TEST(TrayMenu, SettingsMarkTheirItems) {
    TrayMenuState s = State();
    s.trigger = TriggerKey::Disabled;
    s.mouseButton = MouseButton::X2;
    s.mouseMode = MouseMode::LongPress;
    s.displayMode = config::DisplayMode::Dark;
    s.opacity = 75;
    s.closeOnItemActivate = true;
    s.desktopItemsMode = config::DesktopItemsMode::AllItems;
    s.runAtStartup = false;
    const MenuModel menu = BuildTrayMenu(s);
    const std::vector<unsigned> none;
    EXPECT_EQ(MarkedAmong(menu, {protocol::kCmdTriggerCtrl, protocol::kCmdTriggerShift,
                                 protocol::kCmdTriggerAlt, protocol::kCmdTriggerDisabled}),
              std::vector<unsigned>{protocol::kCmdTriggerDisabled});
    EXPECT_EQ(MarkedAmong(menu, {protocol::kCmdMouseDoubleClick, protocol::kCmdMouseLongPress,
                                 protocol::kCmdMouseDisabled}),
              std::vector<unsigned>{protocol::kCmdMouseLongPress});
    EXPECT_EQ(MarkedAmong(menu, {protocol::kCmdMouseX1, protocol::kCmdMouseX2}),
              std::vector<unsigned>{protocol::kCmdMouseX2});
    EXPECT_EQ(MarkedAmong(menu, {protocol::kCmdDisplayFollowSystem, protocol::kCmdDisplayLight,
                                 protocol::kCmdDisplayDark}),
              std::vector<unsigned>{protocol::kCmdDisplayDark});
    EXPECT_EQ(MarkedAmong(menu, {protocol::kCmdOpacity100, protocol::kCmdOpacity75,
                                 protocol::kCmdOpacity30}),
              std::vector<unsigned>{protocol::kCmdOpacity75});
    EXPECT_EQ(MarkedAmong(menu, {protocol::kCmdDesktopItemsSame, protocol::kCmdDesktopItemsAll}),
              std::vector<unsigned>{protocol::kCmdDesktopItemsAll});
    EXPECT_TRUE(Item(menu, protocol::kCmdCloseOnItemActivate).marked);
    EXPECT_FALSE(Item(menu, protocol::kCmdRunAtStartup).marked);
}

TEST(TrayMenu, RadioGroupsUseBulletsTogglesUseChecks) {
    const MenuModel menu = BuildTrayMenu(State());
    for (unsigned id :
         {protocol::kCmdMouseX1, protocol::kCmdMouseX2, protocol::kCmdDisplayFollowSystem,
          protocol::kCmdDisplayLight, protocol::kCmdDisplayDark, protocol::kCmdOpacity100,
          protocol::kCmdOpacity75, protocol::kCmdOpacity30, protocol::kCmdDesktopItemsSame,
          protocol::kCmdDesktopItemsAll})
        EXPECT_EQ(Item(menu, id).mark, MenuMark::Radio) << id;
    for (unsigned id :
         {protocol::kCmdTriggerCtrl, protocol::kCmdTriggerDisabled, protocol::kCmdHotkeyNone,
          protocol::kCmdHotkeyCtrlAltZ, protocol::kCmdMouseDoubleClick, protocol::kCmdMouseDisabled,
          protocol::kCmdCloseOnItemActivate, protocol::kCmdRunAtStartup})
        EXPECT_EQ(Item(menu, id).mark, MenuMark::Check) << id;
    for (unsigned id : {protocol::kCmdToggle, protocol::kCmdEditConfig, protocol::kCmdOpenReadme,
                        protocol::kCmdAbout, protocol::kCmdExit})
        EXPECT_EQ(Item(menu, id).mark, MenuMark::None) << id;
}

TEST(TrayMenu, UnlistedOpacityMarksHigh) {
    for (int opacity : {50, 30, 0, 101}) {
        TrayMenuState s = State();
        s.opacity = opacity;
        const MenuModel menu = BuildTrayMenu(s);
        EXPECT_EQ(MarkedAmong(menu, {protocol::kCmdOpacity100, protocol::kCmdOpacity75,
                                     protocol::kCmdOpacity30}),
                  std::vector<unsigned>{protocol::kCmdOpacity30})
            << opacity;
        EXPECT_EQ(Outline(menu)[5], L"[Background transparency (High)]") << opacity;
    }
}

TEST(TrayMenu, LayoutAndSubmenuCaptions) {
    TrayMenuState s = State();
    s.readmeAvailable = true;
    const MenuModel menu = BuildTrayMenu(s);
    const std::vector<std::wstring> expected = {L"2701",
                                                L"-",
                                                L"[Keyboard (Alt \x00D7"
                                                L"2 / Ctrl + Alt + D)]",
                                                L"[Mouse (Back button (X1) / Double-click)]",
                                                L"[Display mode (Follow OS)]",
                                                L"[Background transparency (Low)]",
                                                L"2110",
                                                L"-",
                                                L"[Icons to show (Same as desktop)]",
                                                L"-",
                                                L"2301",
                                                L"2300",
                                                L"2302",
                                                L"-",
                                                L"2303"};
    EXPECT_EQ(Outline(menu), expected);

    // Transparency is offered from high to low; the keyboard menu ends with the editor.
    const MenuModel& transparency = menu[5].items;
    ASSERT_EQ(transparency.size(), 3u);
    EXPECT_EQ(transparency[0].id, protocol::kCmdOpacity30);
    EXPECT_EQ(transparency[1].id, protocol::kCmdOpacity75);
    EXPECT_EQ(transparency[2].id, protocol::kCmdOpacity100);
    const MenuModel& keyboard = menu[2].items;
    ASSERT_EQ(keyboard.size(), 12u);
    EXPECT_EQ(keyboard[0].id, protocol::kCmdTriggerDisabled);
    EXPECT_EQ(keyboard[4].kind, MenuItemKind::Separator);
    EXPECT_EQ(keyboard[11].id, protocol::kCmdEditConfig);
    EXPECT_EQ(menu[3].items[0].id, protocol::kCmdMouseDisabled);
}

TEST(TrayMenu, EveryCommandOnceOnlyTheToggleIsDefault) {
    const MenuModel menu = BuildTrayMenu(State());
    std::multiset<unsigned> ids;
    int defaults = 0;
    auto walk = [&](const MenuModel& items, auto&& self) -> void {
        for (const MenuItem& item : items) {
            if (item.kind == MenuItemKind::Command) ids.insert(item.id);
            if (item.isDefault) ++defaults;
            self(item.items, self);
        }
    };
    walk(menu, walk);
    EXPECT_EQ(ids.size(), 29u);
    for (unsigned id : ids) EXPECT_EQ(ids.count(id), 1u) << id;
    EXPECT_EQ(defaults, 1);
    EXPECT_TRUE(Item(menu, protocol::kCmdToggle).isDefault);
}

TEST(TrayMenu, ToggleLabelAndReadmeStateFollowTheWorld) {
    for (bool visible : {false, true}) {
        for (bool readme : {false, true}) {
            TrayMenuState s = State(kGerman);
            s.paletteVisible = visible;
            s.readmeAvailable = readme;
            const MenuModel menu = BuildTrayMenu(s);
            EXPECT_EQ(Item(menu, protocol::kCmdToggle).text, visible ? L"Fenster schlie\x00DF"
                                                                       L"en"
                                                                     : L"Fenster anzeigen");
            EXPECT_EQ(Item(menu, protocol::kCmdOpenReadme).grayed, !readme);
            EXPECT_FALSE(Item(menu, protocol::kCmdExit).grayed);
        }
    }
}

TEST(TrayMenu, JapaneseMenuUsesJapaneseTexts) {
    const MenuModel menu = BuildTrayMenu(State(kJapanese));
    EXPECT_EQ(Item(menu, protocol::kCmdExit).text, L"Lumetra \x3092\x7D42\x4E86");
    EXPECT_EQ(Item(menu, protocol::kCmdTriggerAlt).text,
              L"Alt \x00D7"
              L"2");
    EXPECT_EQ(Item(menu, protocol::kCmdHotkeyNone).text, L"\x7121\x52B9");
    EXPECT_EQ(Outline(menu)[4],
              L"[\x8868\x793A\x30E2\x30FC\x30C9\xFF08OS\x306B\x5F93\x3046\xFF09]");
}

TEST(TrayActionFor, VersionFourUsesSelectAndContextMenu) {
    const struct {
        unsigned event;
        unsigned version;
        TrayAction action;
    } cases[] = {
        {0x400, 4, TrayAction::Toggle},  {0x401, 4, TrayAction::Toggle},
        {0x7B, 4, TrayAction::ShowMenu}, {0x202, 4, TrayAction::None},
        {0x203, 4, TrayAction::None},    {0x205, 4, TrayAction::None},
        {0x200, 4, TrayAction::None},    {0x202, 0, TrayAction::Toggle},
        {0x203, 3, TrayAction::Toggle},  {0x205, 0, TrayAction::ShowMenu},
        {0x400, 0, TrayAction::Toggle},  {0x7B, 0, TrayAction::ShowMenu},
        {0x204, 0, TrayAction::None},    {0x201, 0, TrayAction::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrayActionFor(c.event, c.version), c.action)
            << std::hex << c.event << " v" << c.version;
}

TEST(ReadmeFilesFor, JapanesePrefersReadmeMd) {
    EXPECT_EQ(std::wstring(ReadmeFilesFor(kJapanese).first), L"README.md");
    EXPECT_EQ(std::wstring(ReadmeFilesFor(kJapanese).second), L"README.en.md");
    for (int language : {1, 2, 3, 4, 5, 6, 7, 8, -1}) {
        EXPECT_EQ(std::wstring(ReadmeFilesFor(language).first), L"README.en.md") << language;
        EXPECT_EQ(std::wstring(ReadmeFilesFor(language).second), L"README.md") << language;
    }
}

}  // namespace
}  // namespace lumetra::ui
