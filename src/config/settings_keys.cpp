#include "config/settings_keys.h"

#include <algorithm>
#include <type_traits>

#include "config/decimal.h"

namespace lumetra::config {
namespace {

template <auto Member>
std::int32_t GetField(const Settings& s) {
    return static_cast<std::int32_t>(s.*Member);
}

template <auto Member>
void SetField(Settings& s, std::int32_t value) {
    using Field = std::remove_reference_t<decltype(s.*Member)>;
    if constexpr (std::is_same_v<Field, bool>) s.*Member = value != 0;
    else s.*Member = static_cast<Field>(value);
}

std::int32_t AtLeast100(std::int32_t v) { return std::max(v, 100); }
std::int32_t RepairTrigger(std::int32_t v) { return v >= 0 && v <= 3 ? v : 2; }
std::int32_t RepairMouseButton(std::int32_t v) { return v != 0 ? 1 : 0; }
std::int32_t RepairMouseMode(std::int32_t v) { return v >= 0 && v <= 2 ? v : 0; }
std::int32_t ClampLongPress(std::int32_t v) { return std::clamp(v, 300, 800); }
std::int32_t RepairSortMode(std::int32_t v) { return v >= 0 && v <= 2 ? v : 0; }
std::int32_t RepairDesktopItems(std::int32_t v) { return v >= 0 && v <= 1 ? v : 0; }
std::int32_t RepairDisplayMode(std::int32_t v) { return v >= 0 && v <= 2 ? v : 0; }

bool SortAscendingWhenAbsent(const IniDocument&, const Settings& s) { return s.sortMode == SortMode::Name; }
bool LayoutPersistedWhenAbsent(const IniDocument& doc, const Settings& s) {
    return s.groupBy || doc.find(L"UI", L"SortAscending") || s.sortMode != SortMode::Name;
}

std::wstring ReadGroupByKey(const IniDocument& doc, const Settings& s) {
    if (!s.groupBy) return {};
    return std::wstring(doc.get(L"UI", L"GroupByKey", L"").c_str()).substr(0, kGroupByKeyMaxLength);
}
std::wstring WriteGroupByKey(const Settings& s) { return s.groupBy ? s.groupByKey : std::wstring(); }
std::wstring ReadLanguage(const IniDocument& doc, const Settings&) { return LanguageCodeFrom(doc); }
std::wstring WriteLanguage(const Settings& s) { return s.language; }

constexpr SettingKey Int(const wchar_t* key, std::int32_t def, WhenUnset unset, LoadStep step,
                         SaveRule save, std::int32_t (*repair)(std::int32_t),
                         std::int32_t (*get)(const Settings&), void (*set)(Settings&, std::int32_t)) {
    return {key, KeyType::Int, def, unset, step, save, repair, nullptr, get, set, nullptr, nullptr, nullptr};
}
constexpr SettingKey Bool(const wchar_t* key, bool def, LoadStep step, SaveRule save,
                          std::int32_t (*get)(const Settings&), void (*set)(Settings&, std::int32_t),
                          bool (*whenAbsent)(const IniDocument&, const Settings&) = nullptr) {
    return {key, KeyType::Bool, def ? 1 : 0, WhenUnset::UseDefault, step, save, nullptr, whenAbsent,
            get, set, nullptr, nullptr, nullptr};
}
constexpr SettingKey Text(const wchar_t* key, LoadStep step, std::wstring Settings::*field,
                          std::wstring (*readText)(const IniDocument&, const Settings&),
                          std::wstring (*writeText)(const Settings&)) {
    return {key, KeyType::Text, 0, WhenUnset::UseDefault, step, SaveRule::Always, nullptr, nullptr,
            nullptr, nullptr, field, readText, writeText};
}

constexpr auto Keep = WhenUnset::KeepCurrent;
constexpr auto Default = WhenUnset::UseDefault;
using enum LoadStep;
using enum SaveRule;

const SettingKey kWindowKeys[] = {
    Int(L"X", 120, Keep, Main, WindowRect, nullptr, GetField<&Settings::x>, SetField<&Settings::x>),
    Int(L"Y", 120, Keep, Main, WindowRect, nullptr, GetField<&Settings::y>, SetField<&Settings::y>),
    Int(L"W", 920, Keep, Main, WindowRect, AtLeast100, GetField<&Settings::w>, SetField<&Settings::w>),
    Int(L"H", 580, Keep, Main, WindowRect, AtLeast100, GetField<&Settings::h>, SetField<&Settings::h>),
    Int(L"Opacity", 100, Keep, Main, Always, SnapOpacity, GetField<&Settings::opacity>,
        SetField<&Settings::opacity>),
};

const SettingKey kUiKeys[] = {
    Int(L"SortMode", 0, Keep, Main, Always, RepairSortMode, GetField<&Settings::sortMode>,
        SetField<&Settings::sortMode>),
    Bool(L"SortAscending", true, Main, Always, GetField<&Settings::sortAscending>,
         SetField<&Settings::sortAscending>, SortAscendingWhenAbsent),
    Bool(L"GroupBy", false, Main, Always, GetField<&Settings::groupBy>, SetField<&Settings::groupBy>),
    Bool(L"GroupByAscending", true, Main, Always, GetField<&Settings::groupByAscending>,
         SetField<&Settings::groupByAscending>),
    Text(L"GroupByKey", Main, &Settings::groupByKey, ReadGroupByKey, WriteGroupByKey),
    Bool(L"UILayoutPersisted", false, Main, Always, GetField<&Settings::uiLayoutPersisted>,
         SetField<&Settings::uiLayoutPersisted>, LayoutPersistedWhenAbsent),
    Int(L"ViewMode", 2, Keep, View, ValidView, nullptr, GetField<&Settings::viewMode>,
        SetField<&Settings::viewMode>),
    Bool(L"CloseOnItemActivate", true, Late, Always, GetField<&Settings::closeOnItemActivate>,
         SetField<&Settings::closeOnItemActivate>),
    Int(L"DesktopItemsMode", 0, Default, Late, Always, RepairDesktopItems,
        GetField<&Settings::desktopItemsMode>, SetField<&Settings::desktopItemsMode>),
    Int(L"DisplayMode", 0, Default, Late, Always, RepairDisplayMode, GetField<&Settings::displayMode>,
        SetField<&Settings::displayMode>),
    Text(L"Language", Late, &Settings::language, ReadLanguage, WriteLanguage),
};

const SettingKey kHotkeyKeys[] = {
    Int(L"Trigger", 2, Keep, Main, Always, RepairTrigger, GetField<&Settings::trigger>,
        SetField<&Settings::trigger>),
    Int(L"MouseButton", 1, Keep, Main, Always, RepairMouseButton, GetField<&Settings::mouseButton>,
        SetField<&Settings::mouseButton>),
    Int(L"MouseMode", 0, Keep, Main, Always, RepairMouseMode, GetField<&Settings::mouseMode>,
        SetField<&Settings::mouseMode>),
    Int(L"MouseLongPressMs", 450, Keep, Main, Always, ClampLongPress,
        GetField<&Settings::mouseLongPressMs>, SetField<&Settings::mouseLongPressMs>),
};

const SettingKey kGeneralKeys[] = {
    Bool(L"DebugLog", false, DebugFlag, Never, GetField<&Settings::debugLog>, SetField<&Settings::debugLog>),
    Bool(L"RunAtStartup", false, Late, Always, GetField<&Settings::runAtStartup>,
         SetField<&Settings::runAtStartup>),
};

const SettingSection kSections[] = {
    {L"Window", kWindowKeys},
    {L"UI", kUiKeys},
    {L"Hotkey", kHotkeyKeys},
    {L"General", kGeneralKeys},
};

constexpr const wchar_t* kLegacyLanguageCodes[] = {L"ja", L"en", L"ko", L"zh", L"zh-TW"};

}  // namespace

std::span<const SettingSection> SettingSections() { return kSections; }

std::int32_t SnapOpacity(std::int32_t value) {
    if (value < 53) return 30;
    if (value < 88) return 75;
    return 100;
}

std::wstring LanguageCodeFrom(const IniDocument& doc) {
    if (const std::wstring* code = doc.find(L"UI", L"Language"))
        return std::wstring(code->c_str()).substr(0, kLanguageMaxLength);
    if (const std::wstring* legacy = doc.find(L"UI", L"UILanguage")) {
        const auto index = ParseDecimal(*legacy);
        if (index && *index >= 0 && *index < static_cast<std::int32_t>(std::size(kLegacyLanguageCodes)))
            return kLegacyLanguageCodes[*index];
    }
    return {};
}

void ReadSettingKey(const IniDocument& doc, const wchar_t* section, const SettingKey& key, Settings& s) {
    if (key.type == KeyType::Text) {
        s.*key.textField = key.readText(doc, s);
        return;
    }
    const std::wstring* text = doc.find(section, key.key);
    const std::optional<std::int32_t> parsed = text ? ParseDecimal(*text) : std::nullopt;
    if (key.type == KeyType::Bool) {
        if (parsed) key.set(s, *parsed != 0 ? 1 : 0);
        else if (!text && key.whenAbsent) key.set(s, key.whenAbsent(doc, s) ? 1 : 0);
        else key.set(s, key.defaultValue);
        return;
    }
    std::int32_t value = key.get(s);
    if (parsed) value = *parsed;
    else if (key.unset == WhenUnset::UseDefault) value = key.defaultValue;
    key.set(s, key.repair ? key.repair(value) : value);
}

std::wstring SettingKeyText(const SettingKey& key, const Settings& s) {
    if (key.type == KeyType::Text) return key.writeText(s);
    return std::to_wstring(key.get(s));
}

}  // namespace lumetra::config
