// Menus built from a menu model and read back from the real HMENU (run under
// Wine): what the user sees is what the model says, at every depth.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/messages.h"
#include "ui/menu_build_win.h"
#include "ui/string_tables.h"
#include "ui/tray_menu.h"

namespace lumetra::ui {
namespace {

// One item as a menu shows it. An unmarked check item looks like a plain one.
struct Shown {
    MenuItemKind kind = MenuItemKind::Command;
    unsigned id = 0;
    std::wstring text;
    bool radio = false;
    bool marked = false;
    bool grayed = false;
    bool isDefault = false;
    std::vector<Shown> items;

    bool operator==(const Shown&) const = default;
};

std::vector<Shown> Expected(const MenuModel& model) {
    std::vector<Shown> out;
    for (const MenuItem& item : model) {
        Shown shown;
        shown.kind = item.kind;
        if (item.kind != MenuItemKind::Separator) {
            shown.id = item.kind == MenuItemKind::Command ? item.id : 0;
            shown.text = item.text;
            shown.radio = item.mark == MenuMark::Radio;
            shown.marked = item.marked;
            shown.grayed = item.grayed;
            shown.isDefault = item.isDefault;
            shown.items = Expected(item.items);
        }
        out.push_back(std::move(shown));
    }
    return out;
}

std::vector<Shown> ReadBack(HMENU menu) {
    std::vector<Shown> out;
    const int count = GetMenuItemCount(menu);
    EXPECT_GE(count, 0);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) << i;
        Shown shown;
        if (info.fType & MFT_SEPARATOR) {
            shown.kind = MenuItemKind::Separator;
            out.push_back(shown);
            continue;
        }
        std::wstring text(info.cch + 1, L'\0');
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) << i;
        text.resize(info.cch);
        shown.text = text;
        shown.radio = (info.fType & MFT_RADIOCHECK) != 0;
        shown.marked = (info.fState & MFS_CHECKED) != 0;
        shown.grayed = (info.fState & MFS_GRAYED) == MFS_GRAYED;
        shown.isDefault = (info.fState & MFS_DEFAULT) != 0;
        if (info.hSubMenu) {
            shown.kind = MenuItemKind::Submenu;
            shown.items = ReadBack(info.hSubMenu);
        } else {
            shown.id = info.wID;
        }
        out.push_back(std::move(shown));
    }
    return out;
}

std::string Describe(const std::vector<Shown>& items, int depth = 0) {
    std::string out;
    for (const Shown& item : items) {
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        if (item.kind == MenuItemKind::Separator) {
            out += "----\n";
            continue;
        }
        out += std::to_string(item.id) + " len=" + std::to_string(item.text.size()) +
               (item.radio ? " radio" : "") + (item.marked ? " marked" : "") +
               (item.grayed ? " grayed" : "") + (item.isDefault ? " default" : "") + "\n";
        out += Describe(item.items, depth + 1);
    }
    return out;
}

void ExpectShownAsModelled(const MenuModel& model, const char* what) {
    platform::UniqueMenu menu = BuildPopupMenu(model);
    ASSERT_TRUE(menu) << what;
    const std::vector<Shown> shown = ReadBack(menu.get());
    const std::vector<Shown> expected = Expected(model);
    EXPECT_TRUE(shown == expected) << what << "\nshown:\n"
                                   << Describe(shown) << "expected:\n"
                                   << Describe(expected);
}

TrayMenuState MarkedState(int language, bool flip) {
    TrayMenuState s;
    s.language = language;
    s.paletteVisible = flip;
    s.readmeAvailable = !flip;
    s.trigger = flip ? config::TriggerKey::Ctrl : config::TriggerKey::Disabled;
    s.hotkey =
        flip ? config::Hotkey{config::kModCtrlAlt, 0x51} : config::Hotkey{config::kModCtrlAlt, 0};
    s.mouseButton = flip ? config::MouseButton::X2 : config::MouseButton::X1;
    s.mouseMode = flip ? config::MouseMode::LongPress : config::MouseMode::Disabled;
    s.displayMode = flip ? config::DisplayMode::Dark : config::DisplayMode::Light;
    s.opacity = flip ? 30 : 75;
    s.closeOnItemActivate = flip;
    s.desktopItemsMode =
        flip ? config::DesktopItemsMode::AllItems : config::DesktopItemsMode::SameAsDesktop;
    s.runAtStartup = flip;
    return s;
}

TEST(BuildPopupMenu, TrayMenuReadsBackAsModelledInEveryLanguage) {
    for (int language = 0; language < kUiLanguageCount; ++language) {
        for (bool flip : {false, true}) {
            const MenuModel model = BuildTrayMenu(MarkedState(language, flip));
            ExpectShownAsModelled(
                model, ("language " + std::to_string(language) + (flip ? " flipped" : "")).c_str());
        }
    }
}

TEST(BuildPopupMenu, MarksAndStatesLandOnTheRightItems) {
    const MenuModel model = BuildTrayMenu(MarkedState(kEnglish, true));
    platform::UniqueMenu menu = BuildPopupMenu(model);
    ASSERT_TRUE(menu);
    // The command ids the palette receives, wherever the item sits.
    const auto state = [&](unsigned id) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        EXPECT_TRUE(GetMenuItemInfoW(menu.get(), id, FALSE, &info)) << id;
        return info;
    };
    EXPECT_EQ(GetMenuDefaultItem(menu.get(), FALSE, 0), static_cast<UINT>(protocol::kCmdToggle));
    EXPECT_TRUE(state(protocol::kCmdTriggerCtrl).fState & MFS_CHECKED);
    EXPECT_FALSE(state(protocol::kCmdTriggerDisabled).fState & MFS_CHECKED);
    EXPECT_FALSE(state(protocol::kCmdTriggerCtrl).fType & MFT_RADIOCHECK);
    EXPECT_TRUE(state(protocol::kCmdHotkeyCtrlAltQ).fState & MFS_CHECKED);
    EXPECT_TRUE(state(protocol::kCmdMouseX2).fType & MFT_RADIOCHECK);
    EXPECT_TRUE(state(protocol::kCmdMouseX2).fState & MFS_CHECKED);
    EXPECT_TRUE(state(protocol::kCmdMouseX1).fType & MFT_RADIOCHECK);
    EXPECT_FALSE(state(protocol::kCmdMouseX1).fState & MFS_CHECKED);
    EXPECT_TRUE(state(protocol::kCmdOpacity30).fState & MFS_CHECKED);
    EXPECT_EQ(state(protocol::kCmdOpenReadme).fState & MFS_GRAYED, static_cast<UINT>(MFS_GRAYED));
    EXPECT_EQ(state(protocol::kCmdExit).fState & (MFS_GRAYED | MFS_CHECKED | MFS_DEFAULT), 0u);
}

TEST(BuildPopupMenu, NestedSubmenusAndTextsOutsideAsciiSurvive) {
    const auto command = [](unsigned id, std::wstring text, MenuMark mark = MenuMark::None,
                            bool marked = false, bool grayed = false, bool isDefault = false) {
        MenuItem item;
        item.id = id;
        item.text = std::move(text);
        item.mark = mark;
        item.marked = marked;
        item.grayed = grayed;
        item.isDefault = isDefault;
        return item;
    };
    const auto submenu = [](std::wstring text, MenuModel items) {
        MenuItem item;
        item.kind = MenuItemKind::Submenu;
        item.text = std::move(text);
        item.items = std::move(items);
        return item;
    };
    MenuItem separator;
    separator.kind = MenuItemKind::Separator;

    const MenuModel model = {
        command(10, L"\x8868\x793A (&S)", MenuMark::None, false, false, true),
        separator,
        submenu(L"\xD0A4\xBCF4\xB4DC \x00B7 \x00D7"
                L"2",
                {command(20, L"Caf\x00E9 \xFF08\x30AA\x30F3\xFF09", MenuMark::Check, true),
                 command(21, L"\xD83D\xDE00 smile", MenuMark::Radio, true, true), separator,
                 submenu(L"\x0645\x0631\x062D\x0628\x0627",
                         {command(30, L"e\x0301 combined", MenuMark::Radio, false),
                          command(31, L"deep default", MenuMark::None, false, false, true)})}),
        command(40, std::wstring(200, L'\x3042')),
    };
    ExpectShownAsModelled(model, "hand-made menu");

    platform::UniqueMenu menu = BuildPopupMenu(model);
    ASSERT_TRUE(menu);
    EXPECT_EQ(GetMenuDefaultItem(menu.get(), FALSE, 0), 10u);
    HMENU inner = GetSubMenu(GetSubMenu(menu.get(), 2), 3);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(GetMenuDefaultItem(inner, FALSE, 0), 31u);
}

TEST(BuildPopupMenu, EmptyModelGivesAnEmptyMenu) {
    platform::UniqueMenu menu = BuildPopupMenu({});
    ASSERT_TRUE(menu);
    EXPECT_EQ(GetMenuItemCount(menu.get()), 0);
}

// The shell item menu: the shell fills a menu, the palette's items go around it.
TEST(InsertMenuModel, HeadAndTailGoAroundItemsAlreadyThere) {
    const MenuModel shell = {Command(10001, L"&Open"), Separator(), Command(10080, L"&Rename")};
    const MenuModel head = {Submenu(L"Icon size", {Radio(2402, L"Large icons", true)}),
                            Separator()};
    const MenuModel tail = {Separator(), Command(9004, L"Close window")};
    platform::UniqueMenu menu = BuildPopupMenu(shell);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(InsertMenuModel(menu.get(), 0, head));
    ASSERT_TRUE(InsertMenuModel(menu.get(), static_cast<UINT>(GetMenuItemCount(menu.get())), tail));

    MenuModel whole = head;
    whole.insert(whole.end(), shell.begin(), shell.end());
    whole.insert(whole.end(), tail.begin(), tail.end());
    EXPECT_EQ(ReadBack(menu.get()), Expected(whole));
}

}  // namespace
}  // namespace lumetra::ui
