#include "fake_config_host.h"

#include <algorithm>

#include "log/debug_log.h"
#include "log/debug_log_capture.h"

namespace lumetra::config::testing {

FakeWorld& World() {
    static FakeWorld world;
    return world;
}

void ResetWorld() {
    World() = FakeWorld{};
    Cfg() = Settings{};
    Session() = ConfigSession{};
    log::ResetCapturedLog();
    ConfigHost& host = Host();
    host = ConfigHost{};
    host.resolveConfigPath = [] { return std::wstring(kConfigPath); };
    host.fileExists = [](const std::wstring& path) { return World().files.count(path) != 0; };
    host.loadDocument = [](IniDocument& doc) {
        if (World().heldByEditor) return false;
        const auto it = World().files.find(doc.path());
        if (it == World().files.end()) {
            doc.clear();
            return true;
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(it->second.data());
        return doc.loadFromBytes(bytes, it->second.size());
    };
    host.saveDocument = [](const IniDocument& doc) {
        const std::string bytes = doc.serializeFileBytes();
        if (bytes.empty() || World().failSaves) return false;
        World().files[doc.path()] = bytes;
        ++World().saves;
        return true;
    };
    host.palette.windowExists = [] { return World().paletteExists; };
    host.palette.minimised = [] { return World().minimised; };
    host.palette.shownAtCursor = [] { return World().shownAtCursor; };
    host.palette.inSizeMove = [] { return World().inSizeMove; };
    host.palette.windowRect = [](ScreenRect& rect) {
        rect = World().paletteRect;
        return World().paletteExists;
    };
    host.currentMonitorKey = [] { return World().currentMonitorKey; };
    host.paletteNearestMonitorKey = [] { return World().nearestMonitorKey; };
    host.applyUiLanguage = [](const IniDocument&) { ++World().languageApplied; };
    host.uiLanguageIndex = [] { return World().languageIndex; };
    // Logging is on unless a test's configuration turns it off.
    log::DebugLogSetEnabled(true);
}

void WriteFile(const std::string& bytes, const std::wstring& path) { World().files[path] = bytes; }

std::optional<std::string> ReadFile(const std::wstring& path) {
    const auto it = World().files.find(path);
    if (it == World().files.end()) return std::nullopt;
    return it->second;
}

std::string SavedText(const std::wstring& path) {
    std::string bytes = ReadFile(path).value_or("");
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; text && *text; ++text)
        out += *text >= 0x20 && *text < 0x7F ? static_cast<char>(*text) : '?';
    return out;
}

std::vector<std::wstring> LogLines() { return log::CapturedLogLines(); }

void ClearLog() { log::CapturedLogLines().clear(); }

bool LogHas(const std::wstring& line) {
    const auto& lines = log::CapturedLogLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace lumetra::config::testing
