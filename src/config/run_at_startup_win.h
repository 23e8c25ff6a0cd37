#pragma once
// Starting with Windows.
namespace lumetra::config {

// Makes the start-with-Windows entry match the RunAtStartup setting. Not
// built yet: changes nothing.
void ApplyRunAtStartup();

}  // namespace lumetra::config
