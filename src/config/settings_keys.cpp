#include "config/settings_keys.h"

#include <algorithm>
#include <type_traits>

#include "config/decimal.h"
#include "config/monitor_values.h"

namespace lumetra::config {
namespace {

template <auto Member>
std::int32_t GetField(const Settings& s) {
    return static_cast<std::int32_t>(s.*Member);
}

template <auto Member>
void SetField(Settings& s, std::int32_t value) {
    using Field = std::remove_reference_t<decltype(s.*Member)>;
    if constexpr (std::is_same_v<Field, bool>)
        s.*Member = value != 0;
    else
        s.*Member = static_cast<Field>(value);
}

std::int32_t ClampWindowCoordinate(std::int32_t v) {
    return std::clamp(v, -kMaxWindowCoordinate, kMaxWindowCoordinate);
}
std::int32_t ClampWindowExtent(std::int32_t v) {
    return std::clamp(v, kMinStoredExtent, kMaxWindowExtent);
}
std::int32_t RepairTrigger(std::int32_t v) { return v >= 0 && v <= 3 ? v : 2; }
std::int32_t RepairMouseButton(std::int32_t v) { return v != 0 ? 1 : 0; }
std::int32_t RepairMouseMode(std::int32_t v) { return v >= 0 && v <= 2 ? v : 0; }
std::int32_t ClampLongPress(std::int32_t v) { return std::clamp(v, 300, 800); }
std::int32_t RepairSortMode(std::int32_t v) { return v >= 0 && v <= 2 ? v : 0; }
std::int32_t RepairDesktopItems(std::int32_t v) { return v >= 0 && v <= 1 ? v : 0; }
std::int32_t RepairDisplayMode(std::int32_t v) { return v >= 0 && v <= 2 ? v : 0; }

bool SortAscendingWhenAbsent(const IniDocument&, const Settings& s) {
    return s.sortMode == SortMode::Name;
}
bool LayoutPersistedWhenAbsent(const IniDocument& doc, const Settings& s) {
    return s.groupBy || doc.find(L"UI", L"SortAscending") || s.sortMode != SortMode::Name;
}

std::wstring ReadGroupByKey(const IniDocument& doc, const Settings& s) {
    if (!s.groupBy) return {};
    return CutValue(doc.get(L"UI", L"GroupByKey", L""), kGroupByKeyMaxLength);
}
std::wstring WriteGroupByKey(const Settings& s) {
    return s.groupBy ? s.groupByKey : std::wstring();
}
std::wstring ReadLanguage(const IniDocument& doc, const Settings&) { return LanguageCodeFrom(doc); }
std::wstring WriteLanguage(const Settings& s) { return s.language; }

template <auto Member>
constexpr SettingKey Int(const wchar_t* key, std::int32_t def, WhenUnset unset, LoadStep step,
                         SaveRule save, std::int32_t (*repair)(std::int32_t)) {
    SettingKey k{key, KeyType::Int, def, unset, step, save};
    k.repair = repair;
    k.get = GetField<Member>;
    k.set = SetField<Member>;
    return k;
}

template <auto Member>
constexpr SettingKey Bool(const wchar_t* key, bool def, LoadStep step, SaveRule save,
                          bool (*whenAbsent)(const IniDocument&, const Settings&) = nullptr) {
    SettingKey k{key, KeyType::Bool, def ? 1 : 0, WhenUnset::UseDefault, step, save};
    k.whenAbsent = whenAbsent;
    k.get = GetField<Member>;
    k.set = SetField<Member>;
    return k;
}

constexpr SettingKey Text(const wchar_t* key, LoadStep step, std::wstring Settings::*field,
                          std::wstring (*readText)(const IniDocument&, const Settings&),
                          std::wstring (*writeText)(const Settings&)) {
    SettingKey k{key, KeyType::Text, 0, WhenUnset::UseDefault, step, SaveRule::Always};
    k.textField = field;
    k.readText = readText;
    k.writeText = writeText;
    return k;
}

constexpr auto Keep = WhenUnset::KeepCurrent;
constexpr auto Default = WhenUnset::UseDefault;
using enum LoadStep;
using enum SaveRule;

const SettingKey kWindowKeys[] = {
    Int<&Settings::x>(L"X", 120, Keep, Main, WindowRect, ClampWindowCoordinate),
    Int<&Settings::y>(L"Y", 120, Keep, Main, WindowRect, ClampWindowCoordinate),
    Int<&Settings::w>(L"W", 920, Keep, Main, WindowRect, ClampWindowExtent),
    Int<&Settings::h>(L"H", 580, Keep, Main, WindowRect, ClampWindowExtent),
    Int<&Settings::opacity>(L"Opacity", 100, Keep, Main, Always, SnapOpacity),
};

const SettingKey kUiKeys[] = {
    Int<&Settings::sortMode>(L"SortMode", 0, Keep, Main, Always, RepairSortMode),
    Bool<&Settings::sortAscending>(L"SortAscending", true, Main, Always, SortAscendingWhenAbsent),
    Bool<&Settings::groupBy>(L"GroupBy", false, Main, Always),
    Bool<&Settings::groupByAscending>(L"GroupByAscending", true, Main, Always),
    Text(L"GroupByKey", Main, &Settings::groupByKey, ReadGroupByKey, WriteGroupByKey),
    Bool<&Settings::uiLayoutPersisted>(L"UILayoutPersisted", false, Main, Always,
                                       LayoutPersistedWhenAbsent),
    Int<&Settings::viewMode>(L"ViewMode", 2, Keep, View, ValidView, nullptr),
    Bool<&Settings::closeOnItemActivate>(L"CloseOnItemActivate", true, Late, Always),
    Int<&Settings::desktopItemsMode>(L"DesktopItemsMode", 0, Default, Late, Always,
                                     RepairDesktopItems),
    Int<&Settings::displayMode>(L"DisplayMode", 0, Default, Late, Always, RepairDisplayMode),
    Text(L"Language", Late, &Settings::language, ReadLanguage, WriteLanguage),
};

const SettingKey kHotkeyKeys[] = {
    Int<&Settings::trigger>(L"Trigger", 2, Keep, Main, Always, RepairTrigger),
    Int<&Settings::mouseButton>(L"MouseButton", 1, Keep, Main, Always, RepairMouseButton),
    Int<&Settings::mouseMode>(L"MouseMode", 0, Keep, Main, Always, RepairMouseMode),
    Int<&Settings::mouseLongPressMs>(L"MouseLongPressMs", 450, Keep, Main, Always, ClampLongPress),
};

const SettingKey kGeneralKeys[] = {
    Bool<&Settings::debugLog>(L"DebugLog", false, DebugFlag, Never),
    Bool<&Settings::runAtStartup>(L"RunAtStartup", false, Late, Always),
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
        return CutValue(*code, kLanguageMaxLength);
    if (const std::wstring* legacy = doc.find(L"UI", L"UILanguage")) {
        const auto index = ParseDecimal(*legacy);
        if (index && *index >= 0 &&
            *index < static_cast<std::int32_t>(std::size(kLegacyLanguageCodes)))
            return kLegacyLanguageCodes[*index];
    }
    return {};
}

void ReadSettingKey(const IniDocument& doc, const wchar_t* section, const SettingKey& key,
                    Settings& s) {
    if (key.type == KeyType::Text) {
        s.*key.textField = key.readText(doc, s);
        return;
    }
    const std::wstring* text = doc.find(section, key.key);
    const std::optional<std::int32_t> parsed = text ? ParseDecimal(*text) : std::nullopt;
    if (key.type == KeyType::Bool) {
        if (parsed)
            key.set(s, *parsed != 0 ? 1 : 0);
        else if (!text && key.whenAbsent)
            key.set(s, key.whenAbsent(doc, s) ? 1 : 0);
        else
            key.set(s, key.defaultValue);
        return;
    }
    std::int32_t value = key.get(s);
    if (parsed)
        value = *parsed;
    else if (key.unset == WhenUnset::UseDefault)
        value = key.defaultValue;
    key.set(s, key.repair ? key.repair(value) : value);
}

std::wstring SettingKeyText(const SettingKey& key, const Settings& s) {
    if (key.type == KeyType::Text) return key.writeText(s);
    return std::to_wstring(key.get(s));
}

}  // namespace lumetra::config
