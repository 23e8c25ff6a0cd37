// Creation, destruction and the requests that show or hide the palette.
#include <windows.h>
#include <shlobj.h>

#include "config/monitor_win.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/shell_notify_win.h"
#include "hostedview/view_mode_win.h"
#include "log/debug_log.h"
#include "palette/activation_win.h"
#include "palette/appearance_win.h"
#include "palette/close_button_win.h"
#include "palette/group_headers_win.h"
#include "palette/overlay_win.h"
#include "palette/palette_handlers_win.h"
#include "palette/palette_state_win.h"
#include "palette/registered_messages_win.h"
#include "palette/settings_reload_win.h"
#include "palette/toggle_decision.h"
#include "palette/toggle_win.h"
#include "platform/system_library_win.h"
#include "protocol/messages.h"
#include "triggers/input_triggers_win.h"
#include "ui/shell_item_menu_win.h"
#include "ui/tray_win.h"

namespace lumetra::palette {
namespace {

constexpr DWORD kCornerPreferenceAttribute = 33;  // DWMWA_WINDOW_CORNER_PREFERENCE
constexpr DWORD kRoundCorners = 2;

std::uint32_t LastToggleTick() { return Palette().lastToggleTick; }
bool InSizeMove() { return Palette().drag.inSizeMove; }
bool MenuOpen() { return Palette().menuDepth > 0; }

hostedview::ViewHost ViewHostLinks() {
    hostedview::ViewHost links;
    links.applyListViewTheme = ApplyListViewTheme;
    links.handleCtrlShortcut = HandleCtrlShortcut;
    links.showCover = ShowOverlayCover;
    links.positionCover = PositionOverlayCover;
    links.hideCover = HideOverlayCover;
    links.hideCoverImmediate = HideOverlayCoverImmediate;
    links.crossfadeCover = HideOverlayCoverAfterReveal;
    links.stopCoverFade = StopOverlayFade;
    links.coverShown = OverlayCoverShown;
    links.coverRecentlyShown = OverlayCoverRecentlyShown;
    links.dragging = InSizeMove;
    links.menuOpen = MenuOpen;
    links.focusList = FocusPaletteList;
    links.modalStateOpen = ModalStateOpen;
    links.renameFocusedItem = RenameFocusedItem;
    links.deleteSelection = DeleteSelection;
    links.pasteIntoDesktop = PasteIntoDesktop;
    links.showItemMenu = ShowItemMenu;
    links.dragPalette = DragPaletteFromCursor;
    links.darkMode = DarkMode;
    links.paintGroupHeaders = PaintGroupHeaders;
    links.applyDarkScrollBars = ApplyDarkScrollBars;
    links.placeCloseButton = MoveCloseButtonAlong;
    return links;
}

// Saves a sort the shell changed on its own before anything else is saved.
void FlushSortSync(HWND hwnd) {
    KillTimer(hwnd, protocol::kShellCommandSyncTimerId);
    hostedview::FlushPendingSortSync();
}

}  // namespace

LRESULT OnCreate(HWND hwnd) {
    PaletteState& state = Palette();
    state.window = hwnd;
    ApplyTheme(hwnd);
    state.isWindows11 = ReadIsWindows11();
    const DWORD corners = kRoundCorners;
    platform::SetDwmWindowAttribute(hwnd, kCornerPreferenceAttribute, &corners, sizeof(corners));
    SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    ApplyOpacity();

    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
    CreateCloseButton(hwnd, instance);
    hostedview::SetViewHost(ViewHostLinks());
    hostedview::InitializeExplorerBrowser(hwnd);
    CreateOverlayCover(hwnd, instance);
    SetTimer(hwnd, protocol::kHousekeepingTimerId, 100, nullptr);
    triggers::SetTriggerTarget({hwnd, LastToggleTick, ModalStateOpen});
    triggers::UpdateMouseTrigger();
    return 0;
}

LRESULT OnDestroy(HWND hwnd) {
    FlushSortSync(hwnd);
    config::SaveConfig();
    for (unsigned id = protocol::kFirstTimerId; id <= protocol::kLastTimerId; ++id)
        KillTimer(hwnd, id);
    HideOverlayCoverAfterReveal();
    UnregisterHotKey(hwnd, protocol::kToggleHotkeyId);
    Palette().fading = false;
    hostedview::DeregisterShellChangeNotification();
    triggers::RemoveInputTriggers();
    triggers::SetTriggerTarget({});
    ui::RemoveTrayIcon();
    ui::ReleaseActiveShellMenu();
    hostedview::ReleaseExplorerBrowser();
    if (Palette().host.onDestroy) Palette().host.onDestroy();
    Palette().window = nullptr;
    PostQuitMessage(0);
    return 0;
}

LRESULT OnEndSession(WPARAM ending) {
    if (!ending) return 0;
    FlushSortSync(Palette().window);
    config::SaveConfig();
    ui::RemoveTrayIcon();
    return 0;
}

// The one place that resets everything tied to a visible palette, whichever
// path hid it.
void OnShowWindow(HWND, WPARAM shown) {
    PaletteState& state = Palette();
    state.paletteShown = shown != 0;
    if (!shown) {
        config::SetCurrentMonitor(nullptr);
        AbortViewTransitions();
        HideCloseButton();
        Overlay().hideNotBefore = 0;
        HideOverlayCoverImmediate();
        triggers::ClearKeyboardTracking();
        triggers::ResetMouseGestureState();
    }
    log::DebugLogWrite(shown ? L"WM_SHOWWINDOW show" : L"WM_SHOWWINDOW hide");
}

LRESULT OnToggleRequest(HWND hwnd, WPARAM source) {
    ApplyAppMode(hwnd);
    // A hidden palette is about to show: every window of it paints afresh as
    // it appears and its list view is re-themed once the show has finished,
    // so redrawing them now would only hold the show up.
    if (config::Cfg().displayMode == config::DisplayMode::FollowSystem && IsWindowVisible(hwnd))
        ApplyTheme(hwnd);
    log::DebugLogFormat(L"WM_APP+99 received. source=%llu",
                        static_cast<unsigned long long>(source));
    if (source == static_cast<WPARAM>(protocol::ToggleSource::kSecondInstance)) {
        // A second launch makes this instance pick up edits made to config.ini.
        const LiveSettings before = CaptureLiveSettings();
        config::LoadConfig();
        ApplyReloadedSettings(hwnd, before);
        const config::Settings& s = config::Cfg();
        SetWindowPos(hwnd, nullptr, s.x, s.y, s.w, s.h,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (ToggleRequestClearsCooldown(static_cast<protocol::ToggleSource>(source)))
        ClearToggleCooldown();
    ToggleMainWindow(source == static_cast<WPARAM>(protocol::ToggleSource::kMouseGesture));
    return 0;
}

bool OnHotkey(HWND hwnd, WPARAM id) {
    if (id != static_cast<WPARAM>(protocol::kToggleHotkeyId)) return false;
    ClearToggleCooldown();
    PostMessageW(hwnd, protocol::WMAPP_TOGGLE, static_cast<WPARAM>(protocol::ToggleSource::kHotkey),
                 0);
    return true;
}

bool OnRegisteredMessage(HWND hwnd, UINT message, LRESULT& result) {
    if (IsToggleMessage(message)) {
        ToggleMainWindow(false);
        result = 0;
        return true;
    }
    if (IsTaskbarCreatedMessage(message)) {
        ui::OnTaskbarCreated(hwnd);
        result = 0;
        return true;
    }
    return false;
}

bool ReadIsWindows11() {
    const platform::WindowsVersion version = platform::RunningWindowsVersion();
    return version.major > 10 || (version.major == 10 && version.build > 21999);
}

}  // namespace lumetra::palette
