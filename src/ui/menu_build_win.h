#pragma once
// Turns a menu model into a Win32 popup menu.
#include <windows.h>

#include "platform/unique_handle_win.h"
#include "ui/menu_model.h"

namespace lumetra::ui {

// Null when the menu cannot be created.
platform::UniqueMenu BuildPopupMenu(const MenuModel& model);
// Puts the model's items into `menu` from `position` on (a position past the
// end appends); false when an item could not be added.
bool InsertMenuModel(HMENU menu, UINT position, const MenuModel& model);

}  // namespace lumetra::ui
