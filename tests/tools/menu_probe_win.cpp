// menu_probe.dll: describes the popup menus the process it is loaded into has
// open. Wine lets only the owning process read a menu's items, so a test loads
// this library into the palette's process (winprobe inject) while a menu is
// open. The answer, beside the library: "<library path>.done", one line of
// JSON, {"menus":[[item, ...], ...]} with the items as "winprobe menu-items"
// gives them, submenus' items included. The library then unloads itself.
#include <windows.h>

#include "menu_items_win.h"
#include "probe_library_win.h"

namespace {

DWORD WINAPI Worker(void* param) {
    auto* self = static_cast<HMODULE>(param);
    lumetra::winprobe::WriteAnswer(
        lumetra::winprobe::ModulePath(self) + L".done",
        lumetra::winprobe::DescribeOpenMenus(GetCurrentProcessId()) + "\n");
    FreeLibraryAndExitThread(self, 0);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    return lumetra::winprobe::StartProbeWorker(instance, reason, Worker);
}
