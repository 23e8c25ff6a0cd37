#include "palette/frame.h"

namespace lumetra::palette {

HitTest PaletteHitTest(const ScreenRect& window, ScreenPoint p) {
    const bool left = p.x < window.left + kResizeBandPixels;
    const bool right = p.x > window.right - kResizeBandPixels;
    if (p.y < window.top + kResizeBandPixels)
        return left ? kHitTopLeft : right ? kHitTopRight : kHitTop;
    if (p.y > window.bottom - kResizeBandPixels)
        return left ? kHitBottomLeft : right ? kHitBottomRight : kHitBottom;
    return left ? kHitLeft : right ? kHitRight : kHitClient;
}

std::uint8_t FadeTargetAlpha(int opacity) {
    if (opacity == 30) return 140;
    if (opacity == 75) return 191;
    return 255;
}

std::uint8_t FadeInAlpha(std::uint32_t elapsedMs, std::uint8_t target) {
    if (elapsedMs >= kFadeInMs) return target;
    const std::uint32_t t = elapsedMs;
    const std::uint32_t alpha = ((480 - t) * t * target + 28800) / 57600;
    return static_cast<std::uint8_t>(alpha < 1 ? 1 : alpha);
}

}  // namespace lumetra::palette
