#pragma once
// A layered window's constant alpha, set only when it changes: each change
// costs the window system a round trip, even for a hidden window.
#include <windows.h>

namespace lumetra::platform {

inline void SetWindowAlpha(HWND window, BYTE alpha) {
    BYTE current = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(window, nullptr, &current, &flags) && flags == LWA_ALPHA &&
        current == alpha)
        return;
    SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
}

}  // namespace lumetra::platform
