// Start with Windows; the shortcut and startup-task handling arrive with the
// run-at-startup work.
#include "config/run_at_startup_win.h"

namespace lumetra::config {

void ApplyRunAtStartup() {}

}  // namespace lumetra::config
