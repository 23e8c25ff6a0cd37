#include "ui/shell_menu_prune_win.h"

#include <string>
#include <vector>

#include "ui/shell_menu_prune.h"

namespace lumetra::ui {
namespace {

MenuItem ReadItem(HMENU menu, UINT position, int depth) {
    MenuItem item;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return item;
    item.id = info.wID;
    if (info.fType & MFT_SEPARATOR) {
        item.kind = MenuItemKind::Separator;
        return item;
    }
    if (!(info.fType & MFT_OWNERDRAW) && info.cch > 0) {
        std::wstring text(info.cch + 1, L'\0');
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        if (GetMenuItemInfoW(menu, position, TRUE, &info)) {
            text.resize(info.cch);
            item.text = std::move(text);
        }
    }
    if (info.hSubMenu) {
        item.kind = MenuItemKind::Submenu;
        if (depth > 1) item.items = ReadMenuModel(info.hSubMenu, depth - 1);
    }
    return item;
}

}  // namespace

MenuModel ReadMenuModel(HMENU menu, int depth) {
    MenuModel model;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) model.push_back(ReadItem(menu, static_cast<UINT>(i), depth));
    return model;
}

std::size_t PruneShellItemMenu(HMENU menu) {
    MenuModel model = ReadMenuModel(menu, kShellMenuSearchDepth);
    const std::vector<MenuPath> removals = PruneShellMenu(model);
    for (const MenuPath& path : removals) {
        HMENU level = menu;
        for (std::size_t i = 0; i + 1 < path.size() && level; ++i)
            level = GetSubMenu(level, static_cast<int>(path[i]));
        if (level) DeleteMenu(level, static_cast<UINT>(path.back()), MF_BYPOSITION);
    }
    return removals.size();
}

}  // namespace lumetra::ui
