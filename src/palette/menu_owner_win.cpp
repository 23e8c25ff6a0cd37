#include "palette/menu_owner_win.h"

#include "palette/activation_win.h"
#include "palette/palette_handlers_win.h"
#include "palette/palette_state_win.h"

namespace lumetra::palette {
namespace {

void EnterMenu(HWND) {
    ++Palette().menuDepth;
    ActivateForMenu();
}

// Nested menus post one re-sync, after the outermost closed.
void LeaveMenu(HWND palette) {
    if (--Palette().menuDepth == 0 && IsWindow(palette)) QueueMenuResync(palette);
}

}  // namespace

ui::MenuOwner PaletteMenuOwner() { return {EnterMenu, LeaveMenu}; }

}  // namespace lumetra::palette
