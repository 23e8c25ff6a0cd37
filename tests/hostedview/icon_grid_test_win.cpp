// The small-icon grid on a real list view, with the recording folder view
// standing in for the shell: Wine's own view never reports its icon size,
// which is exactly the shell the grid must not wait on for ever.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "config/settings.h"
#include "fake_folder_view_win.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/icon_grid_rules.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/view_refresh_win.h"
#include "log/debug_log_capture.h"

namespace lumetra::hostedview {
namespace {

using config::Cfg;
using config::ViewMode;
using testing::FakeFolderView;

constexpr int kItems = 7;

class IconGrid : public ::testing::Test {
  protected:
    void SetUp() override {
        InitCommonControls();
        Cfg() = config::Settings{};
        Refresh() = RefreshState{};
        log::ResetCapturedLog();
        HostedView& v = View();
        v.host = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"palette", WS_POPUP, 100, 100, 520,
                                 400, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        v.viewWindow = CreateWindowExW(0, L"STATIC", L"view", WS_CHILD | WS_VISIBLE, 1, 1, 518, 398,
                                       v.host, nullptr, GetModuleHandleW(nullptr), nullptr);
        list_ = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0, 500,
                                398, v.viewWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(list_);
        for (int i = 0; i < kItems; ++i) {
            std::wstring text = L"item " + std::to_wstring(i);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = text.data();
            SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
        v.listView = list_;
        v.hostLinks = ViewHost{};
        view_.refs = 2;  // the record's reference and the fixture's
        v.shellView = platform::ComPtr<IShellView>::Attach(&view_);
        Cfg().viewMode = ViewMode::Small;
        // A shell that reports small icons resets any earlier wait.
        ShowSmallIcons(true);
        ApplyShellListViewIconMetrics(list_, true);
        log::ResetCapturedLog();
    }
    void TearDown() override {
        HostedView& v = View();
        v.shellView.reset();
        DestroyWindow(v.host);
        v.host = v.viewWindow = v.listView = nullptr;
    }
    void ShowSmallIcons(bool shows) {
        view_.mode = shows ? FVM_SMALLICON : FVM_ICON;
        view_.iconPx = shows ? 20 : 48;
    }
    static int CountLines(const std::wstring& start) {
        int count = 0;
        for (const std::wstring& line : log::CapturedLogLines())
            if (line.rfind(start, 0) == 0) ++count;
        return count;
    }
    POINT Position(int index) const {
        POINT at{};
        SendMessageW(list_, LVM_GETITEMPOSITION, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&at));
        return at;
    }

    FakeFolderView view_;
    HWND list_ = nullptr;
};

TEST_F(IconGrid, ItemsGoToTheCellsOfARowMajorGrid) {
    ApplyShellListViewIconMetrics(list_, true);
    ASSERT_EQ(CountLines(L"ManualGridArrangeSmallIcons: itemCount=7 "), 1);
    // The cell is at least the 52-pixel minimum; 500 pixels hold that many.
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds));
    const int cx = CalcSmallIconWidth(list_);
    const int perRow = ItemsPerRow(500, cx);
    for (int i = 0; i < kItems; ++i) {
        const GridPosition want = SmallIconGridPosition(i, cx, bounds.bottom - bounds.top, perRow);
        EXPECT_EQ(Position(i).x, want.x) << i;
        EXPECT_EQ(Position(i).y, want.y) << i;
    }
    EXPECT_FALSE(GetWindowLongW(list_, GWL_STYLE) & LVS_AUTOARRANGE);
    EXPECT_EQ(CountLines(L"SmallIconArrange positions: [0]=(4,5) "), 1);
}

TEST_F(IconGrid, AShellThatNeverReportsSmallIconsIsWaitedForOnlySoLong) {
    ShowSmallIcons(false);
    for (int i = 0; i < kMaxShellCommitWaits; ++i) ApplyShellListViewIconMetrics(list_, true);
    EXPECT_EQ(CountLines(L"ApplyShellListViewIconMetrics: skip (shell not yet committed"),
              kMaxShellCommitWaits);
    EXPECT_EQ(CountLines(L"ManualGridArrangeSmallIcons: itemCount="), 0);

    ApplyShellListViewIconMetrics(list_, true);
    EXPECT_EQ(CountLines(L"ApplyShellListViewIconMetrics: the shell never reported small icons"),
              1);
    EXPECT_EQ(CountLines(L"ManualGridArrangeSmallIcons: itemCount="), 1);

    // Later layouts go ahead at once, without another word about the shell.
    log::ResetCapturedLog();
    ApplyShellListViewIconMetrics(list_, true);
    EXPECT_EQ(CountLines(L"ManualGridArrangeSmallIcons: itemCount="), 1);
    EXPECT_EQ(CountLines(L"ApplyShellListViewIconMetrics: skip"), 0);
    EXPECT_EQ(CountLines(L"ApplyShellListViewIconMetrics: the shell never"), 0);

    // Wine's answer, E_NOTIMPL, is the same silence.
    view_.notImplemented = true;
    log::ResetCapturedLog();
    ApplyShellListViewIconMetrics(list_, true);
    EXPECT_EQ(CountLines(L"ManualGridArrangeSmallIcons: itemCount="), 1);
}

TEST_F(IconGrid, OtherViewModesGetTheirFixedSpacing) {
    struct Case {
        ViewMode view;
        int cx, cy;
    } cases[] = {
        {ViewMode::Large, 136, 152}, {ViewMode::Medium, 88, 104}, {ViewMode::ExtraLarge, 168, 184}};
    for (const Case& c : cases) {
        Cfg().viewMode = c.view;
        ApplyShellListViewIconMetrics(list_, false);
        const auto spacing = static_cast<DWORD>(SendMessageW(list_, LVM_GETITEMSPACING, FALSE, 0));
        EXPECT_EQ(LOWORD(spacing), c.cx) << static_cast<int>(c.view);
        EXPECT_EQ(HIWORD(spacing), c.cy) << static_cast<int>(c.view);
    }
    EXPECT_EQ(CountLines(L"ManualGridArrangeSmallIcons"), 0) << "no grid outside small icons";
}

}  // namespace
}  // namespace lumetra::hostedview
