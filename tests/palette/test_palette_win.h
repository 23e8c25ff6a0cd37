#pragma once
// The real palette for a test, with the test prefix's Desktop view: OLE up,
// the window created at a fixed place, shown and in front; and all of it
// taken down again.
#include <windows.h>
#include <ole2.h>

#include "palette/palette_window_win.h"

namespace lumetra::palette {

// Null when OLE or the window could not be set up.
inline HWND OpenTestPalette() {
    if (FAILED(OleInitialize(nullptr))) return nullptr;
    HWND palette = CreatePaletteWindow(GetModuleHandleW(nullptr), {100, 100, 640, 480}, {});
    if (!palette) return nullptr;
    ShowWindow(palette, SW_SHOW);
    SetForegroundWindow(palette);
    return palette;
}

inline void CloseTestPalette(HWND palette) {
    if (palette) DestroyWindow(palette);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    OleUninitialize();
}

}  // namespace lumetra::palette
