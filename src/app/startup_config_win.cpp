#include "app/startup_config_win.h"

#include "config/decimal.h"
#include "config/ini_document.h"
#include "log/debug_log.h"

namespace lumetra::app {

StartupConfig LoadStartupConfig(const std::wstring& configPath) {
    StartupConfig result;
    config::IniDocument ini(configPath);
    if (ini.load()) {
        const auto flag = config::ParseDecimal(ini.get(L"General", L"DebugLog", L"0"));
        result.debugLog = flag.value_or(0) != 0;
    }
    log::DebugLogSetEnabled(result.debugLog);
    return result;
}

}  // namespace lumetra::app
