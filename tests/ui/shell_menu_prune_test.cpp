#include "ui/shell_menu_prune.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::ui {
namespace {

constexpr unsigned kShellId = 10001;

MenuItem ShellItem(std::wstring text) { return Command(kShellId, std::move(text)); }

MenuModel Commands(std::initializer_list<const wchar_t*> texts) {
    MenuModel menu;
    for (const wchar_t* text : texts) menu.push_back(ShellItem(text));
    return menu;
}

// What the Win32 side does with the removals: each path looked up in the
// menu as it stands, then that item deleted.
void Replay(MenuModel& menu, const std::vector<MenuPath>& removals) {
    for (const MenuPath& path : removals) {
        MenuModel* level = &menu;
        for (std::size_t i = 0; i + 1 < path.size(); ++i) level = &(*level)[path[i]].items;
        ASSERT_LT(path.back(), level->size());
        level->erase(level->begin() + static_cast<std::ptrdiff_t>(path.back()));
    }
}

// Captions of one level, separators as "-", submenus as "name>".
std::vector<std::wstring> Layout(const MenuModel& menu) {
    std::vector<std::wstring> out;
    for (const MenuItem& item : menu)
        out.push_back(item.kind == MenuItemKind::Separator ? L"-"
                      : item.kind == MenuItemKind::Submenu ? item.text + L">"
                                                           : item.text);
    return out;
}

using Texts = std::vector<std::wstring>;

// The prune, checked against the replay of its removals on the original.
MenuModel Pruned(const MenuModel& original) {
    MenuModel pruned = original;
    const std::vector<MenuPath> removals = PruneShellMenu(pruned);
    MenuModel replayed = original;
    Replay(replayed, removals);
    EXPECT_EQ(Layout(replayed), Layout(pruned));
    return pruned;
}

TEST(ShellMenuText, AcceleratorsAndKeyTextAreReadPast) {
    EXPECT_EQ(StripAccelerator(L"Lar&ge icons"), L"Large icons");
    EXPECT_EQ(StripAccelerator(L"&List"), L"List");
    EXPECT_EQ(StripAccelerator(L"大アイコン(&R)"), L"大アイコン");
    EXPECT_EQ(StripAccelerator(L"R&efresh\tF5"), L"Refresh");
    EXPECT_EQ(StripAccelerator(L"Tom && Jerry"), L"Tom & Jerry");
    EXPECT_EQ(StripAccelerator(L"&&&x&"), L"&x");
    EXPECT_EQ(StripAccelerator(L"(&R)"), L"");
    EXPECT_EQ(StripAccelerator(L"Note (&)"), L"Note ()");
}

TEST(ShellMenuText, ViewModeSubmenusScoreAboveTwoWithOrWithoutAccelerators) {
    const MenuModel windows =
        Commands({L"E&xtra large icons", L"Lar&ge icons", L"&Medium icons", L"&Small icons",
                  L"&List", L"&Details", L"&Tiles", L"Co&ntent"});
    const MenuModel wine = Commands({L"Lar&ge Icons", L"S&mall Icons", L"&List", L"&Details"});
    const MenuModel japanese =
        Commands({L"特大アイコン(&X)", L"大アイコン(&R)", L"中アイコン(&M)", L"小アイコン(&N)",
                  L"一覧(&L)", L"詳細(&D)", L"並べて表示(&S)", L"コンテンツ(&T)"});
    EXPECT_GT(ViewModeSubmenuScore(windows), 2);
    EXPECT_GT(ViewModeSubmenuScore(wine), 2);
    EXPECT_GT(ViewModeSubmenuScore(japanese), 2);
    EXPECT_GT(ViewModeSubmenuScore(Commands({L"large icons", L"DETAILS"})), 2);

    EXPECT_EQ(ViewModeSubmenuScore(Commands({L"&Name", L"&Size", L"Item &type", L"Date modified"})),
              0);
    // "List" counts only as the whole caption; tiles and content only once.
    EXPECT_EQ(ViewModeSubmenuScore(Commands({L"Mailing list", L"Tiles", L"Content"})), 2);
}

TEST(ShellMenuText, RefreshInEveryListedLanguage) {
    for (const wchar_t* text :
         {L"Refresh", L"R&efresh", L"&Refresh\tF5", L"REFRESH", L"Aktualisieren", L"Actualiser",
          L"Actualizar", L"Aggiorna", L"刷新", L"最新の情報に更新(&E)", L"最新の状態に更新",
          L"새로 고침(&E)", L"重新整理(&E)"})
        EXPECT_TRUE(IsRefreshText(text)) << text;
    for (const wchar_t* text : {L"Refresh all", L"Paste", L"", L"Aggiornamenti"})
        EXPECT_FALSE(IsRefreshText(text)) << text;
}

TEST(ShellMenuPrune, ABackgroundMenuLosesItsViewSubmenuAndRefreshAndKeepsTidySeparators) {
    const MenuModel original = {
        Submenu(L"&View", Commands({L"Lar&ge icons", L"&Medium icons", L"&Small icons", L"&List",
                                    L"&Details"})),
        Submenu(L"S&ort by", Commands({L"Name", L"Size"})),
        ShellItem(L"R&efresh"),
        Separator(),
        ShellItem(L"&Paste"),
        Separator(),
        Separator(),
        Submenu(L"Ne&w", {ShellItem(L"&Folder"), Separator(), ShellItem(L"Refresh")}),
        Separator(),
        ShellItem(L"P&roperties"),
        Separator(),
    };
    const MenuModel pruned = Pruned(original);
    EXPECT_EQ(Layout(pruned),
              (Texts{L"S&ort by>", L"-", L"&Paste", L"-", L"Ne&w>", L"-", L"P&roperties"}));
    // Separators inside a submenu are the shell's business.
    EXPECT_EQ(Layout(pruned[4].items), (Texts{L"&Folder", L"-"}));
}

TEST(ShellMenuPrune, AViewSubmenuIsFoundOneLevelDownButNoDeeper) {
    const MenuModel viewItems = Commands({L"Large icons", L"Details"});
    const MenuModel original = {
        Submenu(L"More", {ShellItem(L"Keep"), Submenu(L"View", viewItems)}),
        Submenu(L"Deep", {Submenu(L"Deeper", {Submenu(L"View", viewItems)})}),
    };
    const MenuModel pruned = Pruned(original);
    EXPECT_EQ(Layout(pruned[0].items), (Texts{L"Keep"}));
    EXPECT_EQ(Layout(pruned[1].items[0].items), (Texts{L"View>"}));
}

TEST(ShellMenuPrune, RefreshIsRemovedUpToEightLevelsDown) {
    // Level 1 is the menu itself; the refresh item at level k sits in k - 1
    // nested submenus.
    auto nested = [](int level) {
        MenuModel menu = {ShellItem(L"Keep"), ShellItem(L"Refresh")};
        for (int i = 1; i < level; ++i) menu = {Submenu(L"Sub", std::move(menu))};
        return menu;
    };
    auto innermost = [](const MenuModel& menu) {
        const MenuModel* level = &menu;
        while (level->size() == 1 && (*level)[0].kind == MenuItemKind::Submenu)
            level = &(*level)[0].items;
        return Layout(*level);
    };
    EXPECT_EQ(innermost(Pruned(nested(1))), (Texts{L"Keep"}));
    EXPECT_EQ(innermost(Pruned(nested(kShellMenuSearchDepth))), (Texts{L"Keep"}));
    EXPECT_EQ(innermost(Pruned(nested(kShellMenuSearchDepth + 1))), (Texts{L"Keep", L"Refresh"}));
}

TEST(ShellMenuPrune, SeparatorsNeverLeadTrailOrDouble) {
    EXPECT_EQ(Layout(Pruned({Separator(), Separator(), ShellItem(L"A"), Separator(), Separator(),
                             Separator(), ShellItem(L"B"), Separator(), Separator()})),
              (Texts{L"A", L"-", L"B"}));
    EXPECT_TRUE(Pruned({Separator(), Separator()}).empty());
    // What the view submenu and refresh leave behind is tidied too.
    EXPECT_EQ(Layout(Pruned({ShellItem(L"Refresh"), Separator(), ShellItem(L"Open"), Separator(),
                             Submenu(L"View", Commands({L"List", L"Details"}))})),
              (Texts{L"Open"}));
    EXPECT_TRUE(Pruned({}).empty());
}

}  // namespace
}  // namespace lumetra::ui
