#pragma once
// The About window.
#include <windows.h>

namespace lumetra::ui {

// Not built yet: shows nothing.
void ShowAboutWindow(HWND palette);
// Not built yet: always false.
bool AboutWindowOpen();

}  // namespace lumetra::ui
