#include "config/config_host.h"

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

bool WritingBlocked() {
    Settings& s = Cfg();
    if (s.configReadable) return false;
    if (HostFileExists(s.configPath)) return true;
    s.configReadable = true;
    return false;
}

bool LoadForWriting(IniDocument& doc) {
    if (EnsureConfigPath().empty() || WritingBlocked()) return false;
    doc = IniDocument(Cfg().configPath);
    return HostLoad(doc);
}

}  // namespace lumetra::config
