#include "ui/menu_bracket_win.h"

namespace lumetra::ui {
namespace {

constexpr UINT kZOrderOnly = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;

bool DropTopmost(HWND palette) {
    const LONG_PTR exStyle = GetWindowLongPtrW(palette, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_TOPMOST)) return false;
    SetWindowLongPtrW(palette, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_TOPMOST));
    SetWindowPos(palette, HWND_NOTOPMOST, 0, 0, 0, 0, kZOrderOnly);
    return true;
}

void RestoreTopmost(HWND palette) {
    const LONG_PTR exStyle = GetWindowLongPtrW(palette, GWL_EXSTYLE);
    SetWindowLongPtrW(palette, GWL_EXSTYLE, exStyle | WS_EX_TOPMOST);
    SetWindowPos(palette, HWND_TOPMOST, 0, 0, 0, 0, kZOrderOnly);
}

}  // namespace

MenuBracket::MenuBracket(HWND palette, const MenuOwner& owner) {
    if (!palette || !IsWindow(palette)) return;
    palette_ = palette;
    owner_ = owner;
    if (owner_.enter) owner_.enter(palette_);
    droppedTopmost_ = DropTopmost(palette_);
}

MenuBracket::~MenuBracket() {
    if (!palette_) return;
    if (droppedTopmost_ && IsWindow(palette_)) RestoreTopmost(palette_);
    if (owner_.leave) owner_.leave(palette_);
}

}  // namespace lumetra::ui
