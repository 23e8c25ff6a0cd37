#include "hostedview/view_mode_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace lumetra::hostedview {
namespace {

using config::SortMode;
using config::ViewMode;

constexpr const wchar_t* kStorageText = L"{B725F130-47EF-101A-A5F1-02608C9EEBAC}";

TEST(ViewModeRules, EachViewModeMapsToAModeAndIconSize) {
    struct Case {
        ViewMode view;
        bool grouped;
        unsigned mode;
        int px;
    } cases[] = {
        {ViewMode::Large, false, kFvmIcon, 96},      {ViewMode::Large, true, kFvmIcon, 96},
        {ViewMode::Medium, false, kFvmIcon, 48},     {ViewMode::ExtraLarge, true, kFvmIcon, 128},
        {ViewMode::Small, false, kFvmSmallIcon, 20}, {ViewMode::Small, true, kFvmIcon, 20},
    };
    for (const Case& c : cases) {
        const ViewModeTarget target = WantedViewMode(c.view, c.grouped);
        EXPECT_EQ(target.folderViewMode, c.mode) << static_cast<int>(c.view) << " " << c.grouped;
        EXPECT_EQ(target.iconPx, c.px) << static_cast<int>(c.view);
    }
}

TEST(ViewModeRules, ShellViewCountsAsShowingTheModeWithinFourPixels) {
    struct Case {
        ViewMode view;
        unsigned mode;
        int px;
        bool at;
    } cases[] = {
        {ViewMode::Small, kFvmSmallIcon, 20, true},   {ViewMode::Small, kFvmIcon, 22, true},
        {ViewMode::Small, kFvmSmallIcon, 16, true},   {ViewMode::Small, kFvmIcon, 24, true},
        {ViewMode::Small, kFvmIcon, 25, false},       {ViewMode::Small, kFvmSmallIcon, 15, false},
        {ViewMode::Small, kFvmList, 20, false},       {ViewMode::Small, kFvmDetails, 20, false},
        {ViewMode::Medium, kFvmIcon, 48, true},       {ViewMode::Medium, kFvmSmallIcon, 48, false},
        {ViewMode::Large, kFvmIcon, 100, true},       {ViewMode::Large, kFvmIcon, 48, false},
        {ViewMode::ExtraLarge, kFvmIcon, 123, false},
    };
    for (const Case& c : cases) {
        ViewReport report;
        report.modeRead = true;
        report.folderViewMode = c.mode;
        report.iconPx = c.px;
        EXPECT_EQ(IsShellViewModeAt(c.view, report), c.at)
            << static_cast<int>(c.view) << " mode " << c.mode << " px " << c.px;
        report.modeRead = false;  // a view that cannot say is never at a mode
        EXPECT_FALSE(IsShellViewModeAt(c.view, report));
    }
}

TEST(ViewModeRules, SortModesMapToStorageColumnsAndBack) {
    struct Case {
        SortMode sort;
        bool ascending;
        std::uint32_t pid;
        int direction;
    } cases[] = {
        {SortMode::Name, true, 10, 1},
        {SortMode::DateModified, false, 14, -1},
        {SortMode::Size, true, 12, 1},
        {static_cast<SortMode>(7), false, 10, 1},  // unknown: by name, ascending
    };
    for (const Case& c : cases) {
        const SortColumnSpec column = WantedSortColumn(c.sort, c.ascending);
        EXPECT_EQ(column.key.fmtid, kStorageFmtid);
        EXPECT_EQ(column.key.pid, c.pid) << static_cast<int>(c.sort);
        EXPECT_EQ(column.direction, c.direction) << static_cast<int>(c.sort);
    }
    EXPECT_EQ(SortModeOfColumn({kStorageFmtid, 14}), SortMode::DateModified);
    EXPECT_EQ(SortModeOfColumn({kStorageFmtid, 12}), SortMode::Size);
    EXPECT_EQ(SortModeOfColumn({kStorageFmtid, 4}), SortMode::Name);  // item type
    Guid other = kStorageFmtid;
    other.data4[7] ^= 1;
    EXPECT_EQ(SortModeOfColumn({other, 14}), SortMode::Name);
}

TEST(ViewModeRules, GuidTextRoundTripsAndRejectsAnythingElse) {
    EXPECT_EQ(FormatGuid(kStorageFmtid), kStorageText);
    Guid guid;
    ASSERT_TRUE(ParseGuid(kStorageText, guid));
    EXPECT_EQ(guid, kStorageFmtid);
    ASSERT_TRUE(ParseGuid(L"{b725f130-47ef-101a-a5f1-02608c9eebac}", guid));
    EXPECT_EQ(guid, kStorageFmtid);
    const Guid odd{0x0000000F, 0xA000, 0x0001, {0, 1, 2, 3, 0xFE, 0xDC, 0xBA, 0x98}};
    ASSERT_TRUE(ParseGuid(FormatGuid(odd), guid));
    EXPECT_EQ(guid, odd);

    const wchar_t* bad[] = {
        L"",
        L"B725F130-47EF-101A-A5F1-02608C9EEBAC",     // no braces
        L"{B725F130-47EF-101A-A5F1-02608C9EEBAC",    // no closing brace
        L"{B725F130-47EF-101A-A5F1-02608C9EEBAC} ",  // trailing blank
        L"{B725F130-47EF-101A-A5F1-02608C9EEBAG}",   // not hex
        L"{B725F13-047EF-101A-A5F1-02608C9EEBAC}",   // dash moved
        L"{B725F130-47EF-101A-A5F102608C9EEBAC00}",  // dash missing
        L"{+725F130-47EF-101A-A5F1-02608C9EEBAC}",
    };
    for (const wchar_t* text : bad) {
        Guid untouched = odd;
        EXPECT_FALSE(ParseGuid(text, untouched)) << testing::PrintToString(std::wstring(text));
        EXPECT_EQ(untouched, odd);
    }
}

TEST(ViewModeRules, GroupByKeyTextParsesOnlyWhenWellFormed) {
    const std::wstring storage = kStorageText;
    struct Case {
        bool groupBy;
        std::wstring key;
        bool parses;
        std::uint32_t pid;
    } cases[] = {
        {true, storage + L":4", true, 4},
        {true, storage + L":14trailing", true, 14},
        {true, storage + L":99999999999", true, 0xFFFFFFFFu},
        {true, L"", true, 10},  // empty: by name
        {false, storage + L":4", false, 0},
        {false, L"", false, 0},
        {true, storage + L"4", false, 0},    // no colon
        {true, L":4", false, 0},             // nothing before the colon
        {true, storage + L":", false, 0},    // no digits
        {true, storage + L":x4", false, 0},  // no digits right after it
        {true, storage + L":-4", false, 0},
        {true, L"{B725F130}:4", false, 0},                           // not a GUID
        {true, std::wstring(10, L' ') + storage + L":4", false, 0},  // 48 before the colon
        {true, L"x:" + storage + L":4", false, 0},                   // split at the last colon
        {true, L"{not-a-guid}:1:2", false, 0},
    };
    for (const Case& c : cases) {
        config::Settings cfg;
        cfg.groupBy = c.groupBy;
        cfg.groupByKey = c.key;
        cfg.groupByAscending = false;
        PropKey key{{}, 77};
        bool ascending = true;
        EXPECT_EQ(ParseGroupByKeyString(cfg, key, ascending), c.parses)
            << testing::PrintToString(c.key);
        if (!c.parses) {
            EXPECT_EQ(key.pid, 77u) << "a rejected key changes nothing";
            continue;
        }
        EXPECT_EQ(key.fmtid, kStorageFmtid);
        EXPECT_EQ(key.pid, c.pid) << testing::PrintToString(c.key);
        EXPECT_FALSE(ascending);
    }
}

TEST(ViewModeRules, GroupByKeyFormatReadsBack) {
    for (const PropKey& key : {kNameKey, kDateModifiedKey, PropKey{kStorageFmtid, 0xFFFFFFFFu}}) {
        config::Settings cfg;
        cfg.groupBy = true;
        cfg.groupByKey = FormatGroupByKey(key);
        EXPECT_LE(cfg.groupByKey.size(), config::kGroupByKeyMaxLength);
        PropKey back;
        bool ascending = false;
        ASSERT_TRUE(ParseGroupByKeyString(cfg, back, ascending))
            << testing::PrintToString(cfg.groupByKey);
        EXPECT_EQ(back, key);
        EXPECT_TRUE(ascending);
    }
    EXPECT_EQ(FormatGroupByKey(kDateModifiedKey), std::wstring(kStorageText) + L":14");
}

// A view that shows what default settings (medium, ungrouped, sort not owned) ask.
ViewReport MediumUngrouped() {
    ViewReport report;
    report.modeRead = true;
    report.folderViewMode = kFvmIcon;
    report.iconPx = 48;
    report.groupRead = true;
    report.sortRead = true;
    report.sort = {kNameKey, kSortAscending};
    return report;
}

TEST(ViewModeRules, CommittedNeedsModeGroupingAndOwnedSort) {
    struct Case {
        const char* name;
        void (*settings)(config::Settings&);
        void (*view)(ViewReport&);
        bool committed;
    } cases[] = {
        {"as wanted", [](config::Settings&) {}, [](ViewReport&) {}, true},
        {"other icon size", [](config::Settings&) {}, [](ViewReport& r) { r.iconPx = 96; }, false},
        {"details", [](config::Settings&) {}, [](ViewReport& r) { r.folderViewMode = kFvmDetails; },
         false},
        {"view grouped, setting off", [](config::Settings&) {},
         [](ViewReport& r) { r.groupKey = kNameKey; }, false},
        {"group query failed, setting off", [](config::Settings&) {},
         [](ViewReport& r) { r.groupRead = false; }, true},
        {"group query failed, setting on", [](config::Settings& c) { c.groupBy = true; },
         [](ViewReport& r) { r.groupRead = false; }, false},
        {"grouped by name as wanted", [](config::Settings& c) { c.groupBy = true; },
         [](ViewReport& r) { r.groupKey = kNameKey; }, true},
        {"grouped, view lost its groups", [](config::Settings& c) { c.groupBy = true; },
         [](ViewReport&) {}, false},
        {"grouped by another property",
         [](config::Settings& c) {
             c.groupBy = true;
             c.groupByKey = std::wstring(kStorageText) + L":12";
         },
         [](ViewReport& r) { r.groupKey = kNameKey; }, false},
        {"grouped the other way", [](config::Settings& c) { c.groupBy = true; },
         [](ViewReport& r) {
             r.groupKey = kNameKey;
             r.groupAscending = false;
         },
         false},
        {"setting's key unusable",
         [](config::Settings& c) {
             c.groupBy = true;
             c.groupByKey = L"garbage";
         },
         [](ViewReport& r) { r.groupKey = kNameKey; }, false},
        {"shell's sort, not owned", [](config::Settings&) {},
         [](ViewReport& r) {
             r.sort = {kSizeKey, kSortDescending};
         },
         true},
        {"shell's sort, owned", [](config::Settings& c) { c.uiLayoutPersisted = true; },
         [](ViewReport& r) {
             r.sort = {kSizeKey, kSortDescending};
         },
         false},
        {"owned sort as wanted",
         [](config::Settings& c) {
             c.uiLayoutPersisted = true;
             c.sortMode = SortMode::Size;
             c.sortAscending = false;
         },
         [](ViewReport& r) {
             r.sort = {kSizeKey, kSortDescending};
         },
         true},
        {"owned sort, wrong direction",
         [](config::Settings& c) {
             c.uiLayoutPersisted = true;
             c.sortMode = SortMode::Size;
         },
         [](ViewReport& r) {
             r.sort = {kSizeKey, kSortDescending};
         },
         false},
        {"owned sort unreadable", [](config::Settings& c) { c.uiLayoutPersisted = true; },
         [](ViewReport& r) { r.sortRead = false; }, false},
    };
    for (const Case& c : cases) {
        config::Settings cfg;
        c.settings(cfg);
        ViewReport report = MediumUngrouped();
        c.view(report);
        EXPECT_EQ(IsViewModeCommitted(cfg, report), c.committed) << c.name;
    }
}

TEST(ViewModeRules, GroupedAnswerFallsBackToTheSetting) {
    ViewReport report;
    EXPECT_TRUE(ReportGrouped(report, true));
    EXPECT_FALSE(ReportGrouped(report, false));
    report.groupRead = true;
    EXPECT_FALSE(ReportGrouped(report, true));
    report.groupKey = kSizeKey;
    EXPECT_TRUE(ReportGrouped(report, false));
}

TEST(ViewModeRules, UnderlineFollowsTheShellSetting) {
    EXPECT_EQ(UnderlineStyleFor(0), 0x800u);
    EXPECT_EQ(UnderlineStyleFor(1), 0x1800u);
    EXPECT_EQ(UnderlineStyleFor(2), 0u);
    EXPECT_EQ(UnderlineStyleFor(0xFFFFFFFFu), 0u);
}

}  // namespace
}  // namespace lumetra::hostedview
