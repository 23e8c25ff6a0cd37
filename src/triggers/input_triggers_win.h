#pragma once
// The keyboard double-tap and mouse side-button triggers, as the palette uses them.
#include <windows.h>

namespace lumetra::triggers {

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
void OnRawMouseInput(HWND palette, LPARAM rawInput);

}  // namespace lumetra::triggers
