#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

#include "config/hotkey_text.h"
#include "config/monitor_prefs.h"
#include "config/settings_keys.h"
#include "config/settings_store.h"
#include "fake_config_host.h"
#include "log/debug_log.h"
#include "log/debug_log_capture.h"

namespace lumetra::config {
namespace {

using testing::Crlf;
using testing::LogHas;
using testing::Narrow;
using testing::ReadFile;
using testing::ResetWorld;
using testing::SavedText;
using testing::World;
using testing::WriteFile;

struct FoundKey {
    const wchar_t* section;
    const SettingKey* key;
};

FoundKey Find(std::wstring_view name) {
    for (const SettingSection& section : SettingSections())
        for (const SettingKey& key : section.keys)
            if (name == key.key) return {section.name, &key};
    ADD_FAILURE() << "no key " << Narrow(std::wstring(name).c_str());
    return {nullptr, nullptr};
}

std::int32_t Value(std::wstring_view name) { return Find(name).key->get(Cfg()); }

void LoadText(const std::string& text) {
    WriteFile(Crlf(text));
    LoadConfig();
}

TEST(SettingsTable, DefaultsOfTheRecordMatchTheTable) {
    const Settings defaults;
    for (const SettingSection& section : SettingSections())
        for (const SettingKey& key : section.keys)
            if (key.type != KeyType::Text) {
                EXPECT_EQ(key.get(defaults), key.defaultValue) << Narrow(key.key);
            }
    EXPECT_EQ(defaults.toggleHotkey, (Hotkey{3, 0x44}));
    EXPECT_TRUE(ConfigSession{}.readable);
}

TEST(LoadConfig, RepairsEveryOutOfRangeValue) {
    const struct {
        const wchar_t* key;
        const char* text;  // null: key absent
        std::int32_t expected;
    } cases[] = {
        {L"Opacity", "60", 75},
        {L"Opacity", "52", 30},
        {L"Opacity", "88", 100},
        {L"Opacity", "53", 75},
        {L"Opacity", "87", 75},
        {L"Opacity", "abc", 100},
        {L"Opacity", "75 ;half", 75},
        {L"Opacity", "-5", 30},
        {L"Opacity", "", 100},
        {L"W", "50", 100},
        {L"W", "101", 101},
        {L"H", "100", 100},
        {L"H", "-3", 100},
        {L"X", "-1920", -1920},
        {L"X", "010", 10},
        {L"X", "0x10", 0},
        {L"X", "abc", 120},
        {L"Y", " +7", 7},
        {L"MouseLongPressMs", "100", 300},
        {L"MouseLongPressMs", "5000", 800},
        {L"MouseLongPressMs", "600", 600},
        {L"Trigger", "7", 2},
        {L"Trigger", "3", 3},
        {L"Trigger", "-1", 2},
        {L"MouseMode", "-1", 0},
        {L"MouseMode", "2", 2},
        {L"MouseButton", "5", 1},
        {L"MouseButton", "-1", 1},
        {L"MouseButton", "0", 0},
        {L"SortMode", "3", 0},
        {L"SortMode", "2", 2},
        {L"DesktopItemsMode", "1", 1},
        {L"DesktopItemsMode", "2", 0},
        {L"DesktopItemsMode", "x", 0},
        {L"DisplayMode", "2", 2},
        {L"DisplayMode", "3", 0},
        {L"RunAtStartup", "7", 1},
        {L"RunAtStartup", "x", 0},
        {L"GroupByAscending", "x", 1},
        {L"GroupByAscending", "0", 0},
        {L"CloseOnItemActivate", "", 1},
        {L"CloseOnItemActivate", "0", 0},
        {L"GroupBy", "x", 0},
        {L"SortAscending", "x", 1},
        {L"SortAscending", "", 1},
        {L"UILayoutPersisted", "x", 0},
    };
    for (const auto& c : cases) {
        ResetWorld();
        const FoundKey found = Find(c.key);
        std::string text = "[";
        text.append(Narrow(found.section))
            .append("]\n")
            .append(Narrow(c.key))
            .append("=")
            .append(c.text);
        LoadText(text);
        EXPECT_EQ(Value(c.key), c.expected) << Narrow(c.key) << "=" << c.text;
    }
}

TEST(LoadConfig, WindowRectangleIsBoundedSoThatPlacementSumsFit) {
    constexpr std::int32_t kPos = kMaxWindowCoordinate;
    constexpr std::int32_t kSize = kMaxWindowExtent;
    const struct {
        std::string file;
        std::int32_t x, y, w, h;
    } cases[] = {
        {"[Window]\nX=2147483647\nY=2147483647\nW=2147483647\nH=2147483647", kPos, kPos, kSize,
         kSize},
        {"[Window]\nX=-2147483648\nY=-2147483648\nW=-2147483648\nH=-2147483648", -kPos, -kPos, 100,
         100},
        {"[Window]\nX=99999999999\nY=-99999999999\nW=99999999999", kPos, -kPos, kSize, 580},
        {"[Window]\nX=-3840\nY=-1080\nW=7680\nH=4320", -3840, -1080, 7680, 4320},
        {"[Window]\nX=" + std::to_string(kPos) + "\nW=" + std::to_string(kSize), kPos, 120, kSize,
         580},
        // A never-moved palette takes no stored monitor rectangle beyond the bounds.
        {"[MonitorPos]\nA=-2147483546,0,2147483647,580\nB=-3000000,0,500,500", 120, 120, 920, 580},
    };
    for (const auto& c : cases) {
        ResetWorld();
        LoadText(c.file);
        const Settings& s = Cfg();
        EXPECT_EQ((std::array{s.x, s.y, s.w, s.h}), (std::array{c.x, c.y, c.w, c.h})) << c.file;
        EXPECT_LE(std::int64_t{s.x} + s.w, INT_MAX / 2) << c.file;
        EXPECT_GE(std::int64_t{s.y} - s.h, INT_MIN / 2) << c.file;
    }
}

TEST(LoadConfig, AReloadKeepsCurrentIntegersButDefaultsTheRest) {
    ResetWorld();
    Cfg().x = 500;
    Cfg().opacity = 30;
    Cfg().mouseLongPressMs = 700;
    Cfg().desktopItemsMode = DesktopItemsMode::AllItems;
    Cfg().displayMode = DisplayMode::Dark;
    Cfg().closeOnItemActivate = false;
    LoadText("[Window]\nY=3");
    EXPECT_EQ(Cfg().x, 500);
    EXPECT_EQ(Cfg().opacity, 30);
    EXPECT_EQ(Cfg().mouseLongPressMs, 700);
    EXPECT_EQ(Cfg().desktopItemsMode, DesktopItemsMode::SameAsDesktop);
    EXPECT_EQ(Cfg().displayMode, DisplayMode::FollowSystem);
    EXPECT_TRUE(Cfg().closeOnItemActivate);
}

TEST(LoadConfig, InfersSortDirectionAndPersistedLayoutFromWhatIsThere) {
    const struct {
        const char* ui;  // body of [UI], null: no section
        bool sortAscending;
        bool persisted;
    } cases[] = {
        {"SortMode=2", false, true},
        {"SortMode=0", true, false},
        {nullptr, true, false},
        {"SortMode=1\nSortAscending=1", true, true},
        {"SortAscending=0", false, true},
        {"GroupBy=1", true, true},
        {"SortMode=2\nUILayoutPersisted=0", false, false},
        {"SortMode=0\nSortAscending=", true, true},
    };
    for (const auto& c : cases) {
        ResetWorld();
        LoadText(c.ui ? std::string("[UI]\n") + c.ui : "[Window]\nX=1");
        EXPECT_EQ(Cfg().sortAscending, c.sortAscending) << (c.ui ? c.ui : "(none)");
        EXPECT_EQ(Cfg().uiLayoutPersisted, c.persisted) << (c.ui ? c.ui : "(none)");
    }
}

TEST(LoadConfig, GroupKeyNeedsGroupingAndIsCut) {
    ResetWorld();
    LoadText("[UI]\nGroupBy=0\nGroupByKey={K}:4");
    EXPECT_EQ(Cfg().groupByKey, L"");
    SaveConfig();
    EXPECT_NE(SavedText().find("\nGroupByKey=\n"), std::string::npos);

    ResetWorld();
    LoadText("[UI]\nGroupBy=1\nGroupByKey=" + std::string(90, 'k'));
    EXPECT_EQ(Cfg().groupByKey, std::wstring(79, L'k'));

    // A cut never ends in a blank, which the next load would trim away.
    ResetWorld();
    LoadText("[UI]\nGroupBy=1\nGroupByKey=" + std::string(78, 'k') + " \tk");
    EXPECT_EQ(Cfg().groupByKey, std::wstring(78, L'k'));
}

TEST(LoadConfig, InvalidViewModeIsRepairedInTheFileAtOnce) {
    // At start-up there is no palette and no monitor yet.
    ResetWorld();
    World().paletteExists = false;
    World().currentMonitorKey = L"";
    LoadText("[General]\nDebugLog=1\n[UI]\nViewMode=9\nSortMode=1");
    EXPECT_EQ(Cfg().viewMode, ViewMode::Medium);
    EXPECT_EQ(Session().pinnedViewMode, 2);
    EXPECT_EQ(SavedText(), "[General]\nDebugLog=1\n[UI]\nViewMode=2\nSortMode=1")
        << "only the view is written, before any save";
    EXPECT_TRUE(LogHas(L"PersistViewMode: mon='' view=2 UI.ViewMode=2"));

    // On a reload the palette's monitor takes the repaired view as well.
    ResetWorld();
    LoadText("[UI]\nViewMode=0");
    EXPECT_EQ(SavedText(),
              "[UI]\nViewMode=2\n[MonitorView]\nDISPLAY1=2\n[MonitorLayout]\nDISPLAY1=0|1|0|1|1|");

    ResetWorld();
    LoadText("[UI]\nViewMode=3");
    EXPECT_EQ(Cfg().viewMode, ViewMode::Small);
    EXPECT_EQ(Session().pinnedViewMode, 3);
    EXPECT_EQ(World().saves, 0);
}

TEST(LoadConfig, ReadsTheToggleHotkey) {
    const struct {
        const char* file;
        Hotkey expected;
        const char* rewritten;  // the file after LoadConfig, null: untouched
    } cases[] = {
        {"[Window]\nX=1", {3, 0x44}, nullptr},
        {"[Hotkey]\nToggleHotkey=Ctrl + Alt + Q", {3, 0x51}, nullptr},
        {"[Hotkey]\nToggleHotkey=Shift+VK_F5", {4, 0x74}, nullptr},
        {"[Hotkey]\nToggleHotkey=none", {3, 0}, nullptr},
        {"[Hotkey]\nToggleHotkey=Ctrl+Foo", {2, 0x41}, nullptr},  // unparsable: kept
        {"[Hotkey]\nToggleHotkey=VK_OEM_6", {3, 0x44}, "[Hotkey]\nToggleHotkey=VK_D"},
        {"[Hotkey]\nToggleHotkey=Win+Shift+VK_OEM_4\nTrigger=1",
         {3, 0x44},
         "[Hotkey]\nToggleHotkey=VK_D\nTrigger=1"},
    };
    for (const auto& c : cases) {
        ResetWorld();
        Cfg().toggleHotkey = {2, 0x41};
        LoadText(c.file);
        EXPECT_EQ(Cfg().toggleHotkey, c.expected) << c.file;
        EXPECT_EQ(SavedText(), c.rewritten ? c.rewritten : c.file);
    }
}

TEST(LoadConfig, WindowComesFromTheFirstRealMonitorRectangle) {
    ResetWorld();
    LoadText("[MonitorPos]\nA=120,120,920,580\nB=0,0,50,50\nC=-1920,10,800,600\nD=5,5,500,500");
    EXPECT_EQ(Cfg().x, -1920);
    EXPECT_EQ(Cfg().y, 10);
    EXPECT_EQ(Cfg().w, 800);
    EXPECT_EQ(Cfg().h, 600);
    EXPECT_EQ(Cfg().monitorPos.size(), 3u) << "the too small entry is ignored";

    ResetWorld();
    LoadText("[Window]\nX=121\n[MonitorPos]\nC=-1920,10,800,600");
    EXPECT_EQ(Cfg().x, 121) << "a moved window keeps its place";
    EXPECT_EQ(Cfg().w, 920);
}

TEST(LoadConfig, LogsWhatItLoaded) {
    ResetWorld();
    LoadText(
        "[General]\nDebugLog=1\n[Window]\nX=5\n[UI]\nLanguage=fr\n[MonitorView]\nDISPLAY1=4\nX=0\n"
        "[MonitorLayout]\nDISPLAY1=1|1|1|1|1|{K}:3");
    EXPECT_TRUE(log::DebugLogEnabled());
    EXPECT_TRUE(LogHas(L"Config loaded: 5,120 920x580"));
    EXPECT_TRUE(LogHas(L"LoadMonitorView: 'DISPLAY1'=4"));
    EXPECT_TRUE(LogHas(L"LoadMonitorLayout: 'DISPLAY1' sort=1 group=1 key='{K}:3'"));
    EXPECT_TRUE(LogHas(L"UI Language: config='fr' effective=1"));
    EXPECT_EQ(World().languageApplied, 1);

    ResetWorld();
    LoadText("[General]\nDebugLog=0");
    EXPECT_FALSE(log::DebugLogEnabled());
    EXPECT_TRUE(testing::LogLines().empty());
}

TEST(LoadConfig, LanguageFallsBackToTheOlderNumericKey) {
    const struct {
        const char* ui;
        const wchar_t* language;
    } cases[] = {
        {"UILanguage=4", L"zh-TW"}, {"UILanguage=0", L"ja"},          {"UILanguage=7", L""},
        {"UILanguage=x", L""},      {"Language=\nUILanguage=2", L""}, {"Language=de", L"de"},
    };
    for (const auto& c : cases) {
        ResetWorld();
        LoadText(std::string("[UI]\n") + c.ui);
        EXPECT_EQ(Cfg().language, c.language) << c.ui;
    }
    ResetWorld();
    LoadText("[UI]\nLanguage=" + std::string(70, 'x'));
    EXPECT_EQ(Cfg().language.size(), 63u);
    ResetWorld();
    LoadText("[UI]\nLanguage=" + std::string(62, 'x') + " y");
    EXPECT_EQ(Cfg().language, std::wstring(62, L'x'));
}

TEST(SaveConfig, FileWithOnlyAHotkeyGainsTheOtherSectionsInOrder) {
    ResetWorld();
    WriteFile("[Hotkey]\r\nToggleHotkey=Ctrl + Alt + Q");
    LoadConfig();
    log::DebugLogSetEnabled(true);
    SaveConfig();
    EXPECT_EQ(ReadFile(), std::string("\xEF\xBB\xBF") + Crlf("[Hotkey]\n"
                                                             "ToggleHotkey=Ctrl + Alt + Q\n"
                                                             "Trigger=2\n"
                                                             "MouseButton=1\n"
                                                             "MouseMode=0\n"
                                                             "MouseLongPressMs=450\n"
                                                             "[Window]\n"
                                                             "X=120\n"
                                                             "Y=120\n"
                                                             "W=920\n"
                                                             "H=580\n"
                                                             "Opacity=100\n"
                                                             "[UI]\n"
                                                             "SortMode=0\n"
                                                             "SortAscending=1\n"
                                                             "GroupBy=0\n"
                                                             "GroupByAscending=1\n"
                                                             "GroupByKey=\n"
                                                             "UILayoutPersisted=0\n"
                                                             "ViewMode=2\n"
                                                             "CloseOnItemActivate=1\n"
                                                             "DesktopItemsMode=0\n"
                                                             "DisplayMode=0\n"
                                                             "Language=\n"
                                                             "[General]\n"
                                                             "RunAtStartup=0\n"
                                                             "[MonitorPos]\n"
                                                             "DISPLAY1=120,120,920,580\n"
                                                             "[MonitorView]\n"
                                                             "DISPLAY1=2\n"
                                                             "[MonitorLayout]\n"
                                                             "DISPLAY1=0|1|0|1|1|"));
    EXPECT_EQ(Cfg().toggleHotkey, (Hotkey{3, 0x51}));
    EXPECT_TRUE(LogHas(L"SaveConfig sort: mode=0 asc=1"));
    EXPECT_TRUE(LogHas(L"SaveConfig MonitorPrefs: 'DISPLAY1' view=2 sort=0 group=0"));
    EXPECT_TRUE(LogHas(L"Config saved: 120,120 920x580"));
}

TEST(SaveConfig, KeepsUnknownKeysAndSectionsInTheirPlaces) {
    ResetWorld();
    LoadText("[Extra]\nFoo=1\n[Window]\nZ=9\nX=5\n[General]\nDebugLog=1\n[UI]\nUILanguage=3");
    World().paletteRect = {5, 120, 925, 700};
    SaveConfig();
    const std::string text = SavedText();
    EXPECT_EQ(text.rfind("[Extra]\nFoo=1\n[Window]\nZ=9\nX=5\nY=120\nW=920\nH=580\nOpacity=100\n"
                         "[General]\nDebugLog=1\nRunAtStartup=0\n[UI]\nUILanguage=3\nSortMode=0\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("\nLanguage=zh\n"), std::string::npos)
        << "the older language key's meaning is kept";
}

TEST(SaveConfig, EverySettingSurvivesASaveAndALoad) {
    ResetWorld();
    Settings& s = Cfg();
    s.runAtStartup = true;
    s.opacity = 30;
    s.trigger = TriggerKey::Disabled;
    s.mouseButton = MouseButton::X1;
    s.mouseMode = MouseMode::LongPress;
    s.mouseLongPressMs = 777;
    s.sortMode = SortMode::Size;
    s.sortAscending = false;
    s.groupBy = true;
    s.groupByAscending = false;
    s.groupByKey = L"{G}:2";
    s.uiLayoutPersisted = true;
    s.viewMode = ViewMode::ExtraLarge;
    s.closeOnItemActivate = false;
    s.desktopItemsMode = DesktopItemsMode::AllItems;
    s.displayMode = DisplayMode::Dark;
    s.language = L"ko";
    World().paletteRect = {-1000, 50, -200, 650};
    SaveConfig();
    const Settings saved = Cfg();

    Cfg() = Settings{};
    LoadConfig();
    for (const SettingSection& section : SettingSections()) {
        for (const SettingKey& key : section.keys) {
            if (key.type == KeyType::Text) {
                EXPECT_EQ(Cfg().*key.textField, saved.*key.textField) << Narrow(key.key);
            } else if (key.save != SaveRule::Never) {
                EXPECT_EQ(key.get(Cfg()), key.get(saved)) << Narrow(key.key);
            }
        }
    }
    EXPECT_EQ(Cfg().x, -1000);
    EXPECT_EQ(Cfg().w, 800);
    EXPECT_EQ(Cfg().monitorPos, saved.monitorPos);
    EXPECT_EQ(Cfg().monitorView, saved.monitorView);
    EXPECT_EQ(Cfg().monitorLayout, saved.monitorLayout);
}

TEST(SaveConfig, FollowsThePalettesState) {
    struct Case {
        const char* name;
        void (*arrange)();
        const char* window;  // expected [Window] head, null: not written
        bool monitorPosStored;
    };
    const Case cases[] = {
        {"plain", [] {}, "X=300\nY=200\nW=500\nH=400", true},
        {"shown at cursor", [] { World().shownAtCursor = true; }, "X=120\nY=120\nW=920\nH=580",
         false},
        {"size loop", [] { World().inSizeMove = true; }, "X=300\nY=200\nW=500\nH=400", false},
    };
    for (const Case& c : cases) {
        ResetWorld();
        World().paletteRect = {300, 200, 800, 600};
        c.arrange();
        SaveConfig();
        EXPECT_EQ(SavedText().rfind(std::string("[Window]\n") + c.window, 0), 0u) << c.name;
        EXPECT_EQ(Cfg().monitorPos.count(L"DISPLAY1"), c.monitorPosStored ? 1u : 0u) << c.name;
    }
}

TEST(SaveConfig, WritesNothingWithoutAPaletteOrWhileMinimised) {
    for (bool minimised : {false, true}) {
        ResetWorld();
        World().paletteExists = minimised;
        World().minimised = minimised;
        SaveConfig();
        EXPECT_FALSE(ReadFile().has_value());
    }
}

TEST(SaveConfig, DefaultRectangleNeverHidesAStoredOne) {
    ResetWorld();
    LoadText("[Window]\nX=7\n[MonitorPos]\nDISPLAY1=-1920,0,920,580");
    World().paletteRect = kDefaultPaletteRect;
    SaveConfig();
    EXPECT_EQ(SavedText().rfind("[Window]\nX=7\nOpacity=100\n", 0), 0u) << SavedText();
    EXPECT_NE(SavedText().find("[MonitorPos]\nDISPLAY1=-1920,0,920,580\n"), std::string::npos);
}

TEST(SaveConfig, ReportsAFailedSave) {
    ResetWorld();
    World().failSaves = true;
    SaveConfig();
    EXPECT_TRUE(LogHas(L"SaveConfig: ini.save() failed."));
    EXPECT_FALSE(LogHas(L"Config saved: 120,120 920x580"));
}

TEST(SaveOpacity, WritesOnlyOpacity) {
    ResetWorld();
    LoadText("[Window]\nX=1\nOpacity=100\n[UI]\nViewMode=3");
    log::DebugLogSetEnabled(true);
    Cfg().opacity = 75;
    Cfg().x = 99;
    SaveOpacity();
    EXPECT_EQ(SavedText(), "[Window]\nX=1\nOpacity=75\n[UI]\nViewMode=3");
    EXPECT_TRUE(LogHas(L"Opacity saved: 75"));
}

TEST(BlockedWriting, AnUnreadableFileIsNeverOverwritten) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"byte-order mark only", "\xEF\xBB\xBF"},
        {"oversized", "[General]\r\nDebugLog=1\r\n" + std::string(kIniMaxFileBytes, ';')},
    };
    for (const auto& c : cases) {
        ResetWorld();
        WriteFile(c.bytes);
        Cfg().x = 42;
        LoadConfig();
        EXPECT_FALSE(Session().readable) << c.name;
        EXPECT_EQ(Cfg().x, 42) << "settings keep their values";
        EXPECT_FALSE(log::DebugLogEnabled());

        testing::ClearLog();
        const int switches = log::CapturedLogSwitches();
        SaveConfig();
        SaveOpacity();
        SaveToggleHotkey();
        PersistViewMode();
        EXPECT_EQ(ReadFile(), c.bytes) << c.name;
        EXPECT_EQ(World().saves, 0);
        // With the log off the reasons are not written, and the flag that
        // other threads read never flips.
        EXPECT_TRUE(testing::LogLines().empty()) << c.name;
        EXPECT_EQ(log::CapturedLogSwitches(), switches) << c.name;
        EXPECT_FALSE(log::DebugLogEnabled());

        World().files.clear();  // the user deletes it
        SaveConfig();
        EXPECT_NE(SavedText().find("[UI]\nSortMode=0"), std::string::npos) << c.name;
    }
}

TEST(BlockedWriting, DeletingTheUnreadableFileEndsTheBlockForEveryLaterWriter) {
    // Whichever writer meets the deleted file first, the writers after it
    // (the tray's opacity command saves twice, then the save at exit) go on.
    const struct {
        const char* name;
        void (*firstWriter)();
    } cases[] = {
        {"SaveOpacity", SaveOpacity},
        {"SaveConfig", SaveConfig},
        {"PersistViewMode", PersistViewMode},
        {"SaveToggleHotkey", SaveToggleHotkey},
    };
    for (const auto& c : cases) {
        ResetWorld();
        WriteFile("");
        LoadConfig();
        World().files.clear();

        Cfg().opacity = 30;
        c.firstWriter();
        SaveConfig();
        EXPECT_NE(SavedText().find("\nOpacity=30\n"), std::string::npos) << c.name;
        EXPECT_NE(SavedText().find("[MonitorLayout]\n"), std::string::npos) << c.name;

        World().paletteRect = {300, 200, 800, 600};
        Cfg().sortMode = SortMode::Size;
        SaveConfig();  // at exit
        const std::string text = SavedText();
        EXPECT_NE(text.find("\nX=300\nY=200\nW=500\nH=400\n"), std::string::npos) << c.name << "\n"
                                                                                  << text;
        EXPECT_NE(text.find("\nSortMode=2\n"), std::string::npos) << c.name;
        EXPECT_TRUE(Session().readable) << c.name;
    }
}

TEST(BlockedWriting, AFileThatBecomesUnreadableIsLeftAlone) {
    ResetWorld();
    LoadText("[General]\nDebugLog=1\n[Window]\nX=1");
    WriteFile("");  // emptied by another program after the load
    SaveConfig();
    SaveOpacity();
    SaveToggleHotkey();
    EXPECT_EQ(ReadFile(), "");
    EXPECT_TRUE(LogHas(L"SaveConfig: skipped because config.ini failed to load."))
        << "the log is on, so it says why";

    WriteFile(Crlf("[Window]\nX=2"));
    LoadConfig();  // a good load lifts nothing that was not blocked, and writing goes on
    EXPECT_TRUE(Session().readable);
    SaveOpacity();
    EXPECT_EQ(World().saves, 1);
}

TEST(ReloadUiLanguage, ReadsTheLanguageAgainAndKeepsItWhenTheFileCannotBeRead) {
    ResetWorld();
    WriteFile(Crlf("[UI]\nLanguage=it"));
    ReloadUiLanguage();
    EXPECT_EQ(Cfg().language, L"it");
    EXPECT_EQ(World().languageApplied, 1);

    const struct {
        const char* name;
        void (*arrange)();
    } unreadable[] = {
        {"held by an editor", [] { World().heldByEditor = true; }},
        {"emptied", [] { WriteFile(""); }},
    };
    for (const auto& c : unreadable) {
        WriteFile(Crlf("[UI]\nLanguage=it"));
        c.arrange();
        ReloadUiLanguage();
        EXPECT_EQ(Cfg().language, L"it") << c.name;
        EXPECT_EQ(World().languageApplied, 1) << c.name;

        // Once the editor lets go, the next save keeps the user's choice.
        World().heldByEditor = false;
        WriteFile(Crlf("[UI]\nLanguage=it"));
        SaveConfig();
        EXPECT_NE(SavedText().find("\nLanguage=it\n"), std::string::npos) << c.name;
    }

    World().files.clear();
    ReloadUiLanguage();
    EXPECT_EQ(Cfg().language, L"") << "a deleted file means the system's language";
}

}  // namespace
}  // namespace lumetra::config
