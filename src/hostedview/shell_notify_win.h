#pragma once
#include <windows.h>

namespace lumetra::hostedview {

// Registers the palette for changes of the Desktop folder (WMAPP_SHELLCHANGE).
void RegisterShellChangeNotification(HWND palette);
void DeregisterShellChangeNotification();

}  // namespace lumetra::hostedview
