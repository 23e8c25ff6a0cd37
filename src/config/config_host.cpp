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

ConfigSession& Session() {
    static ConfigSession session;
    return session;
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
    ConfigSession& s = Session();
    if (s.path.empty() && Host().resolveConfigPath) s.path = Host().resolveConfigPath();
    return s.path;
}

bool WritingBlocked() {
    ConfigSession& s = Session();
    if (s.readable) return false;
    if (HostFileExists(s.path)) return true;
    s.readable = true;
    return false;
}

bool LoadForWriting(IniDocument& doc) {
    if (EnsureConfigPath().empty() || WritingBlocked()) return false;
    doc = IniDocument(Session().path);
    return HostLoad(doc);
}

}  // namespace lumetra::config
