#pragma once
// Making a reloaded config.ini live: every reload (a second launch, the
// configuration watch, the tray menu reading the file) ends in one apply step.
#include <windows.h>

#include "palette/reload_plan.h"

namespace lumetra::palette {

// What is live now; taken before a reload replaces the settings.
LiveSettings CaptureLiveSettings();
// Registers, hooks and refreshes what the reload changed against `before`.
void ApplyReloadedSettings(HWND palette, const LiveSettings& before);
// Re-reads the toggle hotkey from the file and applies it.
void ReloadHotkeyAndApply(HWND palette);

}  // namespace lumetra::palette
