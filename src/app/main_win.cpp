// Lumetra's entry point.
#include <windows.h>

#include "app/startup_win.h"
#include "platform/system_library_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    lumetra::platform::RemoveCurrentDirectoryFromDllSearch();
    return lumetra::app::RunLumetra(instance);
}
