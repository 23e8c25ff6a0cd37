// Building and tearing down the real shell view of the test prefix's Desktop
// inside a plain window, as the palette does at creation and destruction.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <vector>

#include "config/settings.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/view_subclass_win.h"
#include "hostedview/view_sweep_win.h"
#include "log/debug_log_capture.h"

namespace lumetra::hostedview {
namespace {

std::vector<HWND> ViewWindowsOf(HWND host) {
    std::vector<HWND> found;
    for (HWND child = FindWindowExW(host, nullptr, L"SHELLDLL_DefView", nullptr); child;
         child = FindWindowExW(host, child, L"SHELLDLL_DefView", nullptr))
        found.push_back(child);
    return found;
}

bool Logged(const wchar_t* text) {
    for (const std::wstring& line : log::CapturedLogLines())
        if (line.find(text) != std::wstring::npos) return true;
    return false;
}

class ExplorerBrowser : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        InitCommonControls();
        host_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 640,
                                480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(host_);
        config::Cfg().desktopItemsMode = config::DesktopItemsMode::SameAsDesktop;
        config::Cfg().viewMode = config::ViewMode::Medium;
        log::ResetCapturedLog();
    }
    void TearDown() override {
        ReleaseExplorerBrowser();
        DestroyWindow(host_);
        OleUninitialize();
    }
    HWND host_ = nullptr;
};

TEST_F(ExplorerBrowser, BuildsTheDesktopViewWithItsListViewAndReleasesItCompletely) {
    ASSERT_TRUE(InitializeExplorerBrowser(host_));
    HostedView& v = View();
    ASSERT_TRUE(HasViewWindow());
    EXPECT_EQ(GetParent(v.viewWindow), host_);
    EXPECT_EQ(ViewWindowsOf(host_).size(), 1u);
    EXPECT_EQ(GetWindowLongPtrW(v.viewWindow, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(GetWindowLongPtrW(v.viewWindow, GWL_STYLE) & WS_BORDER, 0);
    RECT client{}, view{};
    GetClientRect(host_, &client);
    GetWindowRect(v.viewWindow, &view);
    MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&view), 2);
    EXPECT_EQ(view.left, 1);
    EXPECT_EQ(view.right, client.right - 1);

    HWND list = FindHostedListView();
    ASSERT_TRUE(list);
    EXPECT_EQ(GetParent(list), v.viewWindow);
    EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(ListViewSubclassProc));
    EXPECT_TRUE(v.viewWindowProc) << "the view window subclassed";
    EXPECT_GT(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    // Wine's view has no filter site: the sweep after the first refresh does the filtering.
    EXPECT_TRUE(Logged(L"InitializeExplorerBrowser: Folder filter NOT attached."));
    EXPECT_TRUE(Logged(L"] ExecuteShellViewRefreshSynchronously tick="));
    EXPECT_FALSE(HasForbiddenItem());
    EXPECT_TRUE(IsViewCleanAndPopulated());
    const wchar_t* flags =
        ShellDoubleClickOpens() ? L"viewMode=1 flags=0x1." : L"viewMode=1 flags=0x8201.";
    EXPECT_TRUE(Logged(flags));

    // The browser outlives the teardown only through the test's own reference.
    IShellBrowser* browser = v.browser.get();
    browser->AddRef();
    HWND firstView = v.viewWindow;
    ASSERT_TRUE(InitializeExplorerBrowser(host_)) << "a second build";
    EXPECT_FALSE(IsWindow(firstView)) << "the first view window is gone";
    EXPECT_EQ(ViewWindowsOf(host_).size(), 1u);
    EXPECT_NE(v.browser.get(), browser);

    ReleaseExplorerBrowser();
    EXPECT_TRUE(ViewWindowsOf(host_).empty());
    EXPECT_FALSE(v.shellView || v.browser || v.desktopFolder || v.folderFilter);
    EXPECT_FALSE(v.viewWindow || v.listView || v.subclassedListView || v.listViewProc ||
                 v.viewWindowProc || v.filterAttached);
    EXPECT_TRUE(v.rootIdList) << "kept for the life of the process";
    IShellView* active = reinterpret_cast<IShellView*>(0x1);
    EXPECT_EQ(browser->QueryActiveShellView(&active), E_FAIL);
    EXPECT_EQ(active, nullptr);
    EXPECT_EQ(browser->Release(), 0u) << "the view gave back every reference it took";
}

TEST_F(ExplorerBrowser, SmallIconsModeCreatesTheViewInSmallIcons) {
    config::Cfg().viewMode = config::ViewMode::Small;
    ASSERT_TRUE(InitializeExplorerBrowser(host_));
    EXPECT_TRUE(Logged(L"viewMode=2 flags="));
    FOLDERSETTINGS settings{};
    ASSERT_EQ(View().shellView->GetCurrentInfo(&settings), S_OK);
    EXPECT_EQ(settings.ViewMode, 2u);
}

TEST_F(ExplorerBrowser, AllItemsModeKeepsTheRootItemsTheDesktopHides) {
    config::Cfg().desktopItemsMode = config::DesktopItemsMode::AllItems;
    ASSERT_TRUE(InitializeExplorerBrowser(host_));
    const auto allItems = SendMessageW(FindHostedListView(), LVM_GETITEMCOUNT, 0, 0);
    config::Cfg().desktopItemsMode = config::DesktopItemsMode::SameAsDesktop;
    ASSERT_TRUE(InitializeExplorerBrowser(host_));
    const auto sameAsDesktop = SendMessageW(FindHostedListView(), LVM_GETITEMCOUNT, 0, 0);
    EXPECT_GT(allItems, sameAsDesktop) << "Wine's root lists \"/\" and Documents too";
}

}  // namespace
}  // namespace lumetra::hostedview
