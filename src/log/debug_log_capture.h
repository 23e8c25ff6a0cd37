#pragma once
// In-memory stand-in for the debug log, linked into platform-free tests so they
// can check the lines an operation writes.
#include <string>
#include <vector>

namespace lumetra::log {

// Lines written while enabled, without time prefix or line end.
std::vector<std::wstring>& CapturedLogLines();
// Enables capturing and forgets earlier lines and switches.
void ResetCapturedLog();
// How often the log was switched on or off since the last reset; another
// thread reading the flag would have seen each switch.
int CapturedLogSwitches();

}  // namespace lumetra::log
