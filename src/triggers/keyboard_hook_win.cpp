// The low-level keyboard hook: the double tap of the trigger key, and Esc and
// F2 forwarded to the palette while it is in front. It never swallows a key.
#include <windows.h>

#include "config/settings.h"
#include "log/debug_log.h"
#include "protocol/messages.h"
#include "triggers/input_tracking_win.h"
#include "triggers/input_triggers_win.h"

namespace lumetra::triggers {
namespace {

constexpr UINT kResyncPeriodMs = 2500;

bool IsPaletteOrChild(HWND palette, HWND window) {
    return palette && window && (window == palette || IsChild(palette, window));
}

bool PaletteOwnsForeground(HWND palette) {
    return palette && IsWindowVisible(palette) && IsPaletteOrChild(palette, GetForegroundWindow());
}

// A menu, or what the target names (the About window, a rename box), takes
// Esc for itself.
bool EscapeHandledElsewhere() {
    const TriggerTarget& target = Tracking().target;
    if (target.escapeTakenElsewhere && target.escapeTakenElsewhere()) return true;
    wchar_t cls[24] = {};
    HWND foreground = GetForegroundWindow();
    return foreground && GetClassNameW(foreground, cls, 24) > 0 && lstrcmpW(cls, L"#32768") == 0;
}

KeyTransition Transition(WPARAM message) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: return KeyTransition::kDown;
        case WM_KEYUP:
        case WM_SYSKEYUP: return KeyTransition::kUp;
        default: return KeyTransition::kOther;
    }
}

void HandleKey(WPARAM message, const KBDLLHOOKSTRUCT& info) {
    KeyboardTracking& tracking = Tracking().keyboard;
    tracking.keys.DropReleased([](std::uint32_t vk) { return AsyncKeyUp(static_cast<int>(vk)); });

    KeyEvent event;
    event.transition = Transition(message);
    event.vk = info.vkCode;
    event.injected = (info.flags & (LLKHF_INJECTED | LLKHF_LOWER_IL_INJECTED)) != 0;
    HWND palette = Tracking().target.window;
    if (event.vk == kVkEscape && event.transition == KeyTransition::kDown) {
        const HWND foreground = GetForegroundWindow();
        event.escapeElsewhere = !IsPaletteOrChild(palette, foreground) || EscapeHandledElsewhere();
    } else if ((event.vk == kVkEscape && event.transition == KeyTransition::kUp) ||
               (event.vk == kVkF2 && event.transition == KeyTransition::kDown)) {
        event.paletteOwnsForeground = PaletteOwnsForeground(palette);
    }

    TapSettings settings;
    settings.trigger = config::Cfg().trigger;
    settings.lastToggleTick = LastToggleTick();
    if (event.transition == KeyTransition::kUp) settings.windowMs = CurrentDoubleTapWindow();

    const KeyAction action = StepKey(tracking, event, settings, GetTickCount());
    if (action == KeyAction::kNone || !palette) return;
    if (const wchar_t* line = KeyActionLogLine(action)) log::DebugLogWrite(line);
    switch (action) {
        case KeyAction::kDoubleTap:
            PostMessageW(palette, protocol::WMAPP_TOGGLE,
                         static_cast<WPARAM>(protocol::ToggleSource::kDoubleTap), 0);
            break;
        case KeyAction::kHide: PostMessageW(palette, protocol::WMAPP_HIDE, 0, 0); break;
        case KeyAction::kRename: PostMessageW(palette, protocol::WMAPP_RENAME, 0, 0); break;
        default: break;
    }
}

LRESULT CALLBACK DoubleTapHookProc(int code, WPARAM message, LPARAM lParam) {
    ++Tracking().keyboardCounts.hook;
    if (code == HC_ACTION) HandleKey(message, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, message, lParam);
}

// Raw keyboard input witnesses the hook for the watchdog.
void RegisterKeyboardWitness(HWND palette) {
    if (RegisterRawDevice(kRawUsageKeyboard, RIDEV_INPUTSINK, palette)) {
        Tracking().rawKeyboardRegistered = true;
        log::DebugLogWrite(L"Raw Input keyboard witness registered.");
    } else {
        log::DebugLogFormat(L"RegisterRawInputDevices(keyboard) failed le=%lu", GetLastError());
    }
}

void RemoveKeyboardWitness() {
    InputTracking& tracking = Tracking();
    if (!tracking.rawKeyboardRegistered) return;
    if (RegisterRawDevice(kRawUsageKeyboard, RIDEV_REMOVE, nullptr)) {
        tracking.rawKeyboardRegistered = false;
        log::DebugLogWrite(L"Raw Input keyboard witness unregistered.");
    } else {
        log::DebugLogFormat(L"UnregisterRawInputDevices(keyboard) failed le=%lu", GetLastError());
    }
}

}  // namespace

bool InstallKeyboardHook() {
    InputTracking& tracking = Tracking();
    return InstallLowLevelHook(WH_KEYBOARD_LL, DoubleTapHookProc, tracking.keyboardHook,
                               tracking.keyboardWatch, tracking.keyboardCounts);
}

void ClearKeyboardTracking() {
    KeyboardTracking& tracking = Tracking().keyboard;
    tracking.keys.ClearAll();
    tracking.tap = TapState{};
}

void UpdateDoubleTapHook() {
    InputTracking& tracking = Tracking();
    HWND palette = TargetWindow();
    if (config::Cfg().trigger == config::TriggerKey::Disabled) {
        if (tracking.keyboardHook) {
            tracking.keyboardHook.reset();
            log::DebugLogWrite(L"WH_KEYBOARD_LL uninstalled (double-tap trigger disabled).");
        }
        if (palette) KillTimer(palette, protocol::kInputResyncTimerId);
        RemoveKeyboardWitness();
        ClearKeyboardTracking();
        return;
    }
    if (tracking.keyboardHook) return;  // the hook reads Trigger on every event
    if (!GetModuleHandleW(nullptr)) return;
    if (!InstallKeyboardHook()) {
        log::DebugLogFormat(L"SetWindowsHookEx(WH_KEYBOARD_LL) failed le=%lu", GetLastError());
        return;
    }
    log::DebugLogWrite(L"WH_KEYBOARD_LL installed (double-tap trigger active).");
    if (palette) {
        SetTimer(palette, protocol::kInputResyncTimerId, kResyncPeriodMs, nullptr);
        RegisterKeyboardWitness(palette);
    }
}

void RemoveKeyboardHook() {
    Tracking().keyboardHook.reset();
    RemoveKeyboardWitness();
}

}  // namespace lumetra::triggers
