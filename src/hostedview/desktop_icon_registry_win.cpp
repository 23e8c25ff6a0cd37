// Reads the shell's per-user list of hidden Desktop icons.
#include <windows.h>

#include "config/settings.h"
#include "hostedview/hosted_view_win.h"
#include "log/debug_log.h"
#include "platform/unique_handle_win.h"

namespace lumetra::hostedview {
namespace {

constexpr const wchar_t* kNewStartPanelKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel";
constexpr const wchar_t* kClassicStartMenuKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu";
constexpr DWORD kNameUnits = 280;
static_assert(kRegSuccess == ERROR_SUCCESS && kRegMoreData == ERROR_MORE_DATA &&
              kRegNoMoreItems == ERROR_NO_MORE_ITEMS);

IconValues ReadIconValues(const wchar_t* subKey) {
    platform::UniqueHkey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return {};
    return CollectIconValues([&key](std::uint32_t index, IconValue& value) -> long {
        wchar_t name[kNameUnits];
        DWORD nameUnits = kNameUnits;
        DWORD type = 0;
        BYTE data[4] = {};
        DWORD dataSize = sizeof(data);
        const LONG status =
            RegEnumValueW(key.get(), index, name, &nameUnits, nullptr, &type, data, &dataSize);
        if (status != ERROR_SUCCESS) return status;
        value.name.assign(name, nameUnits);
        value.isDword = type == REG_DWORD && dataSize == sizeof(data);
        value.data =
            static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
            static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
        return ERROR_SUCCESS;
    });
}

}  // namespace

RegistryChange ReadDesktopIconRegistry() {
    const bool sameAsDesktop =
        config::Cfg().desktopItemsMode == config::DesktopItemsMode::SameAsDesktop;
    if (!sameAsDesktop) return {};
    HostedView& v = View();
    const RegistryChange change = UpdateDesktopIconRegistry(
        v.iconRegistry, BuildHiddenIconSets(ReadIconValues(kNewStartPanelKey),
                                            ReadIconValues(kClassicStartMenuKey)));
    log::DebugLogFormat(
        L"Desktop icon registry: %zu hidden CLSID(s), sameAsDesktop=%d changed=%d relaxed=%d.",
        v.iconRegistry.sets.all.size(), sameAsDesktop ? 1 : 0, change.changed ? 1 : 0,
        change.relaxed ? 1 : 0);
    return change;
}

}  // namespace lumetra::hostedview
