#include "palette/activation_win.h"

#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include "config/monitor_prefs.h"
#include "config/monitor_win.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"
#include "palette/appearance_win.h"
#include "palette/close_button_win.h"
#include "palette/monitor_placement_win.h"
#include "palette/overlay_win.h"
#include "palette/palette_state_win.h"
#include "platform/com_ptr_win.h"
#include "platform/monitors_win.h"
#include "protocol/messages.h"
#include "triggers/input_triggers_win.h"
#include "ui/about_window_win.h"

namespace lumetra::palette {
namespace {

using hostedview::View;
using platform::ComPtr;

constexpr std::uint32_t kRenameThrottleMs = 500;
// A timer message comes after pending input and paint: the palette and its
// cover are drawn and the rest of the triggering input passes this thread's
// hooks before the view work holds the thread up. The cover hides the view
// meanwhile.
constexpr UINT kFinishShowDelayMs = 10;

// Runs `body` with a flag set, unless the flag is already set (re-entry through
// a modal loop inside a shell call).
template <typename Body>
bool Guarded(bool& busy, Body body) {
    if (busy) return false;
    busy = true;
    const bool result = body();
    busy = false;
    return result;
}

bool SelectAll() {
    ComPtr<IFolderView2> folderView;
    if (!View().shellView || FAILED(View().shellView.As(IID_IFolderView2, folderView)))
        return false;
    int count = 0;
    if (FAILED(folderView->ItemCount(SVGIO_ALLVIEW, &count)) || count <= 0) return false;
    for (int i = 0; i < count; ++i)
        if (FAILED(folderView->SelectItem(i, SVSI_SELECT))) return false;
    return true;
}

bool InvokeOn(IContextMenu* menu, const char* verb) {
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    HWND list = hostedview::FindHostedListView();
    info.hwnd = list ? list : Palette().window;
    info.lpVerb = verb;
    info.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&info));
}

// Pasted items may include ones the palette hides: filter, then let the
// reveal sweep pick up what the shell adds late.
void AfterPaste() {
    hostedview::PostFilterSweep();
    hostedview::ArmRevealSweep();
}

bool DropClipboardOnDesktop() {
    ComPtr<IDataObject> data;
    if (FAILED(OleGetClipboard(data.put())) || !View().desktopFolder) return false;
    ComPtr<IDropTarget> target;
    if (FAILED(View().desktopFolder->CreateViewObject(Palette().window, IID_IDropTarget,
                                                      target.put_void())))
        return false;
    POINT point;
    if (!GetCursorPos(&point)) {
        RECT client{};
        HWND list = hostedview::FindHostedListView();
        if (list) GetClientRect(list, &client);
        point = {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
        if (list) ClientToScreen(list, &point);
    }
    DWORD keys = 0;
    if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
    const POINTL at{point.x, point.y};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    target->DragEnter(data.get(), keys, at, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    const bool dropped = SUCCEEDED(target->Drop(data.get(), keys, at, &effect));
    target->DragLeave();
    target.reset();
    if (dropped) OleFlushClipboard();
    return dropped;
}

// Hides the view window of a hidden palette for the moment of the show;
// true when it did. Cheap: nothing of a hidden window is drawn. (The view's
// own style, since IsWindowVisible is false for every child of a hidden
// window.)
bool HideViewWindowForShow() {
    if (!hostedview::HasViewWindow() ||
        !(GetWindowLongPtrW(View().viewWindow, GWL_STYLE) & WS_VISIBLE))
        return false;
    ShowWindow(View().viewWindow, SW_HIDE);
    return true;
}

// The foreground first: keys typed right after the trigger reach the palette
// without waiting for the restacking, which costs the window system a round
// trip each.
void RaiseAndTakeForeground(HWND palette) {
    Palette().paletteActive = true;
    InvalidateRect(palette, nullptr, TRUE);
    {
        ForegroundSwitch attach;
        SetForegroundWindow(palette);
        SetActiveWindow(palette);
    }
    SetWindowPos(palette, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    BringWindowToTop(palette);
}

// After showing: reveal the view, run a refresh that fell due while hidden,
// or let the view's own work reveal it.
void FinishReveal(bool wasVisible, bool runPending) {
    HMONITOR monitor = config::CurrentMonitor();
    if (runPending) {
        hostedview::SetPendingWhileHidden(false);
        if (monitor) {
            config::MonitorPrefsLoad(monitor);
            config::EnsureCfgView(L"MonitorShowPending");
            hostedview::SetPendingViewTarget(static_cast<int>(config::Cfg().viewMode));
        }
        hostedview::RefreshExplorerBrowser(hostedview::RefreshStyle::kOverlayOnly);
        SetTimer(Palette().window, protocol::kRestoreViewModeTimerId, 280, nullptr);
        return;
    }
    if (wasVisible || !View().shellView) {
        if (!hostedview::RefreshRunning()) HideOverlayCover();
        return;
    }
    if (monitor) return;
    hostedview::DesktopItemsRecheck();
}

}  // namespace

bool IsPaletteOrDescendant(HWND window) {
    HWND palette = Palette().window;
    return window && (window == palette || IsChild(palette, window) ||
                      GetAncestor(window, GA_ROOTOWNER) == palette);
}

ForegroundSwitch::ForegroundSwitch() {
    if (HWND foreground = GetForegroundWindow()) {
        const DWORD thread = GetWindowThreadProcessId(foreground, nullptr);
        if (thread != 0 && thread != GetCurrentThreadId() &&
            AttachThreadInput(thread, GetCurrentThreadId(), TRUE))
            foregroundThread_ = thread;
    }
}

ForegroundSwitch::~ForegroundSwitch() {
    if (foregroundThread_) AttachThreadInput(foregroundThread_, GetCurrentThreadId(), FALSE);
}

void ActivatePalette(bool showAtCursor) {
    PaletteState& state = Palette();
    if (!PaletteExists()) return;
    HWND palette = state.window;
    config::EnsureCfgView(L"ActivatePalette");
    const bool wasVisible = IsWindowVisible(palette);
    const bool runPending = !wasVisible && hostedview::PendingWhileHidden();

    // A hidden palette's view stays out of sight until the show has finished;
    // its theme is renewed there, after the palette is up.
    if (wasVisible && hostedview::FindHostedListView()) ApplyListViewTheme();
    HMONITOR monitor = nullptr;
    if (!wasVisible) {
        triggers::ClearKeyboardTracking();
        triggers::ResetMouseGestureState();
        monitor = PosMonitor(showAtCursor);
        if (!monitor) monitor = config::CursorMonitorOrPalette();
        config::SetCurrentMonitor(monitor);
        config::Session().currentMonitorKey = config::MonitorKeyOf(monitor);
    }
    RaiseHideNotBefore(350);

    if (wasVisible) {
        hostedview::SmallIconSizeMoveReflow();
        ShowOverlayCover();
        ShowWindow(palette, SW_SHOWNORMAL);
        RaiseAndTakeForeground(palette);
    } else {
        // The palette comes up as fast as a bare pop-up, its view out of
        // sight, and the cover goes over it before the view returns: nothing
        // stale is on screen and the show waits for neither. What only the
        // view needs (this monitor's view settings from the file, the view's
        // place) runs once the palette is up.
        const bool viewHidden = HideViewWindowForShow();
        if (state.isWindows11) {
            KillTimer(palette, protocol::kFadeInTimerId);
            SetLayeredWindowAttributes(palette, 0, 0, LWA_ALPHA);
            state.fading = true;
            ShowWindow(palette, SW_SHOWNORMAL);
            state.fadeStartTick = GetTickCount();
            SetTimer(palette, protocol::kFadeInTimerId, 16, nullptr);
        } else {
            ApplyPaletteAlpha();
            ShowWindow(palette, SW_SHOWNORMAL);
        }
        RaiseAndTakeForeground(palette);
        if (monitor) config::MonitorPrefsLoad(monitor);
        hostedview::SmallIconSizeMoveReflow();
        ShowOverlayCover();
        if (viewHidden) ShowWindow(View().viewWindow, SW_SHOWNA);
    }
    // The view stays under the cover until this work has run.
    state.showFinish = QueueShowFinish(state.showFinish, wasVisible, runPending);
    SetTimer(palette, protocol::kFinishShowTimerId, kFinishShowDelayMs, nullptr);
}

void FinishShowTick() {
    PaletteState& state = Palette();
    if (!PaletteExists()) return;
    KillTimer(state.window, protocol::kFinishShowTimerId);
    const ShowFinish finish = state.showFinish;
    state.showFinish = {};
    if (!finish.armed || !IsWindowVisible(state.window)) return;
    if (!finish.wasVisible && hostedview::FindHostedListView()) ApplyListViewTheme();
    if (View().shellView) View().shellView->UIActivate(SVUIA_ACTIVATE_FOCUS);
    if (!finish.wasVisible) {
        if (config::CurrentMonitor()) {
            hostedview::MonitorPrefsApply();
        } else if (View().shellView) {
            if (!hostedview::ListViewEditing()) hostedview::ApplyShellViewModeForced();
            SetTimer(state.window, protocol::kRestoreViewModeTimerId, 80, nullptr);
            if (config::Cfg().viewMode == config::ViewMode::Small)
                SetTimer(state.window, protocol::kSmallIconSettleTimerId, 220, nullptr);
        }
    }
    FocusPaletteList();
    if (Overlay().window && IsWindowVisible(Overlay().window)) PositionOverlayCover();
    FinishReveal(finish.wasVisible, finish.runPending);
}

void HidePalette() {
    PaletteState& state = Palette();
    if (!PaletteExists()) return;
    AbortViewTransitions();
    KillTimer(state.window, protocol::kShellCommandSyncTimerId);
    hostedview::FlushPendingSortSync();
    HideOverlayCoverAfterReveal();

    std::wstring key = config::CurrentMonitorKey();
    if (!config::IsStorableMonitorKey(key))
        key =
            config::MonitorKeyOf(platform::MonitorOfWindow(state.window, MONITOR_DEFAULTTONEAREST));
    if (!key.empty()) {
        config::Session().currentMonitorKey = key;
        config::PersistPaletteView(key);
    }
    config::SaveConfig();
    HideCloseButton();
    hostedview::InvalidateAppliedViewGeometry();
    ShowWindow(state.window, SW_HIDE);
    state.paletteShown = false;
    triggers::ClearKeyboardTracking();
    triggers::ResetMouseGestureState();
}

void AbortViewTransitions() {
    PaletteState& state = Palette();
    const bool pending = hostedview::PendingWhileHidden();
    for (UINT id : protocol::kViewTransitionTimers) KillTimer(state.window, id);
    for (UINT id : protocol::kTimersStoppedOnHide) KillTimer(state.window, id);
    state.showFinish = {};
    hostedview::ClearViewTransitions();
    state.fading = false;
    if (hostedview::HasViewWindow()) {
        SendMessageW(View().viewWindow, WM_SETREDRAW, TRUE, 0);
        ShowWindow(View().viewWindow, SW_SHOW);
    }
    if (HWND list = hostedview::FindHostedListView()) {
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    HideOverlayCoverImmediate();
    if (pending) hostedview::SetPendingWhileHidden(true);
}

void FocusPaletteList() {
    PaletteState& state = Palette();
    if (!PaletteExists() || !IsWindowVisible(state.window)) return;
    HWND foreground = GetForegroundWindow();
    if (foreground && !IsPaletteOrDescendant(foreground)) return;
    HWND target = hostedview::FindHostedListView();
    if (!target && hostedview::HasViewWindow()) target = View().viewWindow;
    if (!target) return;
    ForegroundSwitch attach;
    SetForegroundWindow(state.window);
    SetFocus(target);
}

void ActivateForMenu() {
    PaletteState& state = Palette();
    if (!PaletteExists()) return;
    Overlay().hideNotBefore = 0;
    HideOverlayCoverImmediate();
    HideCloseButton();
    ApplyAppMode(state.window);
    ForegroundSwitch attach;
    SetForegroundWindow(state.window);
    SetActiveWindow(state.window);
    BringWindowToTop(state.window);
}

bool RenameFocusedItem() {
    PaletteState& state = Palette();
    const std::uint32_t now = GetTickCount();
    if (state.renameTickValid && now - state.lastRenameTick < kRenameThrottleMs) return false;
    state.lastRenameTick = now;
    state.renameTickValid = true;
    if (!View().shellView) return false;
    HideOverlayCoverImmediate();

    ComPtr<IFolderView2> folderView;
    if (SUCCEEDED(View().shellView.As(IID_IFolderView2, folderView))) {
        int focused = -1;
        if (SUCCEEDED(folderView->GetFocusedItem(&focused)) && focused >= 0 &&
            SUCCEEDED(
                folderView->SelectItem(focused, SVSI_EDIT | SVSI_ENSUREVISIBLE | SVSI_FOCUSED)))
            return true;
    }
    HWND viewWindow = nullptr;
    if (FAILED(View().shellView->GetWindow(&viewWindow)) || !viewWindow) return false;
    SetFocus(viewWindow);
    PostMessageW(viewWindow, WM_KEYDOWN, VK_F2, 0);
    PostMessageW(viewWindow, WM_KEYUP, VK_F2, 0);
    return true;
}

bool HandleCtrlShortcut(UINT key) {
    PaletteState& state = Palette();
    if (!PaletteExists() || !IsWindowVisible(state.window) || hostedview::ListViewEditing())
        return false;
    if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
    FocusPaletteList();
    switch (key) {
        case 'A': return Guarded(state.selectAllBusy, SelectAll);
        case 'C': return InvokeVerbOnSelection("copy");
        case 'X': return InvokeVerbOnSelection("cut");
        case 'V': return PasteIntoDesktop();
        case 'Z': {
            if (!hostedview::HasViewWindow()) return false;
            FocusPaletteList();
            const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
            SendMessageW(View().viewWindow, WM_KEYDOWN, key, (scan << 16) | 0x20000001);
            SendMessageW(View().viewWindow, WM_KEYUP, key,
                         static_cast<LPARAM>((scan << 16) | 0xE0000001u));
            return true;
        }
        default: return false;
    }
}

bool InvokeVerbOnSelection(const char* verb) {
    if (!View().shellView || !verb || !verb[0]) return false;
    ComPtr<IContextMenu> menu;
    if (FAILED(View().shellView->GetItemObject(SVGIO_SELECTION, IID_IContextMenu, menu.put_void())))
        return false;
    return InvokeOn(menu.get(), verb);
}

bool PasteIntoDesktop() {
    return Guarded(Palette().pasteBusy, [] {
        if (!View().shellView) return false;
        FocusPaletteList();
        ComPtr<IContextMenu> menu;
        if (SUCCEEDED(View().shellView->GetItemObject(SVGIO_BACKGROUND, IID_IContextMenu,
                                                      menu.put_void())) &&
            InvokeOn(menu.get(), "paste")) {
            AfterPaste();
            return true;
        }
        if (!DropClipboardOnDesktop()) return false;
        AfterPaste();
        return true;
    });
}

}  // namespace lumetra::palette
