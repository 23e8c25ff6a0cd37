#pragma once
// Keyboard double tap of one modifier key, decided from plain key events and
// millisecond ticks. The hook translates, steps and posts; nothing here knows
// about windows.
#include <bit>
#include <cstdint>

#include "config/settings.h"

namespace lumetra::triggers {

inline constexpr std::uint32_t kVkShift = 16;
inline constexpr std::uint32_t kVkControl = 17;
inline constexpr std::uint32_t kVkMenu = 18;
inline constexpr std::uint32_t kVkEscape = 27;
inline constexpr std::uint32_t kVkF2 = 113;

// Releases this soon after a toggle are ignored, so the taps that caused it
// (or a bouncing key) cannot start another one.
inline constexpr std::uint32_t kToggleGuardMs = 220;
// A first tap or click older than the double-click window plus this is stale.
inline constexpr std::uint32_t kStaleSlackMs = 800;

// The system double-click time as a double-tap window: 200..1200, 500 for 0.
std::uint32_t DoubleTapWindowMs(std::uint32_t systemDoubleClickTime);

// A tick to record where 0 means "none": the one tick in 2^32 that is 0 is
// moved on by a millisecond, so a press at the wrap still counts.
inline std::uint32_t RecordedTick(std::uint32_t now) { return now != 0 ? now : 1; }

// True when `now` falls within the guard after the last toggle; 0 means none.
inline bool WithinToggleGuard(std::uint32_t now, std::uint32_t lastToggleTick) {
    return lastToggleTick != 0 && now - lastToggleTick < kToggleGuardMs;
}

// Generic, left and right virtual keys of the chosen modifier; none when disabled.
bool InTriggerFamily(config::TriggerKey trigger, std::uint32_t vk);

// Keys the hook saw go down and not come up, one bit per virtual key.
struct KeyDownTable {
    std::uint64_t words[4] = {};

    bool IsDown(std::uint32_t vk) const { return (words[vk >> 6] >> (vk & 63)) & 1u; }
    void Mark(std::uint32_t vk) { words[vk >> 6] |= std::uint64_t{1} << (vk & 63); }
    void Clear(std::uint32_t vk) { words[vk >> 6] &= ~(std::uint64_t{1} << (vk & 63)); }
    void ClearAll() { words[0] = words[1] = words[2] = words[3] = 0; }
    bool Any() const { return (words[0] | words[1] | words[2] | words[3]) != 0; }

    // Clears every marked key for which keyIsUp(vk) says the system has it up.
    template <typename KeyIsUp>
    void DropReleased(KeyIsUp&& keyIsUp) {
        for (std::uint32_t w = 0; w < 4; ++w) {
            for (std::uint64_t bits = words[w]; bits; bits &= bits - 1) {
                const std::uint32_t vk =
                    w * 64 + static_cast<std::uint32_t>(std::countr_zero(bits));
                if (keyIsUp(vk)) Clear(vk);
            }
        }
    }
};

// The pending first tap.
struct TapState {
    bool pending = false;
    std::uint32_t firstKey = 0;
    std::uint32_t firstTick = 0;  // its key-up
    bool secondPressSeen = false;
};

struct KeyboardTracking {
    KeyDownTable keys;
    TapState tap;
    bool escapeHandledElsewhere = false;  // decided at Esc down, used at Esc up
};

enum class KeyTransition : std::uint8_t { kDown, kUp, kOther };

// One low-level key event. The foreground facts are only looked at for Esc
// and F2, so the hook fills them only for those keys.
struct KeyEvent {
    KeyTransition transition = KeyTransition::kOther;
    std::uint32_t vk = 0;
    bool injected = false;
    bool paletteOwnsForeground = false;  // Esc up, F2 down
    bool escapeElsewhere = false;        // Esc down: another window or a modal state has it
};

struct TapSettings {
    config::TriggerKey trigger = config::TriggerKey::Alt;
    std::uint32_t lastToggleTick = 0;
    std::uint32_t windowMs = 500;
};

enum class KeyAction : std::uint8_t {
    kNone,
    kFirstTap,   // log only
    kDoubleTap,  // log, post the toggle
    kHide,       // post WMAPP_HIDE
    kRename,     // post WMAPP_RENAME
};

// A release of the trigger key that may count as a tap: not synthesised, and
// nothing but keys of the trigger family held.
bool IsCleanTriggerRelease(const KeyDownTable& keys, const KeyEvent& event,
                           config::TriggerKey trigger);

// One key event at tick `now`; the caller has already dropped released keys.
KeyAction StepKey(KeyboardTracking& tracking, const KeyEvent& event, const TapSettings& settings,
                  std::uint32_t now);

// The resync timer's keyboard part: a pending tap older than the window plus
// the slack is dropped; with the palette hidden everything is forgotten.
void SweepStaleTap(TapState& tap, std::uint32_t now, std::uint32_t windowMs);
void SweepHiddenKeyboard(KeyboardTracking& tracking);

inline const wchar_t* KeyActionLogLine(KeyAction action) {
    switch (action) {
        case KeyAction::kFirstTap: return L"Trigger first tap captured.";
        case KeyAction::kDoubleTap:
            return L"Trigger double-tap detected. Posting WM_APP+99 (source=hook).";
        default: return nullptr;
    }
}

}  // namespace lumetra::triggers
