#include "log/debug_log_capture.h"

#include "log/debug_log.h"

namespace lumetra::log {
namespace {
bool gEnabled = true;
int gSwitches = 0;
}  // namespace

std::vector<std::wstring>& CapturedLogLines() {
    static std::vector<std::wstring> lines;
    return lines;
}

void ResetCapturedLog() {
    CapturedLogLines().clear();
    gEnabled = true;
    gSwitches = 0;
}

int CapturedLogSwitches() { return gSwitches; }

void DebugLogSetPath(const wchar_t*) {}
void DebugLogSetEnabled(bool enabled) {
    if (enabled != gEnabled) ++gSwitches;
    gEnabled = enabled;
}
bool DebugLogEnabled() { return gEnabled; }
void DebugLogRotateIfLarge() {}

void DebugLogWrite(const wchar_t* text) {
    if (gEnabled && text) CapturedLogLines().emplace_back(text);
}

}  // namespace lumetra::log
