#pragma once
// The palette's private messages, menu commands, timer ids and window names:
// every request in the program reaches the palette window as one of these.
#include <cstdint>

namespace lumetra::protocol {

inline constexpr unsigned kWmApp = 0x8000;  // WM_APP

inline constexpr unsigned WMAPP_TRAY = kWmApp + 1;
inline constexpr unsigned WMAPP_TOGGLE = kWmApp + 99;
inline constexpr unsigned WMAPP_HIDE = kWmApp + 100;
inline constexpr unsigned WMAPP_ACTIVATE = kWmApp + 101;
inline constexpr unsigned WMAPP_RENAME = kWmApp + 102;
inline constexpr unsigned WMAPP_SHELLCHANGE = kWmApp + 103;
inline constexpr unsigned WMAPP_REFRESH = kWmApp + 104;
inline constexpr unsigned WMAPP_MENU_RESYNC = kWmApp + 108;

// Private messages nobody sends any more: swallowed so they change nothing.
inline bool IsSwallowedAppMessage(unsigned message) {
    return message == kWmApp + 106 || (message >= kWmApp + 109 && message <= kWmApp + 113);
}

// Sources of a WMAPP_TOGGLE request (its wParam).
enum class ToggleSource : std::uint8_t {
    kDoubleTap = 1,
    kSecondInstance = 2,
    kMouseGesture = 3,
    kHotkey = 4,
};

// Menu commands (low word of WM_COMMAND's wParam).
enum Command : unsigned {
    kCmdTriggerCtrl = 2001,
    kCmdTriggerShift = 2002,
    kCmdTriggerAlt = 2003,
    kCmdTriggerDisabled = 2004,
    kCmdMouseX1 = 2011,
    kCmdMouseX2 = 2012,
    kCmdMouseDoubleClick = 2013,
    kCmdMouseLongPress = 2014,
    kCmdMouseDisabled = 2015,
    kCmdDropInputHooks = 2090,  // in no menu: lets the hook watchdog be seen at work
    kCmdOpacity100 = 2100,
    kCmdOpacity75 = 2101,
    kCmdOpacity30 = 2103,
    kCmdCloseOnItemActivate = 2110,
    kCmdDesktopItemsSame = 2111,
    kCmdDesktopItemsAll = 2112,
    kCmdDisplayFollowSystem = 2120,
    kCmdDisplayLight = 2121,
    kCmdDisplayDark = 2122,
    kCmdOpenReadme = 2300,
    kCmdRunAtStartup = 2301,
    kCmdAbout = 2302,
    kCmdExit = 2303,
    kCmdViewLarge = 2402,
    kCmdViewMedium = 2403,
    kCmdViewSmall = 2404,
    kCmdViewExtraLarge = 2405,
    kCmdSortName = 2501,
    kCmdSortDate = 2502,
    kCmdSortSize = 2503,
    kCmdRefresh = 2601,
    kCmdToggle = 2701,
    kCmdHotkeyNone = 2801,
    kCmdHotkeyCtrlAltD = 2802,
    kCmdHotkeyCtrlAltQ = 2803,
    kCmdHotkeyCtrlAltA = 2804,
    kCmdHotkeyCtrlAltZ = 2805,
    kCmdEditConfig = 2808,
    kCmdSaveAndHide = 9004,
};

// Window timers; all of the program's timers live on the palette.
enum TimerId : unsigned {
    kApplyViewTimerId = 11,
    kHousekeepingTimerId = 12,
    kShellChangeDebounceTimerId = 13,
    kCoverMinTimeTimerId = 14,
    kFadeInTimerId = 15,
    kRevealSweepTimerId = 16,
    kRestoreViewModeTimerId = 17,
    kInputResyncTimerId = 18,
    kOverlayFadeTimerId = 19,
    kConfigWatchTimerId = 21,
    kSmallIconSettleTimerId = 22,
    kViewReapplyTimerId = 23,
    kShellCommandSyncTimerId = 24,
    kFinishShowTimerId = 25,
    kMenuResyncTimerId = 26,
    kIgnoredTimerId = 27,
};
// The hosted view's transitions and the cover over them: stopped when the
// palette hides (with the menu resync and the fade-in) and when the view is
// released (with the view re-apply and the sort sync, which outlive a hide).
inline constexpr unsigned kViewTransitionTimers[] = {
    kApplyViewTimerId,       kRevealSweepTimerId,     kShellChangeDebounceTimerId,
    kRestoreViewModeTimerId, kSmallIconSettleTimerId, kOverlayFadeTimerId,
    kCoverMinTimeTimerId};
inline constexpr unsigned kTimersStoppedOnHide[] = {kMenuResyncTimerId, kFadeInTimerId,
                                                    kFinishShowTimerId};
inline constexpr unsigned kTimersStoppedOnViewRelease[] = {kViewReapplyTimerId,
                                                           kShellCommandSyncTimerId};

inline constexpr unsigned kFirstTimerId = 11;
inline constexpr unsigned kLastTimerId = 26;

inline constexpr int kToggleHotkeyId = 1;

// Names of the registered messages that toggle the palette from other processes.
inline constexpr const wchar_t* kToggleMessageNames[] = {
    L"WM_LUMETRA_TOGGLE", L"WM_CORVANEL_TOGGLE", L"WM_SAFFREL_TOGGLE"};
inline constexpr const wchar_t* kTaskbarCreatedMessageName = L"TaskbarCreated";

inline constexpr const wchar_t* kPaletteClassName = L"Lumetra.Main";
inline constexpr const wchar_t* kPaletteTitle = L"Lumetra";

}  // namespace lumetra::protocol
