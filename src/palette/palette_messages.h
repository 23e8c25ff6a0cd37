#pragma once
// The palette's private messages and menu commands. Every request in the
// program reaches the palette window as one of these.
#include <cstdint>

namespace lumetra::palette {

inline constexpr unsigned kWmApp = 0x8000;  // WM_APP

inline constexpr unsigned WMAPP_TRAY = kWmApp + 1;
inline constexpr unsigned WMAPP_TOGGLE = kWmApp + 99;
inline constexpr unsigned WMAPP_HIDE = kWmApp + 100;
inline constexpr unsigned WMAPP_ACTIVATE = kWmApp + 101;
inline constexpr unsigned WMAPP_RENAME = kWmApp + 102;
inline constexpr unsigned WMAPP_SHELLCHANGE = kWmApp + 103;
inline constexpr unsigned WMAPP_REFRESH = kWmApp + 104;
inline constexpr unsigned WMAPP_MENU_RESYNC = kWmApp + 108;

// Sources of a WMAPP_TOGGLE request (its wParam).
enum class ToggleSource : std::uint8_t {
    kDoubleTap = 1,
    kSecondInstance = 2,
    kMouseGesture = 3,
    kHotkey = 4,
};

// Menu commands (low word of WM_COMMAND's wParam).
inline constexpr unsigned kCmdExit = 2303;

// Names of the registered messages that toggle the palette from other processes.
inline constexpr const wchar_t* kToggleMessageNames[] = {
    L"WM_LUMETRA_TOGGLE", L"WM_CORVANEL_TOGGLE", L"WM_SAFFREL_TOGGLE"};
inline constexpr const wchar_t* kTaskbarCreatedMessageName = L"TaskbarCreated";

inline constexpr const wchar_t* kPaletteClassName = L"Lumetra.Main";
inline constexpr const wchar_t* kPaletteTitle = L"Lumetra";

}  // namespace lumetra::palette
