#pragma once

namespace lumetra::config {

// Makes the start-with-Windows entry match the RunAtStartup setting.
void ApplyRunAtStartup();

}  // namespace lumetra::config
