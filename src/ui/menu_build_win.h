#pragma once
// Turns a menu model into a Win32 popup menu.
#include <windows.h>

#include "platform/unique_handle_win.h"
#include "ui/menu_model.h"

namespace lumetra::ui {

// Null when the menu cannot be created.
platform::UniqueMenu BuildPopupMenu(const MenuModel& model);

}  // namespace lumetra::ui
