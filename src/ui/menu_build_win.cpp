#include "ui/menu_build_win.h"

#include <string>

namespace lumetra::ui {
namespace {

bool InsertItem(HMENU menu, UINT position, const MenuItem& item) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    platform::UniqueMenu submenu;
    std::wstring text = item.text;  // the call takes a non-const buffer
    if (item.kind == MenuItemKind::Separator) {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask |= MIIM_STRING | MIIM_STATE;
        info.fType = item.mark == MenuMark::Radio ? MFT_RADIOCHECK : MFT_STRING;
        info.dwTypeData = text.data();
        info.fState = (item.marked ? MFS_CHECKED : 0u) | (item.grayed ? MFS_GRAYED : 0u) |
                      (item.isDefault ? MFS_DEFAULT : 0u);
        if (item.kind == MenuItemKind::Submenu) {
            submenu = BuildPopupMenu(item.items);
            if (!submenu) return false;
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu.get();
        } else {
            info.fMask |= MIIM_ID;
            info.wID = item.id;
        }
    }
    if (!InsertMenuItemW(menu, position, TRUE, &info)) return false;
    submenu.release();  // now owned by the parent menu
    return true;
}

}  // namespace

platform::UniqueMenu BuildPopupMenu(const MenuModel& model) {
    platform::UniqueMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    if (!InsertMenuModel(menu.get(), 0, model)) return {};
    return menu;
}

bool InsertMenuModel(HMENU menu, UINT position, const MenuModel& model) {
    for (const MenuItem& item : model) {
        if (!InsertItem(menu, position++, item)) return false;
        if (item.isDefault && item.kind == MenuItemKind::Command)
            SetMenuDefaultItem(menu, item.id, FALSE);
    }
    return true;
}

}  // namespace lumetra::ui
