// Any config.ini through LoadConfig and SaveConfig: no crash, and the saved
// file is a fixed point: loading it and saving again gives the same bytes and
// the same settings.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "config/config_host.h"
#include "config/settings_store.h"
#include "log/debug_log.h"
#include "log/debug_log_capture.h"

using namespace lumetra::config;

namespace {

constexpr const wchar_t* kPath = L"config.ini";
std::string gFile;
bool gExists = false;

void Install() {
    ConfigHost& host = Host();
    host = ConfigHost{};
    host.resolveConfigPath = [] { return std::wstring(kPath); };
    host.fileExists = [](const std::wstring&) { return gExists; };
    host.loadDocument = [](IniDocument& doc) {
        if (!gExists) {
            doc.clear();
            return true;
        }
        return doc.loadFromBytes(reinterpret_cast<const std::uint8_t*>(gFile.data()), gFile.size());
    };
    host.saveDocument = [](const IniDocument& doc) {
        const std::string bytes = doc.serializeFileBytes();
        if (bytes.empty()) return false;
        gFile = bytes;
        gExists = true;
        return true;
    };
    host.palette.windowExists = [] { return true; };
    host.palette.windowRect = [](ScreenRect& rect) {
        rect = {10, 20, 810, 620};
        return true;
    };
    host.currentMonitorKey = [] { return std::wstring(L"DISPLAY1"); };
}

std::string LoadAndSave() {
    Cfg() = Settings{};
    Session() = ConfigSession{};
    LoadConfig();
    lumetra::log::DebugLogSetEnabled(false);
    SaveConfig();
    return gFile;
}

bool SameSettings(const Settings& a, const Settings& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h && a.opacity == b.opacity &&
           a.trigger == b.trigger && a.mouseButton == b.mouseButton && a.mouseMode == b.mouseMode &&
           a.mouseLongPressMs == b.mouseLongPressMs && a.sortMode == b.sortMode &&
           a.sortAscending == b.sortAscending && a.groupBy == b.groupBy &&
           a.groupByAscending == b.groupByAscending && a.groupByKey == b.groupByKey &&
           a.uiLayoutPersisted == b.uiLayoutPersisted && a.viewMode == b.viewMode &&
           a.closeOnItemActivate == b.closeOnItemActivate &&
           a.desktopItemsMode == b.desktopItemsMode && a.displayMode == b.displayMode &&
           a.language == b.language && a.runAtStartup == b.runAtStartup &&
           a.debugLog == b.debugLog && a.toggleHotkey == b.toggleHotkey &&
           a.monitorPos == b.monitorPos && a.monitorView == b.monitorView &&
           a.monitorLayout == b.monitorLayout;
}

// Lines kept from one input to the next would look like a leak to the fuzzer.
void ForgetLog() {
    lumetra::log::CapturedLogLines().clear();
    lumetra::log::CapturedLogLines().shrink_to_fit();
}

int Run(const std::uint8_t* data, std::size_t size) {
    Install();
    gFile.assign(reinterpret_cast<const char*>(data), size);
    gExists = true;
    const std::string first = LoadAndSave();
    if (!Session().readable) {
        // An unreadable file is never written.
        if (first != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
        return 0;
    }
    const Settings settled = Cfg();
    const std::string second = LoadAndSave();
    if (second != first) std::abort();
    if (!SameSettings(Cfg(), settled)) std::abort();
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int result = Run(data, size);
    ForgetLog();
    return result;
}
