#pragma once
// The one toggle every trigger ends in, and the system-wide toggle hotkey.
#include <windows.h>

#include "config/settings.h"

namespace lumetra::palette {

// (Re)registers the toggle hotkey (id 1) on the window; true when one is registered.
bool RegisterToggleHotkey(HWND window);
// The hotkey RegisterToggleHotkey last registered; key 0 when none is.
config::Hotkey RegisteredToggleHotkey();
// Re-reads ToggleHotkey from the configuration file into the settings; the
// caller makes it live with the palette's apply step.
void ReloadHotkeyFromConfig();
// Shows, hides or moves the palette to the cursor's monitor.
void ToggleMainWindow(bool showAtCursor);
// Lets the next toggle through whatever the cooldown says.
void ClearToggleCooldown();

}  // namespace lumetra::palette
