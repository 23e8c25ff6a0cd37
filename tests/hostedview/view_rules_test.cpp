#include "hostedview/view_rules.h"

#include <gtest/gtest.h>

namespace lumetra::hostedview {
namespace {

using config::ViewMode;

TEST(ViewRules, FolderSettingsFollowViewModeAndClickSetting) {
    struct Case {
        ViewMode view;
        bool doubleClick;
        unsigned mode;
        unsigned flags;
    } cases[] = {
        {ViewMode::Small, true, 2, 0x1},          {ViewMode::Small, false, 2, 0x8201},
        {ViewMode::Large, true, 1, 0x1},          {ViewMode::Medium, true, 1, 0x1},
        {ViewMode::ExtraLarge, false, 1, 0x8201},
    };
    for (const Case& c : cases) {
        const FolderSettingsChoice choice = ChooseFolderSettings(c.view, c.doubleClick);
        EXPECT_EQ(choice.viewMode, c.mode) << static_cast<int>(c.view);
        EXPECT_EQ(choice.flags, c.flags) << static_cast<int>(c.view) << " " << c.doubleClick;
    }
}

TEST(ViewRules, InfoTipCacheAsksOncePerItemUntilCleared) {
    InfoTipCache cache;
    EXPECT_TRUE(InfoTipCacheMiss(cache, 3));
    cache.text = L"Size: 1 KB";
    EXPECT_FALSE(InfoTipCacheMiss(cache, 3));
    EXPECT_EQ(cache.text, L"Size: 1 KB");
    EXPECT_TRUE(InfoTipCacheMiss(cache, 4));
    EXPECT_TRUE(cache.text.empty());
    cache.text = L"x";
    ClearInfoTipCache(cache);  // a refresh renumbers the items
    EXPECT_TRUE(InfoTipCacheMiss(cache, 4));
}

TEST(ViewRules, TipTextIsCutToTheBufferAndTerminated) {
    struct Case {
        int capacity;
        std::wstring expected;
    } cases[] = {{1, L""}, {2, L"a"}, {4, L"abc"}, {5, L"abcd"}, {64, L"abcd"}};
    for (const Case& c : cases) {
        wchar_t buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        EXPECT_EQ(CopyTipText(L"abcd", buffer, c.capacity), c.expected.size());
        EXPECT_EQ(std::wstring(buffer), c.expected) << c.capacity;
        if (c.capacity < 64) {
            EXPECT_EQ(buffer[c.capacity], L'#') << "wrote past the capacity";
        }
    }
    wchar_t one = L'#';
    EXPECT_EQ(CopyTipText(L"abc", &one, 0), 0u);
    EXPECT_EQ(one, L'#');
    EXPECT_EQ(CopyTipText(L"abc", nullptr, 8), 0u);
}

TEST(ViewRules, FilterLogAllowsEightLinesPerFiveSecondWindow) {
    struct Case {
        const char* what;
        std::uint32_t start;
    } cases[] = {{"ordinary ticks", 1000}, {"window across the tick wrap", 0xFFFFF000u}};
    for (const Case& c : cases) {
        FilterLogLimit limit;
        int logged = 0;
        for (std::uint32_t t = 0; t < 20; ++t)
            logged += TakeFilterLogLine(limit, c.start + t * 100) ? 1 : 0;
        EXPECT_EQ(logged, 8) << c.what;
        EXPECT_FALSE(TakeFilterLogLine(limit, c.start + 4999)) << c.what;
        EXPECT_TRUE(TakeFilterLogLine(limit, c.start + 5000)) << c.what << ": a new window";
        int more = 1;
        for (std::uint32_t t = 1; t < 20; ++t)
            more += TakeFilterLogLine(limit, c.start + 5000 + t) ? 1 : 0;
        EXPECT_EQ(more, 8) << c.what;
    }
}

}  // namespace
}  // namespace lumetra::hostedview
