// Resets and the periodic resync that drop key and button state the system
// no longer reports (lost key-ups, swallowed releases).
#include "triggers/input_triggers_win.h"

#include "log/debug_log.h"
#include "triggers/input_tracking_win.h"

namespace lumetra::triggers {

void ForceResetInputTracking(const wchar_t* reason) {
    log::DebugLogFormat(L"Input tracking force-reset (%ls).",
                        reason && reason[0] ? reason : L"unknown");
    ClearKeyboardTracking();
    ResetMouseGestureState();
}

void InputStateSweep() {
    const std::uint32_t now = GetTickCount();
    const std::uint32_t window = CurrentDoubleTapWindow();
    KeyboardTracking& keyboard = Tracking().keyboard;
    keyboard.keys.DropReleased([](std::uint32_t vk) { return AsyncKeyUp(static_cast<int>(vk)); });
    SweepStaleTap(keyboard.tap, now, window);

    HWND palette = TargetWindow();
    MouseSweepFacts facts;
    facts.x1Up = AsyncKeyUp(VK_XBUTTON1);
    facts.x2Up = AsyncKeyUp(VK_XBUTTON2);
    facts.paletteVisible = palette && IsWindowVisible(palette);
    {
        MouseLock lock;
        RefreshMouseSnapshot();
        SharedMouse& mouse = Mouse();
        facts.selectedUp = ButtonReportedUp(mouse.settings.button);
        SweepStaleClick(mouse.state, now, window);
        SweepLongPress(mouse.state, mouse.settings, facts);
        SweepHiddenMouse(mouse.state, facts);
    }
    if (!facts.paletteVisible) SweepHiddenKeyboard(keyboard);
}

}  // namespace lumetra::triggers
