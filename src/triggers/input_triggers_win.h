#pragma once
// The keyboard double-tap and mouse side-button triggers, as the palette uses them.
#include <windows.h>

#include <cstdint>

namespace lumetra::triggers {

// What the triggers know of the window they serve: where their requests go,
// the tick of its last toggle (no gesture is taken within 220 ms of it), and
// whether something of its own takes Esc now (an open dialog, a label edit).
struct TriggerTarget {
    HWND window = nullptr;
    std::uint32_t (*lastToggleTick)() = nullptr;
    bool (*escapeTakenElsewhere)() = nullptr;
};
// Set once the window exists, before the first Update*.
void SetTriggerTarget(const TriggerTarget& target);

// Installs or removes the keyboard hook for the current Trigger setting.
void UpdateDoubleTapHook();
// Installs or removes the mouse hook, raw input and long-press poll for the
// current mouse settings.
void UpdateMouseTrigger();
// Removes hooks, raw input and the long-press poll (palette destruction).
void RemoveInputTriggers();

// Forgets held keys and a pending first tap.
void ClearKeyboardTracking();
void ResetMouseGestureState();
void ForceResetInputTracking(const wchar_t* reason);
// Timer 18: drops key and button state the system no longer reports.
void InputStateSweep();
// WM_INPUT: counts each record for the hook watchdog; long presses in long-press mode.
void OnRawInput(HWND palette, LPARAM rawInput);

// A timer tick: re-installs a hook the system dropped, as raw input shows.
// Costs nothing while neither hook is installed.
void HookWatchdogTick();
// Drops both hooks the way the system does, leaving the records holding their
// handles, so the recovery can be seen working.
void DropInputHooksAsTheSystemWould();

}  // namespace lumetra::triggers
