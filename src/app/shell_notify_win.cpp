#include "app/shell_notify_win.h"

#include <shlobj.h>

#include "palette/palette_messages.h"

namespace lumetra::app {
namespace {

constexpr int kSources = 0x8003;       // interrupt + shell level, new delivery
constexpr LONG kEvents = 0x0802399F;   // creations, deletions, renames, updates, drives, associations
ULONG gRegistration = 0;

}  // namespace

void RegisterShellChangeNotification(HWND palette) {
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) || !desktop) return;
    SHChangeNotifyEntry entry{desktop, TRUE};
    gRegistration = SHChangeNotifyRegister(palette, kSources, kEvents, palette::WMAPP_SHELLCHANGE, 1, &entry);
    CoTaskMemFree(desktop);
}

void DeregisterShellChangeNotification() {
    if (gRegistration != 0) SHChangeNotifyDeregister(gRegistration);
    gRegistration = 0;
}

}  // namespace lumetra::app
