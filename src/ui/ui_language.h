#pragma once
// The UI language: which of the nine languages the menus use and which
// languages the shell's own texts prefer.
#include "config/ini_document.h"

namespace lumetra::ui {

// Stub until the language tables exist: applies nothing.
inline void ApplyUILanguage(const config::IniDocument& /*doc*/) {}

// Stub until the language tables exist: English (index 1) for everything.
inline int CurrentUILanguageIndex() { return 1; }

}  // namespace lumetra::ui
