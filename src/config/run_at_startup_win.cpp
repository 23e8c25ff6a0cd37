#include "config/run_at_startup_win.h"

namespace lumetra::config {

void ApplyRunAtStartup() {}

}  // namespace lumetra::config
