#pragma once
// The UI language: which of the nine languages the menus use and which
// languages the shell's own texts prefer.
#include "config/ini_document.h"

namespace lumetra::ui {

// Reads [UI] Language (or the legacy UILanguage) and, when it changed, makes
// this thread prefer that language for the texts the shell supplies itself.
void ApplyUILanguage(const config::IniDocument& doc);

// Language index of every label lookup (UiLanguageIndex).
int CurrentUILanguageIndex();

}  // namespace lumetra::ui
