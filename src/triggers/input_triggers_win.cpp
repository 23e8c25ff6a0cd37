// Input trigger entry points; the hooks and gesture detection arrive with the
// trigger work.
#include "triggers/input_triggers_win.h"

#include "log/debug_log.h"

namespace lumetra::triggers {

void UpdateDoubleTapHook() {}
void UpdateMouseTrigger() {}
void RemoveInputTriggers() {}
void ClearKeyboardTracking() {}
void ResetMouseGestureState() {}

void ForceResetInputTracking(const wchar_t* reason) {
    ClearKeyboardTracking();
    ResetMouseGestureState();
    log::DebugLogFormat(L"Input tracking force-reset (%ls).", reason);
}

void InputStateSweep() {}
void OnRawMouseInput(HWND, LPARAM) {}

}  // namespace lumetra::triggers
