#pragma once
// The few settings start-up needs before the full settings model exists.
#include <string>

#include "palette/placement.h"

namespace lumetra::app {

struct StartupConfig {
    bool debugLog = false;
    palette::WindowRect window;
};

// Reads the configuration file and enables the debug log as it says.
StartupConfig LoadStartupConfig(const std::wstring& configPath);

}  // namespace lumetra::app
