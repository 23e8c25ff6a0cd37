#pragma once
// Stilvane's /toggle and the "HideIcons" setting it keeps in step.
#include <windows.h>

#include <cstdint>

#include "layouttool/icon_toggle.h"

namespace lumetra::layouttool {

inline constexpr const wchar_t* kExplorerAdvancedKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline constexpr const wchar_t* kHideIconsValue = L"HideIcons";

// Under another key for tests; the program uses HKCU and kExplorerAdvancedKey.
HideIconsValue ReadHideIconsAt(HKEY root, const wchar_t* subKey);
bool WriteHideIconsAt(HKEY root, const wchar_t* subKey, std::uint32_t value);

HideIconsValue ReadHideIcons();
bool WriteHideIcons(std::uint32_t value);

// Exit code 0, 10 or 11. Needs no COM initialisation beforehand.
int ToggleDesktopIcons();

}  // namespace lumetra::layouttool
