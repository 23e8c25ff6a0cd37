#pragma once
// Which UI language the menus use: the language code from the settings,
// matched against a table of aliases, or the system's UI language when the
// code is empty or unknown.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lumetra::ui {

// The code keeps at most this many characters.
inline constexpr std::size_t kLanguageCodeMaxLength = 63;

struct LanguageAlias {
    const wchar_t* alias;
    const wchar_t* tag;  // preferred UI language tag handed to the system
    int index;           // UiLanguageIndex
};

std::span<const LanguageAlias> LanguageAliases();

// First alias equal to the code, ignoring ASCII letter case; null for none.
const LanguageAlias* FindLanguageAlias(std::wstring_view code);

// Language index for a system UI language id (LANGID).
int LanguageIndexForSystem(std::uint16_t languageId);

// Language index for a code: its alias's index, else the system's language.
int LanguageIndexFor(std::wstring_view code, std::uint16_t systemLanguageId);

// What the thread's preferred UI languages should become after a new code.
struct PreferredLanguageChange {
    bool changed = false;          // false: the code is the same, leave everything
    const wchar_t* tag = nullptr;  // null: back to the user's default languages
};

// The process-wide code, empty (automatic) at start.
const std::wstring& CurrentLanguageCode();

// Stores a new code (cut to kLanguageCodeMaxLength) and says what to do with
// the preferred languages. A code equal to the current one, ignoring case,
// changes nothing.
PreferredLanguageChange ReplaceLanguageCode(std::wstring_view code);

}  // namespace lumetra::ui
