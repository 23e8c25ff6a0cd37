#include "layouttool/icon_toggle_win.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include "layouttool/desktop_windows_win.h"
#include "platform/unique_handle_win.h"
#include "platform/unique_id_list_win.h"

namespace lumetra::layouttool {
namespace {

void SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kShellMessageTimeoutMs,
                        &result);
}

void SpawnWorkers() {
    if (const HWND progman = FindWindowW(L"Progman", nullptr))
        SendWithTimeout(progman, kSpawnWorkerMessage, 0, 0);
}

void AnnounceChange() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);
    const auto traySettings = reinterpret_cast<LPARAM>(L"TraySettings");
    if (const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr))
        SendWithTimeout(tray, WM_SETTINGCHANGE, 0, traySettings);
    if (const HWND shell = GetShellWindow())
        SendWithTimeout(shell, WM_SETTINGCHANGE, 0, traySettings);

    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    platform::UniqueIdList desktop;
    if (SUCCEEDED(SHGetKnownFolderIDList(FOLDERID_Desktop, 0, nullptr, desktop.put())) && desktop)
        SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_FLUSH, desktop.get(), nullptr);
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);
    if (init == S_OK || init == S_FALSE) CoUninitialize();
}

}  // namespace

HideIconsValue ReadHideIconsAt(HKEY root, const wchar_t* subKey) {
    platform::UniqueHkey key;
    if (RegOpenKeyExW(root, subKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return {};
    std::uint8_t data[4] = {};
    DWORD type = 0;
    DWORD size = sizeof data;
    const LSTATUS status =
        RegQueryValueExW(key.get(), kHideIconsValue, nullptr, &type, data, &size);
    return {true, HideIconsFromStored(status == ERROR_SUCCESS, type, data, size)};
}

bool WriteHideIconsAt(HKEY root, const wchar_t* subKey, std::uint32_t value) {
    platform::UniqueHkey key;
    if (RegOpenKeyExW(root, subKey, 0, KEY_SET_VALUE, key.put()) != ERROR_SUCCESS) return false;
    const DWORD data = value;
    return RegSetValueExW(key.get(), kHideIconsValue, 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

HideIconsValue ReadHideIcons() { return ReadHideIconsAt(HKEY_CURRENT_USER, kExplorerAdvancedKey); }

bool WriteHideIcons(std::uint32_t value) {
    return WriteHideIconsAt(HKEY_CURRENT_USER, kExplorerAdvancedKey, value);
}

int ToggleDesktopIcons() {
    ToggleSteps steps;
    steps.findDesktop = [] { return FindDesktopListView(); };
    steps.spawnWorkers = SpawnWorkers;
    steps.readHideIcons = ReadHideIcons;
    steps.writeHideIcons = WriteHideIcons;
    steps.postToggleCommand = [](WindowRef defView) {
        PostMessageW(ToHwnd(defView), WM_COMMAND, kToggleIconsCommand, 0);
    };
    steps.announceChange = AnnounceChange;
    return RunToggle(steps);
}

}  // namespace lumetra::layouttool
