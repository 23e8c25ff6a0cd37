#pragma once
#include <windows.h>

namespace lumetra::app {

// Registers the palette for changes of the Desktop folder (WMAPP_SHELLCHANGE).
void RegisterShellChangeNotification(HWND palette);
void DeregisterShellChangeNotification();

}  // namespace lumetra::app
