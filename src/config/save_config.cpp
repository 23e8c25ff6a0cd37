#include "config/config_host.h"
#include "config/monitor_prefs.h"
#include "config/settings_keys.h"
#include "config/settings_store.h"
#include "log/debug_log.h"

namespace lumetra::config {
namespace {

constexpr const wchar_t* kSkippedLine = L"SaveConfig: skipped because config.ini failed to load.";

bool Query(bool (*flag)()) { return flag && flag(); }

// The monitor's entries follow the palette, except that a default rectangle
// never replaces a real stored one.
void UpdateMonitorMaps(const std::wstring& key, const ScreenRect& rect, bool shownAtCursor,
                       Settings& s) {
    if (!shownAtCursor) {
        const auto it = s.monitorPos.find(key);
        const bool keepStored = rect == kDefaultPaletteRect && it != s.monitorPos.end() &&
                                it->second != kDefaultPaletteRect;
        if (!keepStored) s.monitorPos[key] = rect;
    }
    if (IsValidView(s.viewMode)) s.monitorView[key] = ToInt(s.viewMode);
    s.monitorLayout[key] = MonitorLayout{
        ToInt(s.sortMode), s.sortAscending, s.groupBy, s.groupByAscending, true, s.groupByKey};
    log::DebugLogFormat<192>(L"SaveConfig MonitorPrefs: '%ls' view=%d sort=%d group=%d",
                             key.c_str(), ToInt(s.viewMode), ToInt(s.sortMode), s.groupBy ? 1 : 0);
}

bool AnyStoredRectOtherThanDefault(const Settings& s) {
    for (const auto& [key, rect] : s.monitorPos)
        if (rect != kDefaultPaletteRect) return true;
    return false;
}

void SetKeys(IniDocument& doc, const Settings& s, bool writeWindow) {
    for (const SettingSection& section : SettingSections()) {
        for (const SettingKey& key : section.keys) {
            if (key.save == SaveRule::Never) continue;
            if (key.save == SaveRule::WindowRect && !writeWindow) continue;
            if (key.save == SaveRule::ValidView && !IsValidView(s.viewMode)) continue;
            doc.set(section.name, key.key, SettingKeyText(key, s).c_str());
            if (std::wstring_view(key.key) == L"SortAscending")
                log::DebugLogFormat<128>(L"SaveConfig sort: mode=%d asc=%d", ToInt(s.sortMode),
                                         s.sortAscending ? 1 : 0);
        }
    }
}

}  // namespace

void SaveConfig() {
    Settings& s = Cfg();
    if (EnsureConfigPath().empty() || !PaletteExists()) return;
    EnsureCfgView(L"SaveConfig");
    if (WritingBlocked()) {
        log::DebugLogWrite(kSkippedLine);
        return;
    }
    const PaletteStateSource& palette = Host().palette;
    if (Query(palette.minimised)) return;

    ScreenRect rect{};
    const bool haveRect = palette.windowRect && palette.windowRect(rect);
    const bool shownAtCursor = Query(palette.shownAtCursor);
    if (haveRect && !shownAtCursor) {
        s.x = rect.left;
        s.y = rect.top;
        s.w = rect.right - rect.left;
        s.h = rect.bottom - rect.top;
    }
    if (haveRect && !Query(palette.inSizeMove)) {
        const std::wstring key = HostCurrentMonitorKey();
        if (!key.empty()) UpdateMonitorMaps(key, rect, shownAtCursor, s);
    }
    const bool writeWindow = !(rect == kDefaultPaletteRect && AnyStoredRectOtherThanDefault(s));

    IniDocument doc(Session().path);
    if (!HostLoad(doc)) {
        log::DebugLogWrite(kSkippedLine);
        return;
    }
    SetKeys(doc, s, writeWindow);
    WriteMonitorPos(doc);
    WriteMonitorView(doc);
    WriteMonitorLayout(doc);
    if (HostSave(doc))
        log::DebugLogFormat<160>(L"Config saved: %d,%d %dx%d", s.x, s.y, s.w, s.h);
    else
        log::DebugLogWrite(L"SaveConfig: ini.save() failed.");
}

void SaveOpacity() {
    IniDocument doc(L"");
    if (!LoadForWriting(doc)) return;
    doc.set(L"Window", L"Opacity", std::to_wstring(Cfg().opacity).c_str());
    HostSave(doc);
    log::DebugLogFormat<64>(L"Opacity saved: %d", Cfg().opacity);
}

}  // namespace lumetra::config
