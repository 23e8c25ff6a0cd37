#pragma once
// How the settings are spelled in the log.
#include "config/settings.h"

namespace lumetra::config {

const wchar_t* TriggerKeyName(TriggerKey trigger);   // "Ctrl", "Shift", "Alt", "Disabled"
const wchar_t* MouseButtonName(MouseButton button);  // "X1", "X2"
const wchar_t* MouseModeShortName(MouseMode mode);   // "double", "hold", "off"
const wchar_t* MouseModeName(MouseMode mode);        // "double-click", "long-press", "disabled"

// The start-up lines that say how Lumetra can be invoked.
void LogInvokeSettings(const wchar_t* exePath);

}  // namespace lumetra::config
