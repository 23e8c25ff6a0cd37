#include "palette/appearance_rules.h"

#include <gtest/gtest.h>

namespace lumetra::palette {
namespace {

TEST(Theme, AForcedChoiceWinsAndTheSystemDecidesOtherwise) {
    EXPECT_FALSE(DecideDark(1, 0u)) << "forced light over a dark system";
    EXPECT_TRUE(DecideDark(2, 1u)) << "forced dark over a light system";
    EXPECT_TRUE(DecideDark(0, 0u));
    EXPECT_FALSE(DecideDark(0, 1u));
    EXPECT_FALSE(DecideDark(0, std::nullopt)) << "no value: light";
    EXPECT_FALSE(DecideDark(0, 7u));
    EXPECT_TRUE(DecideDark(9, 0u)) << "an unknown mode follows the system";

    EXPECT_EQ(PreferredAppMode(1, true), 3);
    EXPECT_EQ(PreferredAppMode(2, false), 2);
    EXPECT_EQ(PreferredAppMode(0, true), 1);
    EXPECT_EQ(PreferredAppMode(0, false), 0);
}

TEST(Theme, TheDarkModeEntryPointsOnlyWhereTheyMeanWhatTheyShould) {
    EXPECT_TRUE(DarkModeEntryPointsUsable(17763, true));
    EXPECT_TRUE(DarkModeEntryPointsUsable(22631, true));
    EXPECT_FALSE(DarkModeEntryPointsUsable(17134, true)) << "an older Windows 10";
    EXPECT_FALSE(DarkModeEntryPointsUsable(19045, false)) << "the app-mode entry is missing";
    // Wine reports an old build number.
    EXPECT_FALSE(DarkModeEntryPointsUsable(7601, true));
}

TEST(ListViewLook, OpacityDecidesTheTransparencyAndTheThemeTheColours) {
    const ListViewLook full = ListViewLookFor(false, 100, false);
    EXPECT_EQ(full.background, 0xFFFFFFu);
    EXPECT_EQ(full.text, 0x202020u);
    EXPECT_EQ(full.textBackground, kColourNone);
    EXPECT_EQ(full.extendedStyle, 0u);

    const ListViewLook seventyFive = ListViewLookFor(true, 75, false);
    EXPECT_EQ(seventyFive.background, kColourNone);
    EXPECT_EQ(seventyFive.text, 0xE6E6E6u);
    EXPECT_EQ(seventyFive.extendedStyle, kTransparentBackgroundStyle) << "no shadow text yet";

    const ListViewLook thirty = ListViewLookFor(true, 30, false);
    EXPECT_EQ(thirty.extendedStyle, kTransparentBackgroundStyle | kTransparentShadowTextStyle);
    EXPECT_EQ(ListViewLookFor(true, 100, false).background, 0x1C1C1Cu);
}

TEST(ListViewLook, OnlyADarkGroupedViewHidesTheSystemsHeaderText) {
    EXPECT_EQ(ListViewLookFor(true, 100, true).groupHeaderColour, 0x1C1C1Cu);
    EXPECT_FALSE(ListViewLookFor(true, 100, false).groupHeaderColour);
    EXPECT_FALSE(ListViewLookFor(false, 100, true).groupHeaderColour);
}

TEST(GroupHeader, BandTextAndTriangleScaleWithTheListsDpi) {
    const ScreenRect header{10, 40, 410, 70};
    const GroupHeaderDrawing at96 = GroupHeaderDrawingFor(header, 96, false);
    EXPECT_EQ(at96.band, (ScreenRect{10, 40, 382, 70}));
    EXPECT_EQ(at96.text, (ScreenRect{18, 42, 382, 68}));
    // Expanded: pointing down, centred on the header's middle, 14 px from its right edge.
    EXPECT_EQ(at96.triangle[0], (ScreenPoint{392, 53}));
    EXPECT_EQ(at96.triangle[1], (ScreenPoint{400, 53}));
    EXPECT_EQ(at96.triangle[2], (ScreenPoint{396, 57}));

    const GroupHeaderDrawing at144 = GroupHeaderDrawingFor(header, 144, true);
    EXPECT_EQ(at144.band, (ScreenRect{10, 40, 368, 70}));
    EXPECT_EQ(at144.text, (ScreenRect{22, 43, 368, 67}));
    // Collapsed: pointing right.
    EXPECT_EQ(at144.triangle[0], (ScreenPoint{386, 49}));
    EXPECT_EQ(at144.triangle[1], (ScreenPoint{386, 61}));
    EXPECT_EQ(at144.triangle[2], (ScreenPoint{392, 55}));
}

TEST(ScrollBarTheme, OnlyAHostedViewWindowsScrollBarLookupTurnsDarkWhileDark) {
    EXPECT_TRUE(RedirectsScrollBarTheme(true, L"ScrollBar", true));
    EXPECT_TRUE(RedirectsScrollBarTheme(true, L"SCROLLbar", true));
    EXPECT_FALSE(RedirectsScrollBarTheme(false, L"ScrollBar", true));
    EXPECT_FALSE(RedirectsScrollBarTheme(true, L"ScrollBar", false));
    for (const wchar_t* other : {L"", L"Scroll", L"ScrollBars", L"Button", L"ScrollBar;Edit"})
        EXPECT_FALSE(RedirectsScrollBarTheme(true, other, true)) << other;
}

}  // namespace
}  // namespace lumetra::palette
