// View mode, sort and grouping pushed into the folder view and read back from
// it. Wine's view cannot size icons, sort or group, so the view here is the
// recording fake; the palette and the view window are real hidden windows.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/temp_dir_win.h"
#include "config/config_host.h"
#include "config/config_host_win.h"
#include "config/settings.h"
#include "fake_folder_view_win.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"
#include "log/debug_log_capture.h"

namespace lumetra::hostedview {
namespace {

using config::Cfg;
using config::SortMode;
using config::ViewMode;
using testing::FakeFolderView;

constexpr const wchar_t* kStorage = L"{B725F130-47EF-101A-A5F1-02608C9EEBAC}";
constexpr PROPERTYKEY Storage(DWORD pid) {
    return {{0xB725F130, 0x47EF, 0x101A, {0xA5, 0xF1, 0x02, 0x60, 0x8C, 0x9E, 0xEB, 0xAC}}, pid};
}

struct HostCounts {
    int coverShown = 0;
    int crossfades = 0;
    bool dragging = false;
};
HostCounts gHost;

class ViewModeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Cfg() = config::Settings{};
        config::Session() = config::ConfigSession{};
        Refresh() = RefreshState{};
        gHost = HostCounts{};
        log::ResetCapturedLog();
        HostedView& v = View();
        v.host = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"palette", WS_POPUP, 100, 100, 640,
                                 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        v.viewWindow = CreateWindowExW(0, L"STATIC", L"view", WS_CHILD, 0, 0, 640, 480, v.host,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
        v.listView = nullptr;
        ViewHost links;
        links.showCover = [] { ++gHost.coverShown; };
        links.crossfadeCover = [] { ++gHost.crossfades; };
        links.dragging = [] { return gHost.dragging; };
        v.hostLinks = links;
        view.refs = 2;  // the record's reference and the fixture's
        v.shellView = platform::ComPtr<IShellView>::Attach(&view);
    }
    void TearDown() override {
        FlushPendingSortSync();
        HostedView& v = View();
        v.shellView.reset();
        v.hostLinks = ViewHost{};
        DestroyWindow(v.host);
        v.host = v.viewWindow = v.listView = nullptr;
        config::Host() = config::ConfigHost{};
    }

    void ShowPalette() { ShowWindow(View().host, SW_SHOWNOACTIVATE); }

    static bool Logged(const std::wstring& line) {
        for (const std::wstring& l : log::CapturedLogLines())
            if (l == line) return true;
        return false;
    }
    static bool LoggedStart(const std::wstring& start) {
        for (const std::wstring& l : log::CapturedLogLines())
            if (l.rfind(start, 0) == 0) return true;
        return false;
    }

    FakeFolderView view;
};

TEST_F(ViewModeTest, SmallIconsAreIconModeWhileGroupedAndSmallIconModeOtherwise) {
    struct Case {
        bool groupBy;
        FOLDERVIEWMODE mode;
        DWORD groupPid;  // 0: ungrouped
        const wchar_t* logStart;
    } cases[] = {
        {true, FVM_ICON, 10,
         L"CommitViewMode: cfg.view=3 wantFVM=1 wantPx=20 dpi=96 hr=0x00000000 shellFVM=1 "
         L"shellPx=20 groupedSmall=1 ungroupedSmallFallback=0"},
        // Grouping turned off on the same view.
        {false, FVM_SMALLICON, 0,
         L"CommitViewMode: cfg.view=3 wantFVM=2 wantPx=20 dpi=96 hr=0x00000000 shellFVM=2 "
         L"shellPx=20 groupedSmall=0 ungroupedSmallFallback=0"},
    };
    for (const Case& c : cases) {
        Cfg().viewMode = ViewMode::Small;
        Cfg().groupBy = c.groupBy;
        Cfg().uiLayoutPersisted = true;  // empty GroupByKey: by name
        log::ResetCapturedLog();
        ApplyShellViewModeForced();
        EXPECT_EQ(view.mode, c.mode) << c.groupBy;
        EXPECT_EQ(view.iconPx, 20) << c.groupBy;
        EXPECT_EQ(view.groupKey.pid, c.groupPid) << c.groupBy;
        EXPECT_TRUE(Logged(c.logStart)) << c.groupBy;
        EXPECT_TRUE(IsViewModeCommitted()) << c.groupBy;
        EXPECT_EQ(IsViewGrouped(), c.groupBy);
    }
    // The header stays hidden in every mode, and single-click follows the shell.
    EXPECT_EQ(view.folderFlags & 0x1000000u, 0x1000000u);
}

TEST_F(ViewModeTest, RefusedIconSizeFallsBackToSmallIconsOnlyForSmallIcons) {
    struct Case {
        ViewMode view;
        bool groupBy;
        bool notImplemented;  // as Wine: nothing but SetCurrentViewMode works
        FOLDERVIEWMODE lastMode;
        bool triesSmall;
    } cases[] = {
        {ViewMode::Small, true, false, FVM_SMALLICON, true},
        {ViewMode::Small, false, false, FVM_SMALLICON, true},
        {ViewMode::Medium, false, false, FVM_ICON, false},
        {ViewMode::Small, true, true, FVM_ICON, true},
        {ViewMode::Small, false, true, FVM_SMALLICON, true},
        {ViewMode::ExtraLarge, false, true, FVM_ICON, false},
    };
    for (const Case& c : cases) {
        FakeFolderView fresh;
        fresh.sizeFailsIn = {FVM_ICON};
        fresh.notImplemented = c.notImplemented;
        Cfg().viewMode = c.view;
        Cfg().groupBy = c.groupBy;
        CommitViewMode(&fresh);
        const int px = c.view == ViewMode::Small ? 20 : c.view == ViewMode::Medium ? 48 : 128;
        const std::wstring small = L"SetViewModeAndIconSize 2 " + std::to_wstring(px);
        EXPECT_EQ(fresh.CallCount(small) > 0, c.triesSmall) << static_cast<int>(c.view);
        EXPECT_EQ(fresh.mode, c.lastMode) << static_cast<int>(c.view) << " " << c.groupBy;
        if (!c.notImplemented && c.view == ViewMode::Small) {
            EXPECT_EQ(fresh.iconPx, 20);
        }
    }
}

TEST_F(ViewModeTest, IconSizeWithinFourPixelsCountsAsCommitted) {
    Cfg().viewMode = ViewMode::Small;
    CommitShellView();
    struct Case {
        int reported;
        bool committed;
    } cases[] = {{20, true}, {22, true}, {16, true}, {25, false}, {15, false}};
    for (const Case& c : cases) {
        view.reportedPx = c.reported;
        view.calls.clear();
        EXPECT_EQ(IsViewModeCommitted(), c.committed) << c.reported;
        ApplyShellViewModeIfNeeded();
        EXPECT_EQ(view.calls.empty(), c.committed) << c.reported;
    }
}

TEST_F(ViewModeTest, ListOrDetailsGuardPutsTheViewBack) {
    Cfg().viewMode = ViewMode::Large;
    CommitShellView();
    view.SwitchToDetails();
    ListOrDetailsGuard();  // hidden palette: left for the next show
    EXPECT_EQ(view.mode, FVM_DETAILS);

    ShowPalette();
    Refresh().settling = true;
    ListOrDetailsGuard();
    EXPECT_EQ(view.mode, FVM_DETAILS);

    Refresh().settling = false;
    ListOrDetailsGuard();
    EXPECT_EQ(view.mode, FVM_ICON);
    EXPECT_EQ(view.iconPx, 96);

    view.calls.clear();
    ListOrDetailsGuard();  // nothing to do in icon mode
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(ViewModeTest, InvalidGroupByKeyUngroupsAndSaysSo) {
    const std::wstring storage = kStorage;
    for (const std::wstring& key :
         std::vector<std::wstring>{storage + L"10", L":10", storage + L":", L"{B725F130}:10"}) {
        view.groupKey = Storage(10);
        log::ResetCapturedLog();
        Cfg().groupBy = true;
        Cfg().groupByKey = key;
        ApplyShellViewGroupFromConfig();
        EXPECT_EQ(view.groupKey.pid, 0u) << ::testing::PrintToString(key);
        EXPECT_TRUE(Logged(L"ApplyShellViewGroupFromConfig: invalid key='" + key + L"'"))
            << ::testing::PrintToString(key);
    }
}

TEST_F(ViewModeTest, GroupingFollowsTheSettingsAndIsNotRepeated) {
    Cfg().groupBy = true;
    Cfg().groupByAscending = false;
    ApplyShellViewGroupFromConfig();  // empty key: by name
    EXPECT_EQ(view.groupKey.pid, 10u);
    EXPECT_EQ(view.groupAscending, FALSE);

    Cfg().groupByKey = std::wstring(kStorage) + L":14";
    ApplyShellViewGroupFromConfig();
    EXPECT_EQ(view.groupKey.pid, 14u);
    view.calls.clear();
    ApplyShellViewGroupFromConfig();
    EXPECT_EQ(view.CallCount(L"SetGroupBy"), 0) << "already grouped as wanted";

    view.groupResult = E_FAIL;
    Cfg().groupByKey = std::wstring(kStorage) + L":12";
    ApplyShellViewGroupFromConfig();
    EXPECT_TRUE(Logged(L"ApplyShellViewGroupFromConfig: SetGroupBy hr=0x80004005 key=" +
                       std::wstring(kStorage) + L":12 asc=0"));
}

TEST_F(ViewModeTest, ShellOwnsSortAndGroupingUntilTheSettingsDo) {
    for (bool persisted : {false, true}) {
        view.sort = {Storage(12), SORT_DESCENDING};
        view.groupKey = Storage(14);
        view.calls.clear();
        Cfg().uiLayoutPersisted = persisted;
        ApplyShellViewModeForced();
        EXPECT_EQ(view.CallCount(L"SetSortColumns"), persisted ? 1 : 0) << persisted;
        EXPECT_EQ(view.CallCount(L"SetGroupBy"), persisted ? 1 : 0) << persisted;
        EXPECT_EQ(view.sort.propkey.pid, persisted ? 10u : 12u);
        EXPECT_EQ(view.groupKey.pid, persisted ? 0u : 14u);
    }
    EXPECT_TRUE(Logged(L"ApplyShellViewSortFromConfig: cfg.sort=0 cfg.asc=1 set.dir=1"));
    EXPECT_TRUE(Logged(L"ApplyShellViewSortFromConfig: readback hr=0x00000000 count=1 dir=1"));
    view.calls.clear();
    ApplyShellViewSortFromConfig();
    EXPECT_EQ(view.CallCount(L"SetSortColumns"), 0) << "already sorted as wanted";
}

TEST_F(ViewModeTest, RegroupIsCoveredOnlyInAShownPalette) {
    Cfg().groupBy = true;
    ApplyShellViewGroupFromConfig();  // hidden
    EXPECT_EQ(gHost.coverShown, 0);
    EXPECT_FALSE(ViewFrozen());

    Cfg().groupBy = false;
    ShowPalette();
    ApplyShellViewGroupFromConfig();
    EXPECT_EQ(gHost.coverShown, 1);
    EXPECT_EQ(gHost.crossfades, 1);
    EXPECT_FALSE(ViewFrozen());
    EXPECT_TRUE(IsWindowVisible(View().viewWindow)) << "shown again after the regroup";

    gHost.dragging = true;
    Cfg().groupBy = true;
    ApplyShellViewGroupFromConfig();
    EXPECT_EQ(gHost.coverShown, 1) << "no cover while the palette is dragged";
    EXPECT_EQ(view.groupKey.pid, 10u);
}

TEST_F(ViewModeTest, SortPickedInTheShellReachesConfigIni) {
    testing_support::TempDir dir;
    const std::wstring path = dir.file(L"config.ini");
    config::Session().path = path;
    config::ConfigHostLinks links;
    links.palette.windowExists = [] { return IsWindow(View().host) != FALSE; };
    links.paletteWindow = [] { return View().host; };
    config::InstallConfigHost(links);
    config::Session().currentMonitorKey = L"DISPLAY1";

    // The shell's own menu sorted by size, descending, and grouped by date.
    view.sort = {Storage(12), SORT_DESCENDING};
    view.groupKey = Storage(14);
    view.groupAscending = FALSE;
    ArmShellCommandSync();
    ShellCommandSyncTick();

    const config::Settings& cfg = Cfg();
    EXPECT_EQ(cfg.sortMode, SortMode::Size);
    EXPECT_FALSE(cfg.sortAscending);
    EXPECT_TRUE(cfg.groupBy);
    EXPECT_FALSE(cfg.groupByAscending);
    EXPECT_EQ(cfg.groupByKey, std::wstring(kStorage) + L":14");
    EXPECT_TRUE(cfg.uiLayoutPersisted);
    EXPECT_TRUE(Logged(L"SyncShellViewSettings: sort=2 sortAsc=0 group=1 groupAsc=0 key=" +
                       std::wstring(kStorage) + L":14"));

    const auto bytes = testing_support::ReadBytes(path);
    const std::string ini(bytes.begin(), bytes.end());
    for (const char* line : {"SortMode=2", "SortAscending=0", "GroupBy=1", "UILayoutPersisted=1",
                             "DISPLAY1=2|0|1|0|1|{B725F130-47EF-101A-A5F1-02608C9EEBAC}:14"})
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;
}

TEST_F(ViewModeTest, PendingShellSortIsFlushedOnHideOnlyWhenArmed) {
    view.sort = {Storage(14), SORT_ASCENDING};
    FlushPendingSortSync();
    EXPECT_EQ(Cfg().sortMode, SortMode::Name) << "nothing was pending";

    ArmShellCommandSync();
    FlushPendingSortSync();
    EXPECT_EQ(Cfg().sortMode, SortMode::DateModified);
    EXPECT_TRUE(Logged(L"SyncShellViewSortToConfig: sort=1 asc=1 dir=1"));

    view.notImplemented = true;  // as Wine: the sort cannot be read
    ArmShellCommandSync();
    FlushPendingSortSync();
    EXPECT_EQ(Cfg().sortMode, SortMode::Name);
    EXPECT_TRUE(Logged(L"SyncShellViewSortToConfig: GetSortColumns failed/empty -> Name Asc."));
}

TEST_F(ViewModeTest, SortPickedWhileHiddenIsAppliedAtOnce) {
    Cfg().sortAscending = false;
    OnUserPickedSortMode(1);
    EXPECT_TRUE(Cfg().uiLayoutPersisted);
    EXPECT_EQ(view.sort.propkey.pid, 14u);
    EXPECT_EQ(view.sort.direction, SORT_DESCENDING);
    EXPECT_TRUE(Logged(L"OnUserPickedSortMode: picked sort=1 asc=0 group=0"));
}

}  // namespace
}  // namespace lumetra::hostedview
