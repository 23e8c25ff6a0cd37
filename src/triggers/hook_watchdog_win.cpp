// The hook watchdog's Windows side: the facts for each check, and the
// re-install. The decision is hook_watchdog's.
#include <windows.h>

#include "config/settings.h"
#include "log/debug_log.h"
#include "triggers/input_tracking_win.h"
#include "triggers/input_triggers_win.h"

namespace lumetra::triggers {
namespace {

// The old handle goes first, so that a hook wrongly taken for lost never
// runs twice; with a dropped hook its release does nothing.
void Reinstall(const wchar_t* name, platform::UniqueHook& hook, bool (*install)(),
               void (*resetTracking)(), const HookLoss& loss) {
    hook.reset();
    resetTracking();
    if (install()) {
        log::DebugLogFormat(
            L"%ls hook lost (raw input %lu events, hook %lu in %lu ms); re-installed.", name,
            loss.rawEvents, loss.hookEvents, loss.silentMs);
    } else {
        log::DebugLogFormat(
            L"%ls hook lost (raw input %lu events, hook %lu in %lu ms); re-installing failed "
            L"le=%lu",
            name, loss.rawEvents, loss.hookEvents, loss.silentMs, GetLastError());
    }
}

}  // namespace

void HookWatchdogTick() {
    InputTracking& tracking = Tracking();
    const config::Settings& cfg = config::Cfg();
    HookFacts keyboard;
    keyboard.enabled = cfg.trigger != config::TriggerKey::Disabled;
    keyboard.installed = static_cast<bool>(tracking.keyboardHook);
    HookFacts mouse;
    mouse.enabled = cfg.mouseMode == config::MouseMode::DoubleClick;
    mouse.installed = static_cast<bool>(tracking.mouseHook);
    if (!(keyboard.enabled && keyboard.installed) && !(mouse.enabled && mouse.installed)) {
        tracking.keyboardWatch = {};
        tracking.mouseWatch = {};
        return;
    }

    const std::uint32_t now = GetTickCount();
    keyboard.counts = tracking.keyboardCounts;
    if (tracking.keyboard.tap.pending)
        keyboard.pendingGestureTick = tracking.keyboard.tap.firstTick;
    const HookLoss keyboardLoss = CheckHook(tracking.keyboardWatch, keyboard, now);
    if (keyboardLoss.lost)
        Reinstall(L"Keyboard", tracking.keyboardHook, InstallKeyboardHook, ClearKeyboardTracking,
                  keyboardLoss);

    mouse.counts = tracking.mouseCounts;
    if (mouse.enabled && mouse.installed) {
        // Uncontended: the poll thread that shares it runs only in long-press mode.
        MouseLock lock;
        const MouseGestureState& state = Mouse().state;
        if (state.firstClickPending) mouse.pendingGestureTick = state.firstClickTick;
    }
    const HookLoss mouseLoss = CheckHook(tracking.mouseWatch, mouse, now);
    if (mouseLoss.lost)
        Reinstall(L"Mouse", tracking.mouseHook, InstallMouseHook, ResetMouseGestureState,
                  mouseLoss);
}

void DropInputHooksAsTheSystemWould() {
    InputTracking& tracking = Tracking();
    // The records keep the handles: the program still believes both installed.
    const bool keyboard = tracking.keyboardHook && UnhookWindowsHookEx(tracking.keyboardHook.get());
    const bool mouse = tracking.mouseHook && UnhookWindowsHookEx(tracking.mouseHook.get());
    log::DebugLogFormat(L"Input hooks dropped on request (keyboard %ls, mouse %ls).",
                        keyboard ? L"dropped" : L"none", mouse ? L"dropped" : L"none");
}

}  // namespace lumetra::triggers
