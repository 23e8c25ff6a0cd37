// LoadConfig followed by SaveConfig on a configuration with every section and
// eight monitors, the work done at start-up and after every settings change.
// The file lives in memory, so the figure is the settings code and the INI
// document, without the disk.
#include <benchmark/benchmark.h>

#include <string>

#include "config/config_host.h"
#include "config/settings_store.h"
#include "log/debug_log.h"

namespace {

using namespace lumetra::config;

std::string gFile;

std::string RealisticFile() {
    std::string s =
        "\xEF\xBB\xBF[General]\r\nDebugLog=0\r\nRunAtStartup=1\r\n[Window]\r\nX=2040\r\nY=130\r\nW="
        "1180\r\n"
        "H=720\r\nOpacity=75\r\n[Hotkey]\r\nToggleHotkey=Ctrl+Shift+VK_SPACE\r\nTrigger="
        "2\r\nMouseButton=1\r\n"
        "MouseMode=1\r\nMouseLongPressMs=450\r\n[UI]\r\nSortMode=1\r\nSortAscending=0\r\nGroupBy="
        "1\r\n"
        "GroupByAscending=1\r\nGroupByKey={B725F130-47EF-101A-A5F1-02608C9EEBAC}:"
        "4\r\nUILayoutPersisted=1\r\n"
        "ViewMode=3\r\nCloseOnItemActivate=1\r\nDesktopItemsMode=0\r\nDisplayMode=2\r\nLanguage="
        "de\r\n";
    std::string pos = "[MonitorPos]\r\n", view = "[MonitorView]\r\n",
                layout = "[MonitorLayout]\r\n";
    for (int m = 1; m <= 8; ++m) {
        const std::string key = "DISPLAY" + std::to_string(m);
        pos += key + "=" + std::to_string((m - 4) * 1920 + 100) + ",80," +
               std::to_string(800 + m * 10) + ",600\r\n";
        view += key + "=" + std::to_string(1 + m % 4) + "\r\n";
        layout += key + "=" + std::to_string(m % 3) + "|1|" + std::to_string(m % 2) +
                  "|1|1|{B725F130-47EF-101A-A5F1-02608C9EEBAC}:" + std::to_string(m) + "\r\n";
    }
    return s + pos + view + layout;
}

void Install() {
    ConfigHost& host = Host();
    host = ConfigHost{};
    host.resolveConfigPath = [] { return std::wstring(L"config.ini"); };
    host.fileExists = [](const std::wstring&) { return true; };
    host.loadDocument = [](IniDocument& doc) {
        return doc.loadFromBytes(reinterpret_cast<const std::uint8_t*>(gFile.data()), gFile.size());
    };
    host.saveDocument = [](const IniDocument& doc) {
        gFile = doc.serializeFileBytes();
        return !gFile.empty();
    };
    host.palette.windowExists = [] { return true; };
    host.palette.windowRect = [](ScreenRect& rect) {
        rect = {2040, 130, 3220, 850};
        return true;
    };
    host.currentMonitorKey = [] { return std::wstring(L"DISPLAY5"); };
}

void BM_LoadAndSaveConfig(benchmark::State& state) {
    Install();
    gFile = RealisticFile();
    for (auto _ : state) {
        LoadConfig();
        SaveConfig();
        benchmark::DoNotOptimize(gFile.data());
    }
    state.counters["file_bytes"] = static_cast<double>(gFile.size());
}
BENCHMARK(BM_LoadAndSaveConfig);

}  // namespace
