// Tackroll: prints one UTF-8 line per application pinned to the taskbar.
#include <windows.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "pinlister/command_line.h"
#include "pinlister/lister_host_win.h"
#include "pinlister/lister_run.h"
#include "platform/system_library_win.h"

int wmain(int argc, wchar_t** argv) {
    lumetra::platform::RemoveCurrentDirectoryFromDllSearch();
    SetConsoleOutputCP(CP_UTF8);
    const std::vector<std::wstring> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const lumetra::pinlister::RunMode mode = lumetra::pinlister::ParseArguments(arguments);
    const bool comStarted =
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) == S_OK;
    const int exitCode =
        lumetra::pinlister::RunLister(mode, lumetra::pinlister::MakeListerHost(mode));
    if (comStarted) CoUninitialize();
    return exitCode;
}
