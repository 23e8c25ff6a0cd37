#include "config/config_host.h"
#include "config/decimal.h"
#include "config/hotkey_text.h"
#include "config/monitor_prefs.h"
#include "config/settings_keys.h"
#include "config/settings_store.h"
#include "log/debug_log.h"

namespace lumetra::config {
namespace {

void ReadKeys(const IniDocument& doc, LoadStep step, Settings& s) {
    for (const SettingSection& section : SettingSections())
        for (const SettingKey& key : section.keys)
            if (key.step == step) ReadSettingKey(doc, section.name, key, s);
}

void ReadViewMode(const IniDocument& doc, Settings& s) {
    const std::int32_t view =
        ParseDecimal(doc.get(L"UI", L"ViewMode", L"")).value_or(ToInt(s.viewMode));
    if (!IsValidView(view)) {
        SetCfgViewMode(2, L"LoadConfig.invalidIni");
        PersistViewMode();  // the repaired value goes back to the file at once
    } else {
        SetCfgViewMode(view, L"LoadConfig");
    }
    EnsureCfgView(L"LoadConfig");
    Session().pinnedViewMode = ToInt(s.viewMode);
}

void ReadToggleHotkey(const IniDocument& doc, Settings& s) {
    const std::wstring text = doc.get(L"Hotkey", L"ToggleHotkey", L"VK_D");
    Hotkey parsed{kModCtrlAlt, 0};
    if (!ParseHotkeyText(text.c_str(), parsed)) return;
    const bool bracket = IsBracketKey(parsed.key);
    if (bracket) parsed = Hotkey{kModCtrlAlt, 0x44};
    s.toggleHotkey = parsed;
    if (bracket) SaveToggleHotkey();
}

// A palette that was never moved takes its place from the first stored
// monitor rectangle that is not the default one.
void WindowFromMonitorPos(Settings& s) {
    if (s.x != 120 || s.y != 120 || s.w != 920 || s.h != 580) return;
    for (const auto& [key, rect] : s.monitorPos) {
        if (rect == kDefaultPaletteRect) continue;
        s.x = rect.left;
        s.y = rect.top;
        s.w = rect.right - rect.left;
        s.h = rect.bottom - rect.top;
        return;
    }
}

void LogMonitorMaps(const Settings& s) {
    for (const auto& [key, view] : s.monitorView)
        log::DebugLogFormat<192>(L"LoadMonitorView: '%ls'=%d", key.c_str(), view);
    for (const auto& [key, layout] : s.monitorLayout)
        log::DebugLogFormat<256>(L"LoadMonitorLayout: '%ls' sort=%d group=%d key='%ls'",
                                 key.c_str(), layout.sort, layout.groupBy ? 1 : 0,
                                 layout.groupKey.c_str());
}

int EffectiveLanguageIndex() { return Host().uiLanguageIndex ? Host().uiLanguageIndex() : 1; }

}  // namespace

void LoadConfig() {
    Settings& s = Cfg();
    const std::wstring& path = EnsureConfigPath();
    const bool exists = HostFileExists(path);
    IniDocument doc(path);
    const bool loaded = HostLoad(doc);

    s.debugLog = loaded && ParseDecimal(doc.get(L"General", L"DebugLog", L"")).value_or(0) != 0;
    log::DebugLogSetEnabled(s.debugLog);
    if (exists && !loaded) {
        Session().readable = false;
        log::DebugLogWrite(
            L"LoadConfig: failed to read config.ini; keeping defaults and blocking save until "
            L"fixed.");
        return;
    }
    Session().readable = true;

    ReadKeys(doc, LoadStep::Main, s);
    ReadViewMode(doc, s);
    ReadKeys(doc, LoadStep::Late, s);
    if (Host().applyUiLanguage) Host().applyUiLanguage(doc);
    log::DebugLogFormat<160>(L"Config loaded: %d,%d %dx%d", s.x, s.y, s.w, s.h);

    ReadToggleHotkey(doc, s);

    LoadMonitorPos(doc);
    WindowFromMonitorPos(s);
    LoadMonitorView(doc);
    LoadMonitorLayout(doc);
    LogMonitorMaps(s);

    log::DebugLogFormat<192>(L"UI Language: config='%ls' effective=%d",
                             s.language.empty() ? L"(Windows default)" : s.language.c_str(),
                             EffectiveLanguageIndex());
}

void ReloadUiLanguage() {
    IniDocument doc(EnsureConfigPath());
    // A file held by an editor or emptied says nothing about the user's
    // choice; reading it as empty would make the next save drop the language.
    if (!HostLoad(doc)) {
        log::DebugLogWrite(L"ReloadUiLanguage: config.ini failed to load; language kept.");
        return;
    }
    Cfg().language = LanguageCodeFrom(doc);
    if (Host().applyUiLanguage) Host().applyUiLanguage(doc);
}

}  // namespace lumetra::config
