#pragma once
// Connects the configuration code to Windows: config.ini on disk, the
// palette's state and the monitors.
#include <windows.h>

#include "config/config_host.h"

namespace lumetra::config {

struct ConfigHostLinks {
    PaletteStateSource palette;
    HWND (*paletteWindow)() = nullptr;
    void (*applyUiLanguage)(const IniDocument& doc) = nullptr;
    int (*uiLanguageIndex)() = nullptr;
};

void InstallConfigHost(const ConfigHostLinks& links);

}  // namespace lumetra::config
