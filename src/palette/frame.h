#pragma once
// The palette's borderless frame: colours, the resize band and the fade-in.
#include <cstdint>

#include "palette/placement.h"

namespace lumetra::palette {

// COLORREF values (0x00BBGGRR).
struct FrameColours {
    std::uint32_t background;
    std::uint32_t frameActive;
    std::uint32_t frameInactive;
};
inline constexpr FrameColours kDarkColours{0x1C1C1C, 0x505050, 0x3C3C3C};
inline constexpr FrameColours kLightColours{0xFFFFFF, 0xB4B4B4, 0xD2D2D2};
inline const FrameColours& ColoursFor(bool dark) { return dark ? kDarkColours : kLightColours; }

// Hit-test codes with the values of the system's HT* constants.
enum HitTest : int {
    kHitClient = 1,
    kHitLeft = 10,
    kHitRight = 11,
    kHitTop = 12,
    kHitTopLeft = 13,
    kHitTopRight = 14,
    kHitBottom = 15,
    kHitBottomLeft = 16,
    kHitBottomRight = 17,
};
inline constexpr int kResizeBandPixels = 10;
// Which edge or corner a screen point is on: a 10-pixel band around the window resizes it.
HitTest PaletteHitTest(const ScreenRect& window, ScreenPoint point);

// Layered alpha the fade-in ends at for an opacity setting (100, 75 or 30).
std::uint8_t FadeTargetAlpha(int opacity);
inline constexpr std::uint32_t kFadeInMs = 240;
// Ease-out from 0 to the target over 240 ms; at least 1 while fading.
std::uint8_t FadeInAlpha(std::uint32_t elapsedMs, std::uint8_t target);

}  // namespace lumetra::palette
