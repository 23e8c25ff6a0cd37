// The alpha setter skips only a change that is already in place: a window
// keyed by colour, or at another alpha, still ends at plain constant alpha.
#include <windows.h>
#include <gtest/gtest.h>

#include "platform/layered_alpha_win.h"

namespace {

struct LayeredWindow {
    HWND hwnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0,
                                40, 40, nullptr, nullptr, nullptr, nullptr);
    ~LayeredWindow() { DestroyWindow(hwnd); }
};

void ExpectAlphaOnly(HWND hwnd, BYTE alpha) {
    BYTE current = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, nullptr, &current, &flags));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(current, alpha);
}

TEST(WindowAlpha, EndsAtTheAlphaWhateverTheWindowHadBefore) {
    LayeredWindow window;
    ASSERT_NE(window.hwnd, nullptr);
    lumetra::platform::SetWindowAlpha(window.hwnd, 191);  // nothing set yet
    ExpectAlphaOnly(window.hwnd, 191);
    lumetra::platform::SetWindowAlpha(window.hwnd, 191);
    ExpectAlphaOnly(window.hwnd, 191);
    lumetra::platform::SetWindowAlpha(window.hwnd, 140);
    ExpectAlphaOnly(window.hwnd, 140);

    // Same alpha, but a colour key as well: the key must go.
    SetLayeredWindowAttributes(window.hwnd, RGB(1, 2, 3), 140, LWA_ALPHA | LWA_COLORKEY);
    lumetra::platform::SetWindowAlpha(window.hwnd, 140);
    ExpectAlphaOnly(window.hwnd, 140);
}

}  // namespace
