// The palette as the owner of its menus: it counts them open, and once the
// last one closed the deferred re-sync is posted exactly once, whichever way
// the menus were left.
#include <windows.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "palette/menu_owner_win.h"
#include "palette/palette_state_win.h"
#include "palette/test_palette_win.h"
#include "protocol/messages.h"
#include "ui/menu_bracket_win.h"

namespace lumetra::palette {
namespace {

class MenuBracketOnPalette : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        palette_ = OpenTestPalette();
        ASSERT_TRUE(palette_);
    }
    static void TearDownTestSuite() { CloseTestPalette(palette_); }
    void SetUp() override {
        TakeResyncs();
        Palette().menuResyncPosted = false;
    }
    // The re-sync requests queued for the palette, taken off the queue.
    static int TakeResyncs() {
        int count = 0;
        MSG msg;
        while (PeekMessageW(&msg, palette_, protocol::WMAPP_MENU_RESYNC,
                            protocol::WMAPP_MENU_RESYNC, PM_REMOVE))
            ++count;
        return count;
    }
    static HWND palette_;
};
HWND MenuBracketOnPalette::palette_ = nullptr;

TEST_F(MenuBracketOnPalette, NestedMenusPostOneResyncAfterTheLast) {
    {
        const ui::MenuBracket outer(palette_, PaletteMenuOwner());
        EXPECT_EQ(Palette().menuDepth, 1);
        {
            const ui::MenuBracket inner(palette_, PaletteMenuOwner());
            EXPECT_EQ(Palette().menuDepth, 2);
        }
        EXPECT_EQ(Palette().menuDepth, 1);
        EXPECT_EQ(TakeResyncs(), 0) << "nothing while a menu is still open";
    }
    EXPECT_EQ(Palette().menuDepth, 0);
    EXPECT_EQ(TakeResyncs(), 1);
}

TEST_F(MenuBracketOnPalette, AMenuLeftByAnExceptionStillClosesItsBracket) {
    try {
        const ui::MenuBracket bracket(palette_, PaletteMenuOwner());
        throw std::runtime_error("the menu code failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Palette().menuDepth, 0);
    EXPECT_EQ(TakeResyncs(), 1);
}

TEST_F(MenuBracketOnPalette, AResyncStillQueuedIsNotPostedTwice) {
    { const ui::MenuBracket first(palette_, PaletteMenuOwner()); }
    { const ui::MenuBracket second(palette_, PaletteMenuOwner()); }
    EXPECT_EQ(TakeResyncs(), 1);
}

}  // namespace
}  // namespace lumetra::palette
