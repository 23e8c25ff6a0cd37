// The real palette with the test prefix's Desktop view, whose list view the
// shell replaces by a new one: everything the palette sends to the list view
// must reach the new window, never the handle it found first.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "hostedview/hosted_view_win.h"
#include "palette/activation_win.h"
#include "palette/palette_handlers_win.h"
#include "palette/palette_window_win.h"
#include "palette/test_palette_win.h"

namespace lumetra::palette {
namespace {

std::vector<UINT>& Received() {
    static std::vector<UINT> messages;
    return messages;
}

WNDPROC gListProc = nullptr;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS || message == WM_SETREDRAW ||
        (message == WM_KEYDOWN && wParam == VK_DELETE))
        Received().push_back(message);
    return CallWindowProcW(gListProc, window, message, wParam, lParam);
}

class RecreatedListView : public ::testing::Test {
  protected:
    void SetUp() override {
        InitCommonControls();
        palette_ = OpenTestPalette();
        ASSERT_TRUE(palette_);

        HWND first = hostedview::FindHostedListView();
        ASSERT_TRUE(first) << "the shell view has its list view";
        HWND view = hostedview::View().viewWindow;
        // What the shell does when it rebuilds its view: a new list view in
        // place of the old one.
        DestroyWindow(first);
        fresh_ = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, view,
                                 nullptr, nullptr, nullptr);
        ASSERT_TRUE(fresh_);
        gListProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(fresh_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
    }
    void TearDown() override { CloseTestPalette(palette_); }
    HWND palette_ = nullptr;
    HWND fresh_ = nullptr;
};

TEST_F(RecreatedListView, FocusKeysAndRedrawGoToTheNewListView) {
    const struct {
        const char* name;
        std::function<void(HWND palette)> act;
        UINT expected;
    } cases[] = {
        {"focusing the list", [](HWND) { FocusPaletteList(); }, WM_SETFOCUS},
        {"Delete pressed on the palette",
         [](HWND palette) {
             SetFocus(palette);
             OnKeyDown(palette, VK_DELETE, 0);
         },
         WM_KEYDOWN},
        {"ending view transitions", [](HWND) { AbortViewTransitions(); }, WM_SETREDRAW},
    };
    for (const auto& c : cases) {
        Received().clear();
        c.act(palette_);
        bool seen = false;
        for (UINT message : Received()) seen = seen || message == c.expected;
        EXPECT_TRUE(seen) << c.name;
    }
    EXPECT_EQ(GetFocus(), fresh_) << "Delete leaves the focus in the new list view";
}

}  // namespace
}  // namespace lumetra::palette
