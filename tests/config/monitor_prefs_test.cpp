#include "config/monitor_prefs.h"

#include <gtest/gtest.h>

#include "config/settings_store.h"
#include "fake_config_host.h"

namespace lumetra::config {
namespace {

using testing::Crlf;
using testing::LogHas;
using testing::ResetWorld;
using testing::SavedText;
using testing::World;
using testing::WriteFile;

TEST(EnsureCfgView, RepairsFromPinThenMonitorMapThenDefault) {
    const struct {
        std::int32_t view;
        std::int32_t pinned;
        bool palette;
        const wchar_t* nearestKey;
        std::int32_t expected;
        const wchar_t* line;  // null: nothing logged
    } cases[] = {
        {3, 1, true, L"DISPLAY1", 3, nullptr},
        {0, 3, true, L"DISPLAY1", 3, L"EnsureCfgView: corrupt view=0 -> 3 from=pin (X)"},
        {9, 0, true, L"DISPLAY2", 4, L"EnsureCfgView: corrupt view=9 -> 4 from=monitorMap (X)"},
        {9, 0, true, L"DISPLAY1", 2,
         L"EnsureCfgView: corrupt view=9 -> 2 from=default (X)"},  // entry 7 invalid
        {9, 0, true, L"display2", 2, L"EnsureCfgView: corrupt view=9 -> 2 from=default (X)"},
        {9, 0, true, L"_unknown", 2, L"EnsureCfgView: corrupt view=9 -> 2 from=default (X)"},
        {-1, 5, false, L"DISPLAY2", 2, L"EnsureCfgView: corrupt view=-1 -> 2 from=default (X)"},
    };
    for (const auto& c : cases) {
        ResetWorld();
        World().paletteExists = c.palette;
        World().nearestMonitorKey = c.nearestKey;
        Cfg().monitorView = {{L"DISPLAY1", 7}, {L"DISPLAY2", 4}};
        Cfg().viewMode = static_cast<ViewMode>(c.view);
        Session().pinnedViewMode = c.pinned;
        EnsureCfgView(L"X");
        EXPECT_EQ(ToInt(Cfg().viewMode), c.expected) << c.view;
        EXPECT_EQ(Session().pinnedViewMode, c.expected);
        if (c.line)
            EXPECT_TRUE(LogHas(c.line)) << testing::Narrow(c.line);
        else
            EXPECT_TRUE(testing::LogLines().empty());
    }
    ResetWorld();
    Cfg().viewMode = static_cast<ViewMode>(0);
    EnsureCfgView(nullptr);
    EXPECT_TRUE(LogHas(L"EnsureCfgView: corrupt view=0 -> 2 from=default (?)"));
}

TEST(SetCfgViewMode, RejectsInvalidViewsAndRepairs) {
    ResetWorld();
    SetCfgViewMode(4, L"menu.extraLarge");
    EXPECT_EQ(Cfg().viewMode, ViewMode::ExtraLarge);
    EXPECT_EQ(Session().pinnedViewMode, 4);
    Cfg().viewMode = static_cast<ViewMode>(0);
    SetCfgViewMode(6, L"menu");
    EXPECT_TRUE(LogHas(L"SetCfgViewMode: rejected invalid view=6 (menu)"));
    EXPECT_TRUE(LogHas(L"EnsureCfgView: corrupt view=0 -> 4 from=pin (menu)"));
    EXPECT_EQ(Cfg().viewMode, ViewMode::ExtraLarge);
}

TEST(MonitorPrefsLoad, AppliesTheMonitorsEntriesFromTheFile) {
    ResetWorld();
    WriteFile(
        Crlf("[MonitorView]\nDISPLAY1=4\ndisplay2=3\n[MonitorLayout]\n"
             "DISPLAY1=1|0|0|1|1|{K}:4\nDISPLAY2=2|1|1|0|0|{G}:1"));
    Cfg().groupByKey = L"stale";
    ASSERT_TRUE(MonitorPrefsLoadKey(L"DISPLAY1"));
    EXPECT_EQ(Cfg().viewMode, ViewMode::ExtraLarge);
    EXPECT_EQ(Cfg().sortMode, SortMode::DateModified);
    EXPECT_FALSE(Cfg().sortAscending);
    EXPECT_FALSE(Cfg().groupBy);
    EXPECT_EQ(Cfg().groupByKey, L"") << "a key without grouping is dropped";
    EXPECT_TRUE(Cfg().uiLayoutPersisted);
    EXPECT_EQ(Session().currentMonitorKey, L"DISPLAY1");
    EXPECT_EQ(Session().appliedPrefsKey, L"DISPLAY1");
    EXPECT_TRUE(
        LogHas(L"MonitorPrefsLoad: key='DISPLAY1' hasView=1 hasLayout=1 view 2->4 sort=1 "
               L"group=0 mapView=2 mapLayout=2"));

    ASSERT_TRUE(MonitorPrefsLoadKey(L"DISPLAY2"));  // case-sensitive: display2's view is not its
    EXPECT_EQ(Cfg().viewMode, ViewMode::Medium);
    EXPECT_TRUE(Cfg().groupBy);
    EXPECT_EQ(Cfg().groupByKey, L"{G}:1");
    EXPECT_TRUE(
        LogHas(L"MonitorPrefsLoad: key='DISPLAY2' hasView=0 hasLayout=1 view 4->2 sort=2 "
               L"group=1 mapView=2 mapLayout=2"));

    ASSERT_TRUE(MonitorPrefsLoadKey(L"DISPLAY9"));
    EXPECT_EQ(Cfg().sortMode, SortMode::Name);
    EXPECT_TRUE(Cfg().sortAscending);
    EXPECT_FALSE(Cfg().groupBy);
    EXPECT_TRUE(Cfg().uiLayoutPersisted);

    const std::wstring before = Session().currentMonitorKey;
    EXPECT_FALSE(MonitorPrefsLoadKey(L"_unknown"));
    EXPECT_FALSE(MonitorPrefsLoadKey(L""));
    EXPECT_EQ(Session().currentMonitorKey, before);
}

TEST(MonitorPrefsLoad, CutsLongGroupKeys) {
    ResetWorld();
    WriteFile(Crlf("[MonitorLayout]\nDISPLAY1=0|1|1|1|1|" + std::string(100, 'g')));
    ASSERT_TRUE(MonitorPrefsLoadKey(L"DISPLAY1"));
    EXPECT_EQ(Cfg().groupByKey, std::wstring(79, L'g'));
}

TEST(PersistViewMode, StoresTheViewForTheCurrentMonitorAndWritesIt) {
    ResetWorld();
    WriteFile(Crlf("[UI]\nViewMode=2\n[MonitorView]\nDISPLAY2=1\nOld=3"));
    World().currentMonitorKey = L"DISPLAY2";
    Cfg().viewMode = ViewMode::Small;
    Cfg().sortMode = SortMode::Size;
    Cfg().sortAscending = false;
    PersistViewMode();
    EXPECT_EQ(SavedText(),
              "[UI]\nViewMode=3\n[MonitorView]\nDISPLAY2=3\nOld=3\n"
              "[MonitorLayout]\nDISPLAY2=2|0|0|1|1|");
    EXPECT_TRUE(LogHas(L"PersistViewMode: mon='DISPLAY2' view=3 UI.ViewMode=3"));

    // Without a usable current key the palette's nearest monitor is used.
    ResetWorld();
    World().currentMonitorKey = L"";
    World().nearestMonitorKey = L"DISPLAY5";
    PersistViewMode();
    EXPECT_EQ(Cfg().monitorView.count(L"DISPLAY5"), 1u);
}

TEST(PersistPaletteView, IgnoresUnknownMonitors) {
    ResetWorld();
    PersistPaletteView(L"_unknown");
    PersistPaletteView(L"");
    EXPECT_TRUE(Cfg().monitorView.empty());
    EXPECT_TRUE(Cfg().monitorLayout.empty());
}

TEST(ChooseCurrentMonitorKey, PrefersTheRememberedKey) {
    EXPECT_EQ(ChooseCurrentMonitorKey(L"DISPLAY2", L"DISPLAY1"), L"DISPLAY2");
    EXPECT_EQ(ChooseCurrentMonitorKey(L"_unknown", L"DISPLAY1"), L"DISPLAY1");
    EXPECT_EQ(ChooseCurrentMonitorKey(L"", L"_unknown"), L"");
}

}  // namespace
}  // namespace lumetra::config

namespace lumetra::config {
namespace {

TEST(LoadMonitorMaps, ValuesEndAtANul) {
    testing::ResetWorld();
    IniDocument doc(L"x");
    const wchar_t text[] =
        L"[MonitorLayout]\r\nDISPLAY1=0|1|1|1|1|{K}\0tail\r\nDIS\0PLAY2=1|1|0|1|1|";
    doc.parseText(std::wstring(text, std::size(text) - 1));
    LoadMonitorLayout(doc);
    ASSERT_EQ(Cfg().monitorLayout.size(), 1u) << "a name with a NUL cannot be written back";
    EXPECT_EQ(Cfg().monitorLayout[L"DISPLAY1"].groupKey, L"{K}") << "the value the file will hold";
}

}  // namespace
}  // namespace lumetra::config
