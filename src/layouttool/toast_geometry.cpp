#include "layouttool/toast_geometry.h"

#include <algorithm>

namespace lumetra::layouttool {

int ToastHeight(bool measured, int bodyHeight) {
    const int body = measured ? bodyHeight : 48;
    // Clamp in 64 bits: a huge measured height must not wrap.
    const long long height = static_cast<long long>(body) + 54;
    return static_cast<int>(std::clamp<long long>(height, kToastMinHeight, kToastMaxHeight));
}

ToastRect PlaceToast(const ToastRect& workArea, int height) {
    const int left = workArea.right - (kToastWidth + kToastMargin);
    const int top = workArea.bottom - height - kToastMargin;
    return {left, top, left + kToastWidth, top + height};
}

}  // namespace lumetra::layouttool
