#pragma once
// What a toggle request does, decided from plain values.
#include <cstdint>

#include "protocol/messages.h"

namespace lumetra::palette {

inline constexpr std::uint32_t kToggleCooldownMs = 180;

// True when `now` lies within the cooldown of the last toggle. A last tick of 0
// means no cooldown runs, also in the first 180 ms after the tick count wraps.
inline bool InToggleCooldown(std::uint32_t now, std::uint32_t lastToggleTick) {
    return lastToggleTick != 0 && now - lastToggleTick < kToggleCooldownMs;
}

// Starts a toggle unless it falls within the cooldown; a started toggle's tick
// is never 0, which would read as "no cooldown".
inline bool BeginToggle(std::uint32_t now, std::uint32_t& lastToggleTick) {
    if (InToggleCooldown(now, lastToggleTick)) return false;
    lastToggleTick = now != 0 ? now : 1;
    return true;
}

// A hotkey press always toggles. WM_HOTKEY clears the cooldown and posts the
// request; the request clears it again, because two presses queued before the
// first request ran would otherwise meet the first press's cooldown.
inline bool ToggleRequestClearsCooldown(protocol::ToggleSource source) {
    return source == protocol::ToggleSource::kHotkey;
}

enum class ToggleAction { kShow, kHide, kRelocate };

// Shown on another monitor than the cursor's: move there; shown: hide; hidden: show.
inline ToggleAction DecideToggle(bool shown, bool monitorsKnownAndDiffer) {
    if (!shown) return ToggleAction::kShow;
    return monitorsKnownAndDiffer ? ToggleAction::kRelocate : ToggleAction::kHide;
}

}  // namespace lumetra::palette
