// The frame every palette menu runs in, on a plain top-level window: the
// owner hears of the menu before and after, and the window leaves the
// topmost band for the menu and returns to it on every way out.
#include <windows.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ui/menu_bracket_win.h"

namespace lumetra::ui {
namespace {

std::string& Calls() {
    static std::string calls;
    return calls;
}
void Enter(HWND) { Calls() += "enter "; }
void Leave(HWND) { Calls() += "leave "; }

class Bracket : public ::testing::Test {
  protected:
    void SetUp() override {
        Calls().clear();
        window_ = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"palette", WS_POPUP | WS_VISIBLE, 0, 0,
                                  200, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(window_);
        ASSERT_TRUE(Topmost());
    }
    void TearDown() override { DestroyWindow(window_); }
    bool Topmost() const { return (GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    void SetTopmost(bool on) const {
        SetWindowPos(window_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    HWND window_ = nullptr;
    const MenuOwner owner_{Enter, Leave};
};

TEST_F(Bracket, TheMenuComesAboveATopmostPaletteThatIsTopmostAgainAfterwards) {
    {
        const MenuBracket outer(window_, owner_);
        EXPECT_FALSE(Topmost()) << "the menu and its dialogs come above the palette";
        { const MenuBracket inner(window_, owner_); }
        EXPECT_FALSE(Topmost()) << "the outer menu is still open";
    }
    EXPECT_TRUE(Topmost());
    EXPECT_EQ(Calls(), "enter enter leave leave ");
}

TEST_F(Bracket, AnExceptionLeavesTheBracketLikeAClose) {
    try {
        const MenuBracket bracket(window_, owner_);
        throw std::runtime_error("the menu code failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(Topmost());
    EXPECT_EQ(Calls(), "enter leave ");
}

TEST_F(Bracket, APaletteOutsideTheTopmostBandStaysThere) {
    SetTopmost(false);
    ASSERT_FALSE(Topmost());
    { const MenuBracket bracket(window_, owner_); }
    EXPECT_FALSE(Topmost());
    EXPECT_EQ(Calls(), "enter leave ");
}

TEST_F(Bracket, WithoutAPaletteTheMenuRunsWithoutOne) {
    { const MenuBracket bracket(nullptr, owner_); }
    HWND gone = window_;
    DestroyWindow(window_);
    window_ = nullptr;
    { const MenuBracket bracket(gone, owner_); }
    EXPECT_EQ(Calls(), "");
}

}  // namespace
}  // namespace lumetra::ui
