#include <windows.h>

#include <string>

#include "config/settings_keys.h"
#include "ui/language.h"
#include "ui/ui_language.h"

namespace lumetra::ui {

void ApplyUILanguage(const config::IniDocument& doc) {
    const PreferredLanguageChange change = ReplaceLanguageCode(config::LanguageCodeFrom(doc));
    if (!change.changed) return;
    if (change.tag) {
        // A list of language names ends with an empty name.
        std::wstring list = change.tag;
        list.append(2, L'\0');
        if (SetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, list.c_str(), nullptr)) return;
    }
    SetThreadPreferredUILanguages(0, nullptr, nullptr);
}

int CurrentUILanguageIndex() {
    return LanguageIndexFor(CurrentLanguageCode(), GetUserDefaultUILanguage());
}

}  // namespace lumetra::ui
