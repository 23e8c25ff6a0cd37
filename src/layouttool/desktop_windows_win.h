#pragma once
#include <windows.h>

#include "layouttool/desktop_windows.h"

namespace lumetra::layouttool {

DesktopViewWindows FindDesktopListView();

inline HWND ToHwnd(WindowRef ref) { return reinterpret_cast<HWND>(ref); }

}  // namespace lumetra::layouttool
