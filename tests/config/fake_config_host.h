#pragma once
// In-memory files, palette and monitors for the configuration tests.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "config/config_host.h"

namespace lumetra::config::testing {

inline constexpr const wchar_t* kConfigPath =
    L"C:\\Users\\me\\AppData\\Roaming\\veltor\\Lumetra\\config.ini";

struct FakeWorld {
    std::map<std::wstring, std::string> files;  // path -> bytes
    bool failSaves = false;
    bool heldByEditor = false;  // every load fails, as with a sharing violation
    int saves = 0;

    bool paletteExists = true;
    bool minimised = false;
    bool shownAtCursor = false;
    bool inSizeMove = false;
    ScreenRect paletteRect = kDefaultPaletteRect;
    std::wstring currentMonitorKey = L"DISPLAY1";
    std::wstring nearestMonitorKey = L"DISPLAY1";
    int languageIndex = 1;
    int languageApplied = 0;
};

FakeWorld& World();

// Fresh settings, files, palette and log; installs the fake host.
void ResetWorld();

void WriteFile(const std::string& bytes, const std::wstring& path = kConfigPath);
std::optional<std::string> ReadFile(const std::wstring& path = kConfigPath);
// The saved file's text after the byte-order mark, with "\r\n" shown as "\n".
std::string SavedText(const std::wstring& path = kConfigPath);
// "[Section]\r\nKey=value" lines from "\n"-separated text.
std::string Crlf(const std::string& text);

std::vector<std::wstring> LogLines();
void ClearLog();  // forgets the lines, leaves the log's switch alone
// ASCII rendering of a wide text for failure messages.
std::string Narrow(const wchar_t* text);
bool LogHas(const std::wstring& line);

}  // namespace lumetra::config::testing
