// The cover over the real palette: where it lies, that it never takes the
// mouse or the activation, how its fade ends or is cut short, and what keeps
// it up. Timer ticks are called directly; no test waits for a timer.
#include <windows.h>
#include <gtest/gtest.h>

#include "hostedview/hosted_view_win.h"
#include "hostedview/view_refresh_win.h"
#include "palette/overlay_win.h"
#include "palette/palette_window_win.h"
#include "palette/test_palette_win.h"

namespace lumetra::palette {
namespace {

int CoverAlpha() {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(Overlay().window, nullptr, &alpha, &flags)) return -1;
    return (flags & LWA_ALPHA) ? alpha : -1;
}

bool CoverVisible() { return IsWindowVisible(Overlay().window) != FALSE; }

// Runs the fade timer's ticks until the fade ends; the number of ticks.
int RunFadeTicks() {
    int ticks = 0;
    while (Overlay().fading && ticks < 100) {
        OverlayFadeTick();
        ++ticks;
    }
    return ticks;
}

class Cover : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        palette_ = OpenTestPalette();
        ASSERT_TRUE(palette_);
    }
    static void TearDownTestSuite() { CloseTestPalette(palette_); }
    void SetUp() override {
        ASSERT_TRUE(Overlay().window);
        hostedview::Refresh() = {};
        HideOverlayCoverImmediate();
    }
    static HWND palette_;
};
HWND Cover::palette_ = nullptr;

TEST_F(Cover, LiesInsideThePaletteFrameAndLetsTheMouseThrough) {
    ShowOverlayCover();
    ASSERT_TRUE(CoverVisible());
    RECT palette, cover;
    GetWindowRect(palette_, &palette);
    GetWindowRect(Overlay().window, &cover);
    EXPECT_EQ(cover.left, palette.left + 1);
    EXPECT_EQ(cover.top, palette.top + 1);
    EXPECT_EQ(cover.right, palette.right - 1);
    EXPECT_EQ(cover.bottom, palette.bottom - 1);
    EXPECT_EQ(CoverAlpha(), 255);
    EXPECT_NE(GetForegroundWindow(), Overlay().window);
    EXPECT_NE(GetActiveWindow(), Overlay().window);

    const POINT inside{(cover.left + cover.right) / 2, (cover.top + cover.bottom) / 2};
    EXPECT_EQ(SendMessageW(Overlay().window, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)),
              HTTRANSPARENT);
    EXPECT_EQ(SendMessageW(Overlay().window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(palette_),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    HWND below = WindowFromPoint(inside);
    EXPECT_TRUE(below && below != Overlay().window) << "the point belongs to what lies under it";
}

TEST_F(Cover, FadesEndHiddenAndOpaqueForTheNextShow) {
    const struct {
        int ms;
        int ticks;
    } cases[] = {{256, 16}, {180, 12}, {0, 1}};
    for (const auto& c : cases) {
        ShowOverlayCover();
        StartOverlayFade(c.ms, nullptr);
        EXPECT_TRUE(Overlay().fading) << c.ms;
        EXPECT_EQ(Overlay().coverShownTick, 0u) << c.ms;
        EXPECT_EQ(RunFadeTicks(), c.ticks) << c.ms;
        EXPECT_FALSE(CoverVisible()) << c.ms;
        EXPECT_EQ(CoverAlpha(), 255) << c.ms;
    }
}

TEST_F(Cover, ShowingItDuringAFadeStopsTheFadeAtFullOpacity) {
    ShowOverlayCover();
    StartOverlayFade(256, nullptr);
    OverlayFadeTick();
    OverlayFadeTick();
    ASSERT_LT(CoverAlpha(), 255);
    ShowOverlayCover();
    EXPECT_FALSE(Overlay().fading);
    EXPECT_EQ(CoverAlpha(), 255);
    OverlayFadeTick();  // a tick already queued changes nothing
    EXPECT_TRUE(CoverVisible());
    EXPECT_EQ(CoverAlpha(), 255);
}

TEST_F(Cover, AHideWaitsForAPendingRevealAndForTheMinimumTime) {
    ShowOverlayCover();
    hostedview::Refresh().revealDeferred = true;
    HideOverlayCover();
    CoverMinTimeTick();
    EXPECT_TRUE(CoverVisible());
    EXPECT_FALSE(Overlay().fading);

    hostedview::Refresh().revealDeferred = false;
    RaiseHideNotBefore(60000);
    HideOverlayCover();
    EXPECT_TRUE(CoverVisible()) << "before the minimum time";
    EXPECT_FALSE(Overlay().fading);
    // A refresh started while the hide waited: its view is not ready yet.
    hostedview::Refresh().settling = true;
    CoverMinTimeTick();  // the minimum time's timer
    EXPECT_TRUE(CoverVisible());
    EXPECT_FALSE(Overlay().fading) << "no fade over a settling view";
    hostedview::Refresh().settling = false;
    HideOverlayCover();
    CoverMinTimeTick();
    EXPECT_TRUE(Overlay().fading);
    EXPECT_EQ(Overlay().hideNotBefore, 0u);
}

TEST_F(Cover, RightClickStepsAsideAndOpensTheListViewsMenu) {
    HWND list = hostedview::FindHostedListView();
    ASSERT_TRUE(list) << "the shell view has its list view";
    ShowOverlayCover();
    SetCursorPos(300, 250);
    POINT cursor;
    GetCursorPos(&cursor);
    SendMessageW(Overlay().window, WM_RBUTTONUP, 0, 0);
    EXPECT_FALSE(CoverVisible());
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, list, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    EXPECT_EQ(msg.wParam, reinterpret_cast<WPARAM>(list));
    EXPECT_EQ(static_cast<short>(LOWORD(msg.lParam)), cursor.x);
    EXPECT_EQ(static_cast<short>(HIWORD(msg.lParam)), cursor.y);
}

TEST_F(Cover, WatchdogRemovesAStrandedCoverButNotOneAboutToGo) {
    const auto strand = [] { Overlay().coverShownTick = GetTickCount() - 1600; };
    ShowOverlayCover();
    strand();
    hostedview::Refresh().remainingSweeps = 1;
    OverlayWatchdogTick();
    EXPECT_TRUE(CoverVisible()) << "a reveal sweep is armed";
    hostedview::Refresh().remainingSweeps = 0;
    OverlayWatchdogTick();
    EXPECT_FALSE(CoverVisible());

    // Kept up after a fade was stopped: the fade had cleared the show time
    // the watchdog counts from, so the stop starts it again.
    ShowOverlayCover();
    StartOverlayFade(256, nullptr);
    const DWORD before = GetTickCount();
    StopOverlayFade();
    const DWORD after = GetTickCount();
    EXPECT_TRUE(CoverVisible());
    EXPECT_EQ(CoverAlpha(), 255);
    const DWORD shown = Overlay().coverShownTick;
    EXPECT_TRUE(shown - before <= after - before) << "shown from the stop on, not never";
    EXPECT_TRUE(OverlayCoverRecentlyShown());
}

TEST_F(Cover, NothingGoesOverAnOpenPaletteMenu) {
    Palette().menuDepth = 1;
    ShowOverlayCover();
    Palette().menuDepth = 0;
    EXPECT_FALSE(CoverVisible());
}

}  // namespace
}  // namespace lumetra::palette
