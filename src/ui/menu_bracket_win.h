#pragma once
// The frame every palette menu is tracked in, the tray menu's included.
#include <windows.h>

namespace lumetra::ui {

// What the menu's owner does around the menu: `enter` before it opens, `leave`
// after it closed.
struct MenuOwner {
    void (*enter)(HWND owner) = nullptr;
    void (*leave)(HWND owner) = nullptr;
};

// While it lives the owner counts the menu open, and the palette leaves the
// topmost band so that the menu and any dialog opened from it come above it.
// Both are undone on every way out of the scope. Without a palette window
// the menu is tracked without a bracket.
class MenuBracket {
  public:
    MenuBracket(HWND palette, const MenuOwner& owner);
    ~MenuBracket();
    MenuBracket(const MenuBracket&) = delete;
    MenuBracket& operator=(const MenuBracket&) = delete;

  private:
    HWND palette_ = nullptr;
    MenuOwner owner_;
    bool droppedTopmost_ = false;
};

}  // namespace lumetra::ui
