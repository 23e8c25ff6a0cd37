// Menu commands of the tray and view menus, the read-me and the
// configuration watch.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "config/data_folder_win.h"
#include "config/hotkey_text.h"
#include "config/monitor_prefs.h"
#include "config/run_at_startup_win.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"
#include "log/debug_log.h"
#include "palette/appearance_win.h"
#include "palette/palette_handlers_win.h"
#include "palette/palette_state_win.h"
#include "palette/settings_reload_win.h"
#include "palette/toggle_win.h"
#include "protocol/messages.h"
#include "triggers/input_triggers_win.h"
#include "ui/about_window_win.h"
#include "ui/shell_item_menu_win.h"
#include "ui/tray_win.h"
#include "ui/ui_language.h"

namespace lumetra::palette {
namespace {

using config::Cfg;

constexpr std::uint32_t kConfigWatchMs = 300000;
constexpr UINT kConfigWatchPeriodMs = 2000;

void SetTrigger(config::TriggerKey trigger) {
    Cfg().trigger = trigger;
    triggers::UpdateDoubleTapHook();
    config::SaveConfig();
}

void SetMouseButton(config::MouseButton button) {
    config::Settings& cfg = Cfg();
    cfg.mouseButton = button;
    if (cfg.mouseMode == config::MouseMode::Disabled) {
        cfg.mouseMode = config::MouseMode::DoubleClick;
        triggers::ResetMouseGestureState();
        triggers::UpdateMouseTrigger();
    }
    config::SaveConfig();
}

void SetMouseMode(config::MouseMode mode, const wchar_t* logLine) {
    Cfg().mouseMode = mode;
    triggers::ResetMouseGestureState();
    triggers::UpdateMouseTrigger();
    config::SaveConfig();
    log::DebugLogWrite(logLine);
}

void SetOpacity(int opacity) {
    Cfg().opacity = opacity;
    ApplyOpacity();
    config::SaveOpacity();
    config::SaveConfig();
}

void SetDesktopItemsMode(config::DesktopItemsMode mode) {
    if (Cfg().desktopItemsMode == mode) return;
    Cfg().desktopItemsMode = mode;
    config::SaveConfig();
    hostedview::RefreshDesktopItems();
}

void SetDisplayMode(HWND hwnd, config::DisplayMode mode) {
    Cfg().displayMode = mode;
    config::SaveConfig();
    ApplyTheme(hwnd);
}

void SetViewMode(HWND hwnd, int view, const wchar_t* reason) {
    ui::ReleaseActiveShellMenu();
    config::SetCfgViewMode(view, reason);
    config::PersistViewMode();
    hostedview::InvalidateAppliedViewGeometry();
    hostedview::RefreshLikeMenu(hwnd, true);
}

void SetHotkey(HWND hwnd, std::uint32_t key) {
    Cfg().toggleHotkey = {config::kModCtrlAlt, key};
    config::SaveToggleHotkey();
    RegisterToggleHotkey(hwnd);
}

std::uint64_t ConfigLastWrite() {
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExW(config::Session().path.c_str(), GetFileExInfoStandard, &info))
        return 0;
    return (std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
           info.ftLastWriteTime.dwLowDateTime;
}

// Opens config.ini in the user's editor and watches it for five minutes, so
// that a hotkey or language edited there takes effect at once.
void EditConfigWithWatch(HWND hwnd) {
    PaletteState& state = Palette();
    state.configWatchStamp = ConfigLastWrite();
    state.configWatchDeadline = GetTickCount() + kConfigWatchMs;
    KillTimer(hwnd, protocol::kConfigWatchTimerId);
    SetTimer(hwnd, protocol::kConfigWatchTimerId, kConfigWatchPeriodMs, nullptr);
    ShellExecuteW(hwnd, L"open", config::Session().path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// Without an association for .md files the read-me opens in Notepad.
void OpenReadme(HWND hwnd) {
    const std::wstring file = ui::FindReadme(ui::CurrentUILanguageIndex());
    if (file.empty()) return;
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(hwnd, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return;
    wchar_t notepad[MAX_PATH];
    const DWORD n =
        ExpandEnvironmentStringsW(L"%SystemRoot%\\System32\\notepad.exe", notepad, MAX_PATH);
    if (n < 2 || n > MAX_PATH) return;  // counts the terminator: 1 to 259 characters
    const std::wstring quoted = L"\"" + file + L"\"";
    ShellExecuteW(hwnd, L"open", notepad, quoted.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace

void ConfigWatchTick(HWND hwnd) {
    PaletteState& state = Palette();
    if (static_cast<std::int32_t>(GetTickCount() - state.configWatchDeadline) > 0) {
        KillTimer(hwnd, protocol::kConfigWatchTimerId);
        return;
    }
    const std::uint64_t stamp = ConfigLastWrite();
    if (stamp == 0 || stamp == state.configWatchStamp) return;
    state.configWatchStamp = stamp;
    ReloadHotkeyAndApply(hwnd);
    config::ReloadUiLanguage();
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam) {
    using config::TriggerKey, config::MouseButton, config::MouseMode, config::DisplayMode;
    switch (LOWORD(wParam)) {
        case protocol::kCmdTriggerCtrl: SetTrigger(TriggerKey::Ctrl); break;
        case protocol::kCmdTriggerShift: SetTrigger(TriggerKey::Shift); break;
        case protocol::kCmdTriggerAlt: SetTrigger(TriggerKey::Alt); break;
        case protocol::kCmdTriggerDisabled: SetTrigger(TriggerKey::Disabled); break;
        case protocol::kCmdMouseX1: SetMouseButton(MouseButton::X1); break;
        case protocol::kCmdMouseX2: SetMouseButton(MouseButton::X2); break;
        case protocol::kCmdMouseDoubleClick:
            SetMouseMode(MouseMode::DoubleClick, L"Mouse invoke mode set to double-click.");
            break;
        case protocol::kCmdMouseLongPress:
            SetMouseMode(MouseMode::LongPress, L"Mouse invoke mode set to long-press.");
            break;
        case protocol::kCmdMouseDisabled:
            SetMouseMode(MouseMode::Disabled, L"Mouse invoke mode set to disabled.");
            break;
        case protocol::kCmdDropInputHooks: triggers::DropInputHooksAsTheSystemWould(); break;
        case protocol::kCmdOpacity100: SetOpacity(100); break;
        case protocol::kCmdOpacity75: SetOpacity(75); break;
        case protocol::kCmdOpacity30: SetOpacity(30); break;
        case protocol::kCmdCloseOnItemActivate:
            Cfg().closeOnItemActivate = !Cfg().closeOnItemActivate;
            config::SaveConfig();
            break;
        case protocol::kCmdDesktopItemsSame:
            SetDesktopItemsMode(config::DesktopItemsMode::SameAsDesktop);
            break;
        case protocol::kCmdDesktopItemsAll:
            SetDesktopItemsMode(config::DesktopItemsMode::AllItems);
            break;
        case protocol::kCmdDisplayFollowSystem:
            SetDisplayMode(hwnd, DisplayMode::FollowSystem);
            break;
        case protocol::kCmdDisplayLight: SetDisplayMode(hwnd, DisplayMode::Light); break;
        case protocol::kCmdDisplayDark: SetDisplayMode(hwnd, DisplayMode::Dark); break;
        case protocol::kCmdOpenReadme: OpenReadme(hwnd); break;
        case protocol::kCmdRunAtStartup:
            Cfg().runAtStartup = !Cfg().runAtStartup;
            config::ApplyRunAtStartup();
            config::SaveConfig();
            break;
        case protocol::kCmdAbout: ui::ShowAboutWindow(hwnd); break;
        case protocol::kCmdExit: DestroyWindow(hwnd); break;
        case protocol::kCmdViewLarge: SetViewMode(hwnd, 1, L"menu.large"); break;
        case protocol::kCmdViewMedium: SetViewMode(hwnd, 2, L"menu.medium"); break;
        case protocol::kCmdViewSmall: SetViewMode(hwnd, 3, L"menu.small"); break;
        case protocol::kCmdViewExtraLarge: SetViewMode(hwnd, 4, L"menu.extraLarge"); break;
        case protocol::kCmdSortName: hostedview::OnUserPickedSortMode(0); break;
        case protocol::kCmdSortDate: hostedview::OnUserPickedSortMode(1); break;
        case protocol::kCmdSortSize: hostedview::OnUserPickedSortMode(2); break;
        case protocol::kCmdRefresh:
            hostedview::RefreshExplorerBrowser(hostedview::RefreshStyle::kFull);
            break;
        case protocol::kCmdToggle:
            ClearToggleCooldown();
            ToggleMainWindow(false);
            break;
        case protocol::kCmdHotkeyNone: SetHotkey(hwnd, 0); break;
        case protocol::kCmdHotkeyCtrlAltD: SetHotkey(hwnd, 0x44); break;
        case protocol::kCmdHotkeyCtrlAltQ: SetHotkey(hwnd, 0x51); break;
        case protocol::kCmdHotkeyCtrlAltA: SetHotkey(hwnd, 0x41); break;
        case protocol::kCmdHotkeyCtrlAltZ: SetHotkey(hwnd, 0x5A); break;
        case protocol::kCmdEditConfig: EditConfigWithWatch(hwnd); break;
        case protocol::kCmdSaveAndHide:
            config::SaveConfig();
            PostMessageW(hwnd, protocol::WMAPP_HIDE, 0, 0);
            break;
        default: break;
    }
    return 0;
}

}  // namespace lumetra::palette
