#include "config/config_host.h"

#include "log/debug_log.h"

namespace lumetra::config {

ConfigHost& Host() {
    static ConfigHost host;
    return host;
}

Settings& Cfg() {
    static Settings settings;
    return settings;
}

bool HostFileExists(const std::wstring& path) {
    return Host().fileExists && !path.empty() && Host().fileExists(path);
}

bool HostLoad(IniDocument& doc) {
    if (!Host().loadDocument) {
        doc.clear();
        return true;
    }
    return Host().loadDocument(doc);
}

bool HostSave(const IniDocument& doc) { return Host().saveDocument && Host().saveDocument(doc); }

bool PaletteExists() {
    const PaletteStateSource& p = Host().palette;
    return p.windowExists && p.windowExists();
}

std::wstring HostCurrentMonitorKey() {
    return Host().currentMonitorKey ? Host().currentMonitorKey() : std::wstring();
}

std::wstring HostPaletteNearestMonitorKey() {
    if (!PaletteExists() || !Host().paletteNearestMonitorKey) return {};
    return Host().paletteNearestMonitorKey();
}

const std::wstring& EnsureConfigPath() {
    Settings& s = Cfg();
    if (s.configPath.empty() && Host().resolveConfigPath) s.configPath = Host().resolveConfigPath();
    return s.configPath;
}

bool WritingBlocked() { return !Cfg().configReadable && HostFileExists(Cfg().configPath); }

bool LoadForWriting(IniDocument& doc) {
    if (EnsureConfigPath().empty() || WritingBlocked()) return false;
    doc = IniDocument(Cfg().configPath);
    return HostLoad(doc);
}

void LogConfigFailure(const wchar_t* text) {
    const bool wasEnabled = log::DebugLogEnabled();
    if (!wasEnabled) log::DebugLogSetEnabled(true);
    log::DebugLogWrite(text);
    if (!wasEnabled) log::DebugLogSetEnabled(false);
}

}  // namespace lumetra::config
