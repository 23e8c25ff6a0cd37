#include "ui/view_menu.h"

#include <gtest/gtest.h>

#include <vector>

#include "protocol/messages.h"
#include "ui/string_tables.h"

namespace lumetra::ui {
namespace {

using config::SortMode;
using config::ViewMode;

std::vector<unsigned> Ids(const MenuModel& menu) {
    std::vector<unsigned> ids;
    for (const MenuItem& item : menu) ids.push_back(item.id);
    return ids;
}

std::vector<unsigned> Marked(const MenuModel& menu) {
    std::vector<unsigned> ids;
    for (const MenuItem& item : menu)
        if (item.mark == MenuMark::Radio && item.marked) ids.push_back(item.id);
    return ids;
}

TEST(ViewMenu, IconSizesInTheirOrderWithTheViewModeMarked) {
    const std::vector<unsigned> order = {protocol::kCmdViewExtraLarge, protocol::kCmdViewLarge,
                                         protocol::kCmdViewMedium, protocol::kCmdViewSmall};
    const struct {
        ViewMode mode;
        unsigned marked;
    } cases[] = {{ViewMode::Large, protocol::kCmdViewLarge},
                 {ViewMode::Medium, protocol::kCmdViewMedium},
                 {ViewMode::Small, protocol::kCmdViewSmall},
                 {ViewMode::ExtraLarge, protocol::kCmdViewExtraLarge},
                 {static_cast<ViewMode>(0), protocol::kCmdViewMedium},
                 {static_cast<ViewMode>(9), protocol::kCmdViewMedium}};
    for (const auto& c : cases) {
        const MenuItem sizes = IconSizeSubmenu(kEnglish, c.mode);
        EXPECT_EQ(sizes.kind, MenuItemKind::Submenu);
        EXPECT_EQ(sizes.text, L"Icon size");
        EXPECT_EQ(Ids(sizes.items), order);
        EXPECT_EQ(Marked(sizes.items), std::vector<unsigned>{c.marked});
    }
    EXPECT_EQ(IconSizeSubmenu(kEnglish, ViewMode::Large).items[0].text, L"Extra large icons");
}

TEST(ViewMenu, TheViewMenuHasSizesSortAndCloseWithTheSortMarked) {
    for (int sort = 0; sort <= 2; ++sort) {
        const MenuModel menu =
            BuildViewMenu(kEnglish, ViewMode::Small, static_cast<SortMode>(sort));
        ASSERT_EQ(menu.size(), 4u);
        EXPECT_EQ(menu[0].text, L"Icon size");
        EXPECT_EQ(Marked(menu[0].items), std::vector<unsigned>{protocol::kCmdViewSmall});
        EXPECT_EQ(menu[1].text, L"Sort");
        EXPECT_EQ(Ids(menu[1].items),
                  (std::vector<unsigned>{protocol::kCmdSortName, protocol::kCmdSortDate,
                                         protocol::kCmdSortSize}));
        EXPECT_EQ(Marked(menu[1].items),
                  std::vector<unsigned>{protocol::kCmdSortName + static_cast<unsigned>(sort)});
        EXPECT_EQ(menu[2].kind, MenuItemKind::Separator);
        EXPECT_EQ(menu[3].id, static_cast<unsigned>(protocol::kCmdSaveAndHide));
        EXPECT_EQ(menu[3].text, L"Close window");
    }
}

TEST(ViewMenu, TheShellMenuGetsSizesFirstAndCloseLast) {
    const MenuModel head = ShellMenuHead(kEnglish, ViewMode::ExtraLarge);
    ASSERT_EQ(head.size(), 2u);
    EXPECT_EQ(Marked(head[0].items), std::vector<unsigned>{protocol::kCmdViewExtraLarge});
    EXPECT_EQ(head[1].kind, MenuItemKind::Separator);
    const MenuModel tail = ShellMenuTail(kEnglish);
    ASSERT_EQ(tail.size(), 2u);
    EXPECT_EQ(tail[0].kind, MenuItemKind::Separator);
    EXPECT_EQ(tail[1].id, static_cast<unsigned>(protocol::kCmdSaveAndHide));
}

TEST(ViewMenu, CaptionsFollowTheUiLanguage) {
    const MenuModel japanese = BuildViewMenu(kJapanese, ViewMode::Medium, SortMode::Name);
    EXPECT_EQ(japanese[0].text, IconSizeLabelsText(kJapanese).iconSizeTitle);
    EXPECT_EQ(japanese[1].text, SortLabelsText(kJapanese).sortTitle);
    EXPECT_EQ(japanese[3].text, WindowCommandsText(kJapanese).closeWindow);
    EXPECT_NE(japanese[0].text, L"Icon size");
}

}  // namespace
}  // namespace lumetra::ui
