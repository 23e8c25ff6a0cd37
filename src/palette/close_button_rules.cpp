#include "palette/close_button_rules.h"

#include <algorithm>

namespace lumetra::palette {
namespace {

constexpr int kRightInset = 28;
constexpr int kTopInset = 8;
constexpr int kHotHalfLength = 16;
constexpr int kColdHalfLength = 14;

}  // namespace

CloseButtonColours CloseButtonColoursFor(bool dark) {
    if (dark) return {0x1C1C1C, 0xA0A0A0, 0x575FFF, 0x000040};
    return {0xFFFFFF, 0x6E6E6E, 0x575FFF, 0x000040};
}

bool InCloseButtonBand(const ScreenRect& palette, int x, int y) {
    return y >= palette.top && y < palette.top + kCloseBandHeight &&
           x > palette.right - kCloseBandWidth && x <= palette.right;
}

ScreenRect CloseButtonRect(const ScreenRect& palette) {
    const int left = palette.right - kRightInset, top = palette.top + kTopInset;
    return {left, top, left + kCloseButtonSize, top + kCloseButtonSize};
}

CloseButtonDrawing DrawCloseButton(int clientWidth, int clientHeight, bool hot) {
    CloseButtonDrawing d;
    d.centreX = clientWidth * kCloseSupersample / 2;
    d.centreY = clientHeight * kCloseSupersample / 2;
    d.discRadius =
        hot ? std::max(0, (std::min(clientWidth, clientHeight) - 2) / 2) * kCloseSupersample : 0;
    const int h = hot ? kHotHalfLength : kColdHalfLength;
    d.halfLength = h;
    const int cx = d.centreX, cy = d.centreY;
    d.lines[0] = {cx - h, cy - h, cx + h + 1, cy + h + 1};
    d.lines[1] = {cx + h, cy - h, cx - h - 1, cy + h + 1};
    return d;
}

}  // namespace lumetra::palette
