// Two monitors side by side behind the monitor source (the test machine has
// one): the palette moved from one to the other takes that monitor's view
// mode and sort into the real shell view, and both monitors' entries reach
// config.ini.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "config/config_host_win.h"
#include "config/monitor_win.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "hostedview/hosted_view_win.h"
#include "palette/palette_window_win.h"
#include "platform/monitors_win.h"
#include "support/temp_dir_win.h"

namespace lumetra::palette {
namespace {

using testing_support::TempDir;

const HMONITOR kLeft = reinterpret_cast<HMONITOR>(0x7101);
const HMONITOR kRight = reinterpret_cast<HMONITOR>(0x7102);
constexpr LONG kSplit = 960;

HMONITOR AtPoint(POINT point, DWORD) { return point.x < kSplit ? kLeft : kRight; }

HMONITOR OfWindow(HWND window, DWORD) {
    RECT r{};
    GetWindowRect(window, &r);
    return AtPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, 0);
}

bool Info(HMONITOR monitor, MONITORINFOEXW& info) {
    if (monitor != kLeft && monitor != kRight) return false;
    const bool left = monitor == kLeft;
    info.rcMonitor = left ? RECT{0, 0, kSplit, 1080} : RECT{kSplit, 0, 1920, 1080};
    info.rcWork = info.rcMonitor;
    info.rcWork.bottom -= 40;
    info.dwFlags = left ? MONITORINFOF_PRIMARY : 0;
    lstrcpyW(info.szDevice, left ? L"\\\\.\\DISPLAY1" : L"\\\\.\\DISPLAY2");
    return true;
}

UINT Dpi(HMONITOR) { return 96; }

std::string FileText(const std::wstring& path) {
    const auto bytes = testing_support::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

int ListViewMode() {
    HWND list = hostedview::FindHostedListView();
    return list ? static_cast<int>(SendMessageW(list, LVM_GETVIEW, 0, 0)) : -1;
}

class TwoMonitors : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        InitCommonControls();
        platform::SetMonitorSource({AtPoint, OfWindow, Info, Dpi});
        path_ = dir_.file(L"config.ini");
        std::ofstream(path_.c_str(), std::ios::binary)
            << "[UI]\r\nViewMode=1\r\n"
               "[MonitorView]\r\nDISPLAY1=1\r\nDISPLAY2=3\r\n"
               "[MonitorLayout]\r\nDISPLAY1=0|1|0|1|1|\r\nDISPLAY2=2|0|0|1|1|\r\n";
        config::Cfg() = config::Settings{};
        config::Session() = config::ConfigSession{};
        config::Session().path = path_;
        config::ConfigHostLinks links;
        links.palette = PaletteStateForConfig();
        links.paletteWindow = PaletteWindow;
        config::InstallConfigHost(links);
        config::LoadConfig();

        palette_ = CreatePaletteWindow(GetModuleHandleW(nullptr), {100, 100, 640, 480}, {});
        ASSERT_TRUE(palette_);
        ShowWindow(palette_, SW_SHOW);
        config::SetCurrentMonitor(kLeft);
        config::Session().currentMonitorKey = L"DISPLAY1";
        ASSERT_TRUE(config::MonitorPrefsLoad(kLeft));
        Pump();
    }
    void TearDown() override {
        if (palette_) DestroyWindow(palette_);
        Pump();
        platform::SetMonitorSource({});
        config::InstallConfigHost({});
        OleUninitialize();
    }
    void MoveTo(int x) {
        SetWindowPos(palette_, nullptr, x, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }

    TempDir dir_;
    std::wstring path_;
    HWND palette_ = nullptr;
};

TEST_F(TwoMonitors, MovingThePaletteAppliesEachMonitorsViewAndKeepsBothInTheFile) {
    ASSERT_EQ(config::Cfg().viewMode, config::ViewMode::Large);
    MoveTo(1100);
    EXPECT_EQ(config::Session().currentMonitorKey, L"DISPLAY2");
    EXPECT_EQ(config::Cfg().viewMode, config::ViewMode::Small);
    EXPECT_EQ(config::ToInt(config::Cfg().sortMode), 2);
    EXPECT_FALSE(config::Cfg().sortAscending);
    EXPECT_EQ(ListViewMode(), LV_VIEW_SMALLICON) << "small icons, not grouped";

    MoveTo(100);
    EXPECT_EQ(config::Session().currentMonitorKey, L"DISPLAY1");
    EXPECT_EQ(config::Cfg().viewMode, config::ViewMode::Large);
    EXPECT_EQ(config::ToInt(config::Cfg().sortMode), 0);
    EXPECT_EQ(ListViewMode(), LV_VIEW_ICON);

    const std::string text = FileText(path_);
    EXPECT_NE(text.find("DISPLAY1=1"), std::string::npos) << text;
    EXPECT_NE(text.find("DISPLAY2=3"), std::string::npos) << text;
    EXPECT_NE(text.find("DISPLAY1=0|1|0|1|1|"), std::string::npos) << text;
    EXPECT_NE(text.find("DISPLAY2=2|0|0|1|1|"), std::string::npos) << text;
}

}  // namespace
}  // namespace lumetra::palette
