#include "config/monitor_values.h"

#include <gtest/gtest.h>

#include "fake_config_host.h"

namespace lumetra::config {
namespace {

using testing::Narrow;

TEST(MonitorPosValue, ReadsFourIntegersOfAtLeast100Pixels) {
    const struct {
        const wchar_t* text;
        std::optional<ScreenRect> rect;
    } cases[] = {
        {L"-1920,0,920,580", ScreenRect{-1920, 0, -1000, 580}},
        {L"0,0,99,580", std::nullopt},
        {L"0,0,920,99", std::nullopt},
        {L"0,0,100,100", ScreenRect{0, 0, 100, 100}},
        {L"0,0,920", std::nullopt},
        {L"", std::nullopt},
        {L" 10, -20,\t300, +400 trailing", ScreenRect{10, -20, 310, 380}},
        {L"10 ,20,300,400", std::nullopt},  // nothing may stand before a comma
        {L"10;20;300;400", std::nullopt},
        {L"010,020,300,400", ScreenRect{10, 20, 310, 420}},  // decimal, never octal
        {L"0x10,0,300,400", std::nullopt},
        // Beyond the bounds of [Window]: placement would add beyond 32 bits.
        {L"2147483000,0,1000,580", std::nullopt},
        {L"0,-2147483648,300,400", std::nullopt},
        {L"0,0,99999999999,580", std::nullopt},
        {L"-2147483546,0,2147483647,580", std::nullopt},
        {L"-1048576,1048576,1048576,100", ScreenRect{-1048576, 1048576, 0, 1048676}},
        {L"-1048577,0,300,400", std::nullopt},
        {L"0,0,300,1048577", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseMonitorPos(c.text), c.rect) << Narrow(c.text);
}

TEST(MonitorPosValue, WritesLeftTopWidthHeightAndRoundTrips) {
    EXPECT_EQ(FormatMonitorPos({-1920, 0, -1000, 580}), L"-1920,0,920,580");
    EXPECT_EQ(FormatMonitorPos({0, 0, 99, 580}), std::nullopt);
    EXPECT_EQ(FormatMonitorPos({0, 0, 580, 0}), std::nullopt);
    EXPECT_EQ(FormatMonitorPos({INT32_MIN, 0, INT32_MAX, 200}), std::nullopt);
    EXPECT_EQ(FormatMonitorPos({-2000000, 0, -1000000, 200}), std::nullopt)
        << "what would not be read back is not written";
    for (const ScreenRect rect :
         {ScreenRect{1, 2, 103, 104}, ScreenRect{-5000, -300, 3000, 2000}}) {
        const auto text = FormatMonitorPos(rect);
        ASSERT_TRUE(text);
        EXPECT_EQ(ParseMonitorPos(*text), rect);
    }
}

TEST(MonitorViewValue, KeepsOnlyViewsOneToFour) {
    const struct {
        const wchar_t* text;
        std::optional<std::int32_t> view;
    } cases[] = {
        {L"4", 4},
        {L"1", 1},
        {L"0", std::nullopt},
        {L"5", std::nullopt},
        {L"x", std::nullopt},
        {L" 3 views", 3},
        {L"-2", std::nullopt},
        {L"", std::nullopt},
        {L"4294967298", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseMonitorView(c.text), c.view) << Narrow(c.text);
}

TEST(MonitorLayoutValue, ReadsFiveOrSixFields) {
    const wchar_t* groupKey = L"{B725F130-47EF-101A-A5F1-02608C9EEBAC}:4";
    const struct {
        const wchar_t* text;
        std::optional<MonitorLayout> layout;
    } cases[] = {
        {L"1|0|1|1|1|{B725F130-47EF-101A-A5F1-02608C9EEBAC}:4",
         MonitorLayout{1, false, true, true, true, groupKey}},
        {L"1|0|0|1", std::nullopt},
        {L"3|1|0|1|1|", std::nullopt},
        {L"-1|1|0|1|1|", std::nullopt},
        {L"2|1|0|1|1", MonitorLayout{2, true, false, true, true, L""}},
        {L"0||0|1|1|", MonitorLayout{0, true, false, true, true, L""}},
        {L"x|yes|0|no|00|k", MonitorLayout{0, true, false, true, true, L"k"}},
        {L"1|0|1|0|0|key|seventh|eighth", MonitorLayout{1, false, true, false, false, L"key"}},
        {L"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseMonitorLayout(c.text), c.layout) << Narrow(c.text);
}

TEST(MonitorLayoutValue, WritesAndReadsBack) {
    const MonitorLayout layout{2, false, true, false, true, L"{GUID}:10"};
    EXPECT_EQ(FormatMonitorLayout(layout), L"2|0|1|0|1|{GUID}:10");
    EXPECT_EQ(ParseMonitorLayout(FormatMonitorLayout(layout)), layout);
    MonitorLayout huge = layout;
    huge.groupKey.assign(1000, L'k');
    EXPECT_EQ(FormatMonitorLayout(huge).size(), 383u);
}

// Whatever is read must be saved as the same text and read back the same:
// the INI reader trims a value's end and a written value holds 383 units.
TEST(MonitorLayoutValue, ReadsOnlyAGroupKeyItCanSaveAgain) {
    const struct {
        const wchar_t* text;
        const wchar_t* groupKey;
    } cases[] = {
        {L"1|0|1|1|1|key |next", L"key"},
        {L"1|0|1|1|1|key \t|", L"key"},
        {L"1|0|1|1|1| |", L""},
        {L"1|0|1|1|1| inner blanks stay|", L" inner blanks stay"},
    };
    for (const auto& c : cases) {
        const auto layout = ParseMonitorLayout(c.text);
        ASSERT_TRUE(layout) << Narrow(c.text);
        EXPECT_EQ(layout->groupKey, c.groupKey) << Narrow(c.text);
    }

    std::wstring longKey(400, L'k');
    longKey[372] = L' ';
    const auto layout = ParseMonitorLayout(L"0|1|0|1|1|" + longKey);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->groupKey, std::wstring(372, L'k'));
    EXPECT_EQ(FormatMonitorLayout(*layout), L"0|1|0|1|1|" + layout->groupKey);
    EXPECT_EQ(ParseMonitorLayout(FormatMonitorLayout(*layout)), layout);

    MonitorLayout written{2, true, false, true, true, L"cut here"};
    written.groupKey.insert(0, 369, L'k');  // the writer's cut lands after the blank
    EXPECT_EQ(FormatMonitorLayout(written), L"2|1|0|1|1|" + std::wstring(369, L'k') + L"cut");
}

TEST(MonitorKey, IsTheDeviceNameAfterItsLastBackslash) {
    const struct {
        const wchar_t* device;
        const wchar_t* key;
    } cases[] = {
        {L"\\\\.\\DISPLAY3", L"DISPLAY3"}, {L"DISPLAY1", L"DISPLAY1"}, {L"", L"_unknown"},
        {L"\\\\.\\", L"_unknown"},         {L"a\\b\\c", L"c"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MonitorKeyFromDeviceName(c.device), c.key) << Narrow(c.device);
    EXPECT_FALSE(IsStorableMonitorKey(L""));
    EXPECT_FALSE(IsStorableMonitorKey(L"_unknown"));
    EXPECT_TRUE(IsStorableMonitorKey(L"display1"));
}

}  // namespace
}  // namespace lumetra::config
