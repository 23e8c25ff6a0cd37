#include "palette/close_button_rules.h"

#include <gtest/gtest.h>

namespace lumetra::palette {
namespace {

const ScreenRect kPalette{120, 120, 1040, 700};

TEST(CloseButtonBand, TheTopRightCornerHundredByForty) {
    EXPECT_TRUE(InCloseButtonBand(kPalette, 1040, 120)) << "the right edge is inside";
    EXPECT_FALSE(InCloseButtonBand(kPalette, 940, 130)) << "100 pixels left of it is not";
    EXPECT_TRUE(InCloseButtonBand(kPalette, 941, 130));
    EXPECT_TRUE(InCloseButtonBand(kPalette, 1000, 159));
    EXPECT_FALSE(InCloseButtonBand(kPalette, 1000, 160)) << "40 pixels down is out";
    EXPECT_FALSE(InCloseButtonBand(kPalette, 1000, 119)) << "above the palette";
    EXPECT_FALSE(InCloseButtonBand(kPalette, 1041, 130)) << "right of the palette";
}

TEST(CloseButtonBand, TheButtonLiesInsideItsBand) {
    const ScreenRect button = CloseButtonRect(kPalette);
    EXPECT_EQ(button, (ScreenRect{1012, 128, 1030, 146}));
    for (int x : {button.left, button.right - 1})
        for (int y : {button.top, button.bottom - 1})
            EXPECT_TRUE(InCloseButtonBand(kPalette, x, y)) << x << "," << y;
}

TEST(CloseButtonColours, LightAndDarkShareTheRedDisc) {
    const CloseButtonColours light = CloseButtonColoursFor(false);
    const CloseButtonColours dark = CloseButtonColoursFor(true);
    EXPECT_EQ(light.background, 0xFFFFFFu);
    EXPECT_EQ(light.cross, 0x6E6E6Eu);
    EXPECT_EQ(dark.background, 0x1C1C1Cu);
    EXPECT_EQ(dark.cross, 0xA0A0A0u);
    EXPECT_EQ(light.disc, 0x575FFFu);  // red in COLORREF's BGR order
    EXPECT_EQ(dark.disc, light.disc);
    EXPECT_EQ(dark.hotCross, 0x000040u);
    EXPECT_EQ(light.hotCross, dark.hotCross);
}

TEST(CloseButtonDrawing, ADiscOnlyWhenHotAndALongerCrossOnIt) {
    const CloseButtonDrawing cold = DrawCloseButton(18, 18, false);
    EXPECT_EQ(cold.discRadius, 0);
    EXPECT_EQ(cold.centreX, 36);
    EXPECT_EQ(cold.centreY, 36);
    EXPECT_EQ(cold.lines[0].x0, 36 - 14);
    EXPECT_EQ(cold.lines[0].x1, 36 + 15);
    EXPECT_EQ(cold.lines[1].x0, 36 + 14);
    EXPECT_EQ(cold.lines[1].x1, 36 - 15);
    EXPECT_EQ(cold.lines[1].y1, 36 + 15);

    const CloseButtonDrawing hot = DrawCloseButton(18, 18, true);
    EXPECT_EQ(hot.discRadius, 32) << "(18 - 2) / 2, four times";
    EXPECT_EQ(hot.halfLength, 16);
    // The cross stays inside the disc.
    EXPECT_LE(hot.lines[0].x1 - hot.centreX, hot.discRadius);
    // A button squeezed to nothing draws no disc rather than a negative one.
    EXPECT_EQ(DrawCloseButton(1, 1, true).discRadius, 0);
}

}  // namespace
}  // namespace lumetra::palette
