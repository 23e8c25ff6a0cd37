#pragma once
#include <windows.h>

namespace lumetra::ui {

void ShowAboutWindow(HWND palette);
bool AboutWindowOpen();

}  // namespace lumetra::ui
