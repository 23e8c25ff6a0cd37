#pragma once
// The toggle hotkey as text: the stored form in config.ini ("VK_D",
// "Ctrl+Shift+VK_F5") and the display form ("Ctrl + Alt + VK_D").
#include <cstdint>
#include <span>
#include <string>

#include "config/settings.h"

namespace lumetra::config {

struct VirtualKeyName {
    const wchar_t* name;
    std::uint32_t code;
};

// All 150 named keys; lookups take the first match.
std::span<const VirtualKeyName> VirtualKeyNames();

// 0 when the text names no key.
std::uint32_t VirtualKeyFromName(std::wstring_view text);

// Sets the modifiers to Ctrl+Alt first and leaves the key untouched where the
// text means "no hotkey", so callers pass a pair with key 0. False (pair to be
// ignored) for a null or malformed text.
bool ParseHotkeyText(const wchar_t* text, Hotkey& pair);

std::wstring FormatHotkeyConfigText(const Hotkey& pair);   // at most 95 units
std::wstring FormatHotkeyDisplayText(const Hotkey& pair);  // at most 127 units; empty for key 0

// Writes the current toggle hotkey as [Hotkey] ToggleHotkey.
void SaveToggleHotkey();

// Bracket keys cannot be typed reliably on every layout; a hotkey on them is
// replaced by Ctrl+Alt+D when read from the file.
bool IsBracketKey(std::uint32_t key);

}  // namespace lumetra::config
