#include "config/config_host_win.h"

#include "config/data_folder_win.h"
#include "config/monitor_win.h"

namespace lumetra::config {

void InstallConfigHost(const ConfigHostLinks& links) {
    ConfigHost& host = Host();
    host.resolveConfigPath = ResolveConfigPath;
    host.fileExists = FileExists;
    host.loadDocument = [](IniDocument& doc) { return doc.load(); };
    host.saveDocument = [](const IniDocument& doc) { return doc.save(); };
    host.palette = links.palette;
    host.currentMonitorKey = CurrentMonitorKey;
    host.paletteNearestMonitorKey = PaletteNearestMonitorKey;
    host.applyUiLanguage = links.applyUiLanguage;
    host.uiLanguageIndex = links.uiLanguageIndex;
    SetPaletteWindowSource(links.paletteWindow);
}

}  // namespace lumetra::config
