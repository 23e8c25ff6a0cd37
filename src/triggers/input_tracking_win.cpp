#include "triggers/input_tracking_win.h"

#include "config/settings.h"
#include "protocol/messages.h"

namespace lumetra::triggers {

InputTracking& Tracking() {
    static InputTracking tracking;
    return tracking;
}

SharedMouse& Mouse() {
    static SharedMouse mouse;
    return mouse;
}

std::uint32_t CurrentDoubleTapWindow() { return DoubleTapWindowMs(GetDoubleClickTime()); }

MouseSettings ReadMouseSettings(bool withWindow) {
    const config::Settings& cfg = config::Cfg();
    MouseSettings s;
    s.mode = cfg.mouseMode;
    s.button = ButtonNumber(cfg.mouseButton);
    s.holdMs = cfg.mouseLongPressMs > 0 ? static_cast<std::uint32_t>(cfg.mouseLongPressMs) : 0;
    s.lastToggleTick = LastToggleTick();
    if (withWindow) s.windowMs = CurrentDoubleTapWindow();
    return s;
}

void RefreshMouseSnapshot() {
    Mouse().settings = ReadMouseSettings(false);
    Mouse().palette = Tracking().target.window;
}

bool InstallLowLevelHook(int type, HOOKPROC proc, platform::UniqueHook& hook, HookWatch& watch,
                         const HookCounts& counts) {
    HMODULE module = GetModuleHandleW(nullptr);
    HHOOK handle = module ? SetWindowsHookExW(type, proc, module, 0) : nullptr;
    if (!handle) return false;
    hook.reset(handle);
    RestartHookWatch(watch, counts, GetTickCount());
    return true;
}

void SetTriggerTarget(const TriggerTarget& target) { Tracking().target = target; }

std::uint32_t LastToggleTick() {
    const TriggerTarget& target = Tracking().target;
    return target.lastToggleTick ? target.lastToggleTick() : 0;
}

HWND TargetWindow() {
    HWND palette = Tracking().target.window;
    return palette && IsWindow(palette) ? palette : nullptr;
}

void PostToggle(HWND palette, unsigned source) {
    if (palette && IsWindow(palette)) PostMessageW(palette, protocol::WMAPP_TOGGLE, source, 0);
}

}  // namespace lumetra::triggers
