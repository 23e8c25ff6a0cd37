#pragma once
// The keys of config.ini that map onto Settings fields: one table per section
// naming each key's type, default and repair. LoadConfig and SaveConfig walk
// these tables; so do the tests.
#include <cstdint>
#include <span>
#include <string>

#include "config/ini_document.h"
#include "config/settings.h"

namespace lumetra::config {

enum class KeyType : std::uint8_t { Int, Bool, Text };

// What a missing, empty or unparsable value gives.
enum class WhenUnset : std::uint8_t { KeepCurrent, UseDefault };

// When LoadConfig reads a key; the view and the log flag have rules of their own.
enum class LoadStep : std::uint8_t { DebugFlag, Main, View, Late };

enum class SaveRule : std::uint8_t {
    Never,  // read only
    Always,
    WindowRect,  // X, Y, W, H: skipped when a default rectangle would hide a stored one
    ValidView,   // only a view of 1..4
};

struct SettingKey {
    const wchar_t* key;
    KeyType type;
    std::int32_t defaultValue;  // Int and Bool keys
    WhenUnset unset;
    LoadStep step;
    SaveRule save;
    std::int32_t (*repair)(std::int32_t) = nullptr;  // Int keys; null accepts every value
    // Bool keys whose absence means more than the default.
    bool (*whenAbsent)(const IniDocument& doc, const Settings& s) = nullptr;
    std::int32_t (*get)(const Settings& s) = nullptr;  // Int and Bool keys (bools as 0/1)
    void (*set)(Settings& s, std::int32_t value) = nullptr;
    // Text keys.
    std::wstring Settings::*textField = nullptr;
    std::wstring (*readText)(const IniDocument& doc, const Settings& s) = nullptr;
    std::wstring (*writeText)(const Settings& s) = nullptr;
};

struct SettingSection {
    const wchar_t* name;
    std::span<const SettingKey> keys;
};

// Sections in the order SaveConfig writes them into a new file.
std::span<const SettingSection> SettingSections();

// Reads one key into the settings with its default and repair.
void ReadSettingKey(const IniDocument& doc, const wchar_t* section, const SettingKey& key,
                    Settings& s);
// The text SaveConfig stores for a key.
std::wstring SettingKeyText(const SettingKey& key, const Settings& s);

// Value repairs, by key.
std::int32_t SnapOpacity(std::int32_t value);

// The language code from [UI] Language, or from the older numeric UILanguage
// when Language is absent; at most 63 units.
std::wstring LanguageCodeFrom(const IniDocument& doc);

}  // namespace lumetra::config
