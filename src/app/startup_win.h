#pragma once
#include <windows.h>

namespace lumetra::app {

// Start-up, single instance and the message loop; returns the exit code.
int RunLumetra(HINSTANCE instance);

}  // namespace lumetra::app
