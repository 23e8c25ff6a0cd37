#pragma once
// The one toggle every trigger ends in, and the system-wide toggle hotkey.
#include <windows.h>

namespace lumetra::triggers {

// (Re)registers the toggle hotkey (id 1) on the window; true when one is registered.
bool RegisterToggleHotkey(HWND window);
// Re-reads ToggleHotkey from the configuration file and re-registers on a change.
void ReloadHotkeyFromConfig(HWND window);
// Shows, hides or moves the palette to the cursor's monitor.
void ToggleMainWindow(bool showAtCursor);
// Lets the next toggle through whatever the cooldown says.
void ClearToggleCooldown();

}  // namespace lumetra::triggers
