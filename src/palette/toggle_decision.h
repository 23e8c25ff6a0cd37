#pragma once
// What a toggle request does, decided from plain values.
#include <cstdint>

namespace lumetra::palette {

inline constexpr std::uint32_t kToggleCooldownMs = 180;

// True when `now` lies within the cooldown of the last toggle. A last tick of 0
// means no cooldown runs, also in the first 180 ms after the tick count wraps.
inline bool InToggleCooldown(std::uint32_t now, std::uint32_t lastToggleTick) {
    return lastToggleTick != 0 && now - lastToggleTick < kToggleCooldownMs;
}

enum class ToggleAction { kShow, kHide, kRelocate };

// Shown on another monitor than the cursor's: move there; shown: hide; hidden: show.
inline ToggleAction DecideToggle(bool shown, bool monitorsKnownAndDiffer) {
    if (!shown) return ToggleAction::kShow;
    return monitorsKnownAndDiffer ? ToggleAction::kRelocate : ToggleAction::kHide;
}

}  // namespace lumetra::palette
