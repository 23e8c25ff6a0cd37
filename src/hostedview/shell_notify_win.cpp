#include "hostedview/shell_notify_win.h"

#include <shlobj.h>

#include "platform/unique_id_list_win.h"
#include "protocol/messages.h"

namespace lumetra::hostedview {
namespace {

constexpr int kSources = 0x8003;  // interrupt + shell level, new delivery
constexpr LONG kEvents =
    0x0802399F;  // creations, deletions, renames, updates, drives, associations
ULONG gRegistration = 0;

}  // namespace

void RegisterShellChangeNotification(HWND palette) {
    platform::UniqueIdList desktop;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, desktop.put())) || !desktop)
        return;
    SHChangeNotifyEntry entry{desktop.get(), TRUE};
    gRegistration =
        SHChangeNotifyRegister(palette, kSources, kEvents, protocol::WMAPP_SHELLCHANGE, 1, &entry);
}

void DeregisterShellChangeNotification() {
    if (gRegistration != 0) SHChangeNotifyDeregister(gRegistration);
    gRegistration = 0;
}

}  // namespace lumetra::hostedview
