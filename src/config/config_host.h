#pragma once
// What the configuration code needs from the rest of the program: file
// access, the palette's state and monitor keys, and the UI language. Windows
// start-up installs the real adapters; tests install in-memory ones. A null
// entry behaves like "nothing there" (no file, no palette, empty key).
#include <string>

#include "config/ini_document.h"
#include "config/settings.h"

namespace lumetra::config {

// The palette's state as SaveConfig sees it.
struct PaletteStateSource {
    bool (*windowExists)() = nullptr;
    bool (*minimised)() = nullptr;
    // Last placed at the cursor without persistence: its rectangle is not saved.
    bool (*shownAtCursor)() = nullptr;
    // Inside the system move/size loop.
    bool (*inSizeMove)() = nullptr;
    bool (*windowRect)(ScreenRect& rect) = nullptr;
};

struct ConfigHost {
    std::wstring (*resolveConfigPath)() = nullptr;
    bool (*fileExists)(const std::wstring& path) = nullptr;
    // IniDocument::load / save on the document's path.
    bool (*loadDocument)(IniDocument& doc) = nullptr;
    bool (*saveDocument)(const IniDocument& doc) = nullptr;

    PaletteStateSource palette;
    std::wstring (*currentMonitorKey)() = nullptr;         // CurrentMonitorKey
    std::wstring (*paletteNearestMonitorKey)() = nullptr;  // monitor nearest the palette window

    void (*applyUiLanguage)(const IniDocument& doc) = nullptr;
    int (*uiLanguageIndex)() = nullptr;
};

ConfigHost& Host();

// Thin null-safe calls through the host.
bool HostFileExists(const std::wstring& path);
bool HostLoad(IniDocument& doc);
bool HostSave(const IniDocument& doc);
bool PaletteExists();
std::wstring HostCurrentMonitorKey();
std::wstring HostPaletteNearestMonitorKey();

// The configuration path, resolved on first use; empty when it cannot be.
const std::wstring& EnsureConfigPath();

// True while a file that failed to load sits at the configuration path:
// every writer then leaves it alone. Finding the file gone ends the block, so
// the first writer after the user deleted it and every later one may write.
bool WritingBlocked();

// Loads a fresh document for a writer: false (write nothing) when the path is
// unknown, writing is blocked or the file cannot be read.
bool LoadForWriting(IniDocument& doc);

}  // namespace lumetra::config
