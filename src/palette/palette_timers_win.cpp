// WM_TIMER in its dispatch order, the fade-in step and the deferred work
// after menus and drags.
#include <windows.h>

#include "config/settings.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"
#include "palette/activation_win.h"
#include "palette/appearance_win.h"
#include "palette/close_button_win.h"
#include "palette/frame.h"
#include "palette/overlay_win.h"
#include "palette/palette_handlers_win.h"
#include "palette/palette_state_win.h"
#include "protocol/messages.h"
#include "triggers/input_triggers_win.h"

namespace lumetra::palette {
namespace {

void FadeInStep(HWND hwnd) {
    PaletteState& state = Palette();
    if (!state.fading || !state.isWindows11) {
        KillTimer(hwnd, protocol::kFadeInTimerId);
        state.fading = false;
        if (Overlay().window && (GetWindowLongW(Overlay().window, GWL_EXSTYLE) & WS_EX_LAYERED))
            SetLayeredWindowAttributes(Overlay().window, 0, 255, LWA_ALPHA);
        return;
    }
    const std::uint8_t target = FadeTargetAlpha(config::Cfg().opacity);
    const std::uint32_t elapsed = GetTickCount() - state.fadeStartTick;
    SetLayeredWindowAttributes(hwnd, 0, FadeInAlpha(elapsed, target), LWA_ALPHA);
    if (elapsed >= kFadeInMs) {
        KillTimer(hwnd, protocol::kFadeInTimerId);
        state.fading = false;
    }
}

}  // namespace

// Each timer goes to the module that owns it, in a fixed order.
LRESULT OnTimer(HWND hwnd, WPARAM id) {
    switch (id) {
        case protocol::kIgnoredTimerId: break;
        case protocol::kConfigWatchTimerId: ConfigWatchTick(hwnd); break;
        case protocol::kInputResyncTimerId: triggers::InputStateSweep(); break;
        case protocol::kMenuResyncTimerId:
            KillTimer(hwnd, protocol::kMenuResyncTimerId);
            PostMenuResync(hwnd);
            break;
        case protocol::kApplyViewTimerId: hostedview::ApplyViewTick(hwnd); break;
        case protocol::kShellChangeDebounceTimerId:
            hostedview::ShellChangeDebounceTick(hwnd);
            break;
        case protocol::kCoverMinTimeTimerId: CoverMinTimeTick(); break;
        case protocol::kRevealSweepTimerId: hostedview::RevealSweepTick(hwnd); break;
        case protocol::kRestoreViewModeTimerId: hostedview::RestoreViewModeTimer(hwnd); break;
        case protocol::kOverlayFadeTimerId: OverlayFadeTick(); break;
        case protocol::kSmallIconSettleTimerId: hostedview::RunSmallIconLayoutSettle(); break;
        case protocol::kViewReapplyTimerId: hostedview::ViewReapplyTick(hwnd); break;
        case protocol::kShellCommandSyncTimerId: hostedview::ShellCommandSyncTick(); break;
        case protocol::kHousekeepingTimerId:
            HousekeepingTick();
            triggers::HookWatchdogTick();
            break;
        case protocol::kFadeInTimerId: FadeInStep(hwnd); break;
        case protocol::kFinishShowTimerId: FinishShowTick(); break;
        default: break;
    }
    return 0;
}

void QueueMenuResync(HWND hwnd) {
    PaletteState& state = Palette();
    if (state.menuResyncPosted) return;
    state.menuResyncPosted = true;
    PostMessageW(hwnd, protocol::WMAPP_MENU_RESYNC, 0, 0);
}

// Layout work that must wait until no menu or label edit is open.
void PostMenuResync(HWND hwnd) {
    PaletteState& state = Palette();
    if (hostedview::ListViewEditing() || state.menuDepth > 0) {
        SetTimer(hwnd, protocol::kMenuResyncTimerId, 80, nullptr);
        return;
    }
    state.menuResyncPosted = false;
    hostedview::SmallIconSizeMoveReflow();
    hostedview::RestoreHostedShellScrollBars();
    if (config::Cfg().viewMode == config::ViewMode::Small && !hostedview::IsViewGrouped())
        hostedview::SmallIconLayoutIfReady();
    if (DarkMode())
        if (HWND list = hostedview::FindHostedListView()) ApplyDarkScrollBars(list);
    if (Overlay().window) PositionOverlayCover();
}

}  // namespace lumetra::palette
