// The shell item menu's pruning replayed on a real menu (run under Wine): the
// menu ends up as the model's prune says, and removed submenus are destroyed.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/menu_build_win.h"
#include "ui/shell_menu_prune.h"
#include "ui/shell_menu_prune_win.h"

namespace lumetra::ui {
namespace {

MenuItem ShellItem(std::wstring text) { return Command(10001, std::move(text)); }

// Kind and caption at every level.
std::wstring Describe(const MenuModel& menu) {
    std::wstring out;
    for (const MenuItem& item : menu) {
        if (item.kind == MenuItemKind::Separator) out += L"-";
        out += item.text;
        if (item.kind == MenuItemKind::Submenu) out += L"[" + Describe(item.items) + L"]";
        out += L"|";
    }
    return out;
}

TEST(ShellItemMenu, TheRealMenuIsPrunedAsTheModelSaysAndRemovedSubmenusAreDestroyed) {
    const MenuModel shellMenu = {
        Submenu(L"&View", {ShellItem(L"Lar&ge Icons"), ShellItem(L"S&mall Icons"),
                           ShellItem(L"&List"), ShellItem(L"&Details")}),
        Submenu(L"&Arrange Icons", {ShellItem(L"By &Name"), ShellItem(L"By &Size"),
                                    Submenu(L"Deeper", {ShellItem(L"&Refresh")})}),
        ShellItem(L"&Refresh"),
        Separator(),
        ShellItem(L"&Paste"),
        Separator(),
        Separator(),
        ShellItem(L"P&roperties"),
        Separator(),
    };
    platform::UniqueMenu menu = BuildPopupMenu(shellMenu);
    ASSERT_TRUE(menu);
    HMENU viewSubmenu = GetSubMenu(menu.get(), 0);
    ASSERT_TRUE(IsMenu(viewSubmenu));
    ASSERT_EQ(Describe(ReadMenuModel(menu.get(), kShellMenuSearchDepth)), Describe(shellMenu));

    MenuModel expected = shellMenu;
    const std::size_t removals = PruneShellMenu(expected).size();
    EXPECT_EQ(PruneShellItemMenu(menu.get()), removals);

    EXPECT_EQ(Describe(ReadMenuModel(menu.get(), kShellMenuSearchDepth)), Describe(expected));
    EXPECT_EQ(Describe(expected),
              L"&Arrange Icons[By &Name|By &Size|Deeper[]|]|-|&Paste|-|P&roperties|");
    EXPECT_FALSE(IsMenu(viewSubmenu));
}

TEST(ShellItemMenu, ReadingStopsAtTheDepthAsked) {
    platform::UniqueMenu menu =
        BuildPopupMenu({Submenu(L"One", {Submenu(L"Two", {ShellItem(L"Three")})})});
    ASSERT_TRUE(menu);
    EXPECT_EQ(Describe(ReadMenuModel(menu.get(), 1)), L"One[]|");
    EXPECT_EQ(Describe(ReadMenuModel(menu.get(), 2)), L"One[Two[]|]|");
    EXPECT_EQ(Describe(ReadMenuModel(menu.get(), 3)), L"One[Two[Three|]|]|");
}

}  // namespace
}  // namespace lumetra::ui
