#pragma once
// Size and place of the corner toast, in physical pixels.
#include <cstdint>

namespace lumetra::layouttool {

inline constexpr int kToastWidth = 400;
inline constexpr int kToastMargin = 16;
inline constexpr int kToastTextWidth = 332;
inline constexpr int kToastMinHeight = 88;
inline constexpr int kToastMaxHeight = 200;
inline constexpr int kToastTimerId = 1;
inline constexpr unsigned kToastVisibleMs = 5500;
inline constexpr unsigned kToastPumpMs = 5800;

struct ToastRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ToastRect&) const = default;
};

// The body's measured height plus room for the title, clamped to 88..200;
// without a screen DC to measure on, the body counts as 48 pixels.
int ToastHeight(bool measured, int bodyHeight);

// 400 pixels wide, 16 pixels from the work area's right and bottom edges.
ToastRect PlaceToast(const ToastRect& workArea, int height);

}  // namespace lumetra::layouttool
