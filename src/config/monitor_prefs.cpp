#include "config/monitor_prefs.h"

#include <algorithm>

#include "config/config_host.h"
#include "config/monitor_values.h"
#include "config/settings.h"
#include "log/debug_log.h"

namespace lumetra::config {
namespace {

constexpr const wchar_t* kPosSection = L"MonitorPos";
constexpr const wchar_t* kViewSection = L"MonitorView";
constexpr const wchar_t* kLayoutSection = L"MonitorLayout";

const wchar_t* TagOrQuestion(const wchar_t* source) { return source ? source : L"?"; }

// Names and values end at a NUL character, as they do when they are written
// back, so what is kept in memory is what the file will hold.
template <typename Map, typename Parse>
void LoadSection(const IniDocument& doc, const wchar_t* section, Map& map, Parse parse) {
    map.clear();
    for (const std::wstring& key : doc.keyNames(section)) {
        const std::wstring value = doc.get(section, key.c_str(), L"");
        if (auto parsed = parse(value.c_str())) map[key.c_str()] = std::move(*parsed);
    }
}

}  // namespace

void LoadMonitorPos(const IniDocument& doc) {
    LoadSection(doc, kPosSection, Cfg().monitorPos, ParseMonitorPos);
}
void LoadMonitorView(const IniDocument& doc) {
    LoadSection(doc, kViewSection, Cfg().monitorView, ParseMonitorView);
}
void LoadMonitorLayout(const IniDocument& doc) {
    LoadSection(doc, kLayoutSection, Cfg().monitorLayout, ParseMonitorLayout);
}

void WriteMonitorPos(IniDocument& doc) {
    for (const auto& [key, rect] : Cfg().monitorPos)
        if (const auto text = FormatMonitorPos(rect))
            doc.set(kPosSection, key.c_str(), text->c_str());
}

void WriteMonitorView(IniDocument& doc) {
    for (const auto& [key, view] : Cfg().monitorView) {
        if (!IsValidView(view)) continue;
        doc.set(kViewSection, key.c_str(), std::to_wstring(view).c_str());
    }
}

void WriteMonitorLayout(IniDocument& doc) {
    for (const auto& [key, layout] : Cfg().monitorLayout)
        doc.set(kLayoutSection, key.c_str(), FormatMonitorLayout(layout).c_str());
}

void SetCfgViewMode(std::int32_t view, const wchar_t* source) {
    Settings& s = Cfg();
    if (IsValidView(view)) {
        s.viewMode = static_cast<ViewMode>(view);
        Session().pinnedViewMode = view;
        return;
    }
    log::DebugLogFormat<160>(L"SetCfgViewMode: rejected invalid view=%d (%ls)", view,
                             TagOrQuestion(source));
    EnsureCfgView(source);
}

void EnsureCfgView(const wchar_t* source) {
    Settings& s = Cfg();
    const std::int32_t old = ToInt(s.viewMode);
    if (IsValidView(old)) {
        Session().pinnedViewMode = old;
        return;
    }
    std::int32_t replacement = 2;
    const wchar_t* origin = L"default";
    if (IsValidView(Session().pinnedViewMode)) {
        replacement = Session().pinnedViewMode;
        origin = L"pin";
    } else if (PaletteExists()) {
        const std::wstring key = HostPaletteNearestMonitorKey();
        const auto it = IsStorableMonitorKey(key) ? s.monitorView.find(key) : s.monitorView.end();
        if (it != s.monitorView.end() && IsValidView(it->second)) {
            replacement = it->second;
            origin = L"monitorMap";
        }
    }
    s.viewMode = static_cast<ViewMode>(replacement);
    Session().pinnedViewMode = replacement;
    log::DebugLogFormat<192>(L"EnsureCfgView: corrupt view=%d -> %d from=%ls (%ls)", old,
                             replacement, origin, TagOrQuestion(source));
}

bool MonitorPrefsLoadKey(const std::wstring& key) {
    if (!IsStorableMonitorKey(key)) return false;
    Settings& s = Cfg();
    if (!EnsureConfigPath().empty()) {
        IniDocument doc(Session().path);
        if (HostLoad(doc)) {
            LoadMonitorView(doc);
            LoadMonitorLayout(doc);
        }
    }
    Session().currentMonitorKey = key;
    Session().appliedPrefsKey.clear();

    const std::int32_t viewBefore = ToInt(s.viewMode);
    const auto view = s.monitorView.find(key);
    const bool hasView = view != s.monitorView.end() && IsValidView(view->second);
    if (hasView)
        SetCfgViewMode(view->second, L"MonitorPrefsLoad");
    else
        SetCfgViewMode(2, L"MonitorPrefsDefault");
    Session().appliedPrefsKey = key;

    const auto layout = s.monitorLayout.find(key);
    const bool hasLayout = layout != s.monitorLayout.end();
    const MonitorLayout entry = hasLayout ? layout->second : MonitorLayout{};
    s.sortMode = static_cast<SortMode>(entry.sort);
    s.sortAscending = entry.sortAscending;
    s.groupBy = entry.groupBy;
    s.groupByAscending = entry.groupAscending;
    s.uiLayoutPersisted = true;
    s.groupByKey = entry.groupBy ? CutValue(entry.groupKey, kGroupByKeyMaxLength) : std::wstring();

    log::DebugLogFormat<256>(
        L"MonitorPrefsLoad: key='%ls' hasView=%d hasLayout=%d view %d->%d sort=%d group=%d "
        L"mapView=%zu mapLayout=%zu",
        key.c_str(), hasView ? 1 : 0, hasLayout ? 1 : 0, viewBefore, ToInt(s.viewMode),
        ToInt(s.sortMode), s.groupBy ? 1 : 0, s.monitorView.size(), s.monitorLayout.size());
    return true;
}

void PersistPaletteView(const std::wstring& key) {
    if (!IsStorableMonitorKey(key)) return;
    EnsureCfgView(L"PersistPaletteView");
    Settings& s = Cfg();
    if (!IsValidView(s.viewMode)) return;
    s.monitorView[key] = ToInt(s.viewMode);
    s.monitorLayout[key] = MonitorLayout{
        ToInt(s.sortMode), s.sortAscending, s.groupBy, s.groupByAscending, true, s.groupByKey};
}

void PersistViewMode() {
    EnsureCfgView(L"PersistViewMode");
    const std::int32_t view = ToInt(Cfg().viewMode);
    std::wstring key = HostCurrentMonitorKey();
    if (key.empty()) key = HostPaletteNearestMonitorKey();
    if (!key.empty()) PersistPaletteView(key);

    IniDocument doc(L"");
    if (!LoadForWriting(doc)) return;
    doc.set(L"UI", L"ViewMode", std::to_wstring(view).c_str());
    WriteMonitorView(doc);
    WriteMonitorLayout(doc);
    if (!HostSave(doc)) return;
    log::DebugLogFormat<256>(L"PersistViewMode: mon='%ls' view=%d UI.ViewMode=%d", key.c_str(),
                             view, view);
}

std::wstring ChooseCurrentMonitorKey(const std::wstring& current,
                                     const std::wstring& paletteMonitor) {
    if (IsStorableMonitorKey(current)) return current;
    if (IsStorableMonitorKey(paletteMonitor)) return paletteMonitor;
    return {};
}

}  // namespace lumetra::config
