// About window entry points; the window arrives with the About work.
#include "ui/about_window_win.h"

namespace lumetra::ui {

void ShowAboutWindow(HWND) {}
bool AboutWindowOpen() { return false; }

}  // namespace lumetra::ui
