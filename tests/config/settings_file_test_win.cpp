// The configuration on real files and monitors (run under Wine).
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "../support/temp_dir_win.h"
#include "config/config_host_win.h"
#include "config/monitor_values.h"
#include "config/monitor_win.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "log/debug_log.h"

namespace lumetra::config {
namespace {

using testing_support::Exists;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

HWND gWindow = nullptr;

// A hidden stand-in for the palette at a fixed place.
class PaletteWindow {
  public:
    PaletteWindow() {
        gWindow = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"palette", WS_POPUP, 300, 200, 640,
                                  480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~PaletteWindow() {
        DestroyWindow(gWindow);
        gWindow = nullptr;
    }
    PaletteWindow(const PaletteWindow&) = delete;
    PaletteWindow& operator=(const PaletteWindow&) = delete;
};

void Install(const std::wstring& path) {
    Cfg() = Settings{};
    Session() = ConfigSession{};
    Session().path = path;
    ConfigHostLinks links;
    links.palette.windowExists = [] { return gWindow && IsWindow(gWindow); };
    links.palette.windowRect = [](ScreenRect& rect) {
        RECT r{};
        if (!GetWindowRect(gWindow, &r)) return false;
        rect = {r.left, r.top, r.right, r.bottom};
        return true;
    };
    links.paletteWindow = [] { return gWindow; };
    InstallConfigHost(links);
}

std::string Content(const std::wstring& path) {
    const auto bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(MonitorKeyOf, NamesTheDisplayOrUnknown) {
    EXPECT_EQ(MonitorKeyOf(nullptr), L"_unknown");
    const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const std::wstring key = MonitorKeyOf(primary);
    EXPECT_TRUE(IsStorableMonitorKey(key));
    EXPECT_EQ(key.find(L'\\'), std::wstring::npos);
    EXPECT_EQ(key.rfind(L"DISPLAY", 0), 0u);
}

TEST(PaletteMonitor, NeedsThePaletteWindow) {
    TempDir dir;
    Install(dir.file(L"config.ini"));
    EXPECT_EQ(PaletteMonitor(), nullptr);
    EXPECT_EQ(CurrentMonitorKey(), L"");
    EXPECT_EQ(PaletteNearestMonitorKey(), L"");
    EXPECT_NE(CursorMonitorOrPalette(), nullptr);

    PaletteWindow palette;
    ASSERT_NE(PaletteMonitor(), nullptr);
    const std::wstring key = MonitorKeyOf(PaletteMonitor());
    EXPECT_EQ(CurrentMonitorKey(), key);
    EXPECT_EQ(PaletteNearestMonitorKey(), key);
    Session().currentMonitorKey = L"DISPLAY7";
    EXPECT_EQ(CurrentMonitorKey(), L"DISPLAY7");
}

TEST(MonitorPrefsLoad, ReadsTheMonitorsViewFromTheFile) {
    TempDir dir;
    const std::wstring path = dir.file(L"config.ini");
    Install(path);
    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const std::wstring wideKey = MonitorKeyOf(monitor);
    const std::string key(wideKey.begin(), wideKey.end());
    const std::string text =
        "[MonitorView]\r\n" + key + "=4\r\n[MonitorLayout]\r\n" + key + "=2|0|0|1|1|";
    ASSERT_TRUE(WriteBytes(path, text.data(), text.size()));
    ASSERT_TRUE(MonitorPrefsLoad(monitor));
    EXPECT_EQ(Cfg().viewMode, ViewMode::ExtraLarge);
    EXPECT_EQ(Cfg().sortMode, SortMode::Size);
    EXPECT_EQ(CurrentMonitor(), monitor);
    EXPECT_FALSE(MonitorPrefsLoad(nullptr));
}

TEST(ConfigFile, SavesThePaletteAndNeverOverwritesAnUnreadableFile) {
    TempDir dir;
    const std::wstring path = dir.file(L"config.ini");
    const std::wstring logPath = dir.file(L"toggle-debug.log");
    Install(path);
    log::DebugLogSetPath(logPath.c_str());
    PaletteWindow palette;

    ASSERT_TRUE(WriteBytes(path, "", 0));
    LoadConfig();
    EXPECT_FALSE(Session().readable);
    SaveConfig();
    SaveOpacity();
    EXPECT_EQ(Content(path), "");
    EXPECT_FALSE(Exists(path + L".tmp"));
    EXPECT_FALSE(Exists(logPath)) << "the log is off, so the skipped saves write no log";

    ASSERT_TRUE(DeleteFileW(path.c_str()));
    SaveConfig();
    const std::string saved = Content(path);
    EXPECT_EQ(saved.rfind(
                  "\xEF\xBB\xBF[Window]\r\nX=300\r\nY=200\r\nW=640\r\nH=480\r\nOpacity=100\r\n", 0),
              0u)
        << saved;
    EXPECT_NE(saved.find("=300,200,640,480"), std::string::npos)
        << "the palette's monitor keeps its place";

    Cfg() = Settings{};
    Session() = ConfigSession{};
    Session().path = path;
    LoadConfig();
    EXPECT_TRUE(Session().readable);
    EXPECT_EQ(Cfg().w, 640);
}

}  // namespace
}  // namespace lumetra::config
