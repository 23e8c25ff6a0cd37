// Start with Windows; the shortcut and startup-task handling arrive with the
// run-at-startup work.
#include "app/run_at_startup_win.h"

namespace lumetra::app {

void ApplyRunAtStartup() {}

}  // namespace lumetra::app
