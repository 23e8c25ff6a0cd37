#pragma once

namespace lumetra::app {

// Makes the start-with-Windows entry match the RunAtStartup setting.
void ApplyRunAtStartup();

}  // namespace lumetra::app
