#pragma once
// Mouse side-button gestures (double click and long press) decided from plain
// button events and millisecond ticks.
#include <cstdint>

#include "config/settings.h"

namespace lumetra::triggers {

struct MouseGestureState {
    bool firstClickPending = false;
    std::uint32_t firstClickButton = 0;  // 1 X1, 2 X2
    std::uint32_t firstClickTick = 0;
    bool rawX1Down = false;
    bool rawX2Down = false;
    bool clusterOpen = false;
    std::uint32_t clusterStartTick = 0;  // 0 = none
    std::uint32_t releaseTick = 0;       // 0 = none
    bool longPressFired = false;
};

struct MouseSettings {
    config::MouseMode mode = config::MouseMode::DoubleClick;
    std::uint32_t button = 2;  // 1 X1, 2 X2
    std::uint32_t holdMs = 450;
    std::uint32_t lastToggleTick = 0;
    std::uint32_t windowMs = 500;
};

inline std::uint32_t ButtonNumber(config::MouseButton button) {
    return button == config::MouseButton::X1 ? 1u : 2u;
}

// After a release a cluster stays open this long, so a poll can still see the hold time.
inline constexpr std::uint32_t kClusterCloseMs = 150;

// Low-level mouse events as the double-click hook sees them.
enum class MouseEventKind : std::uint8_t {
    kPointerActivity,  // move, left or right press: ends a first click
    kXDown,
    kXUp,
    kXDoubleClick,
    kOther,
};

struct MouseHookEvent {
    MouseEventKind kind = MouseEventKind::kOther;
    std::uint32_t button = 0;      // high word of mouseData for X events
    bool selectedButtonUp = true;  // key state reports the selected button up
};

enum class MouseAction : std::uint8_t {
    kNone,
    kStaleReset,      // forget all input tracking
    kDoubleClickMsg,  // the system's own double-click message
    kDoubleClick,     // two releases within the window
};

// True when the event needs the key state of the selected button.
bool WantsStaleCheck(const MouseGestureState& state, MouseEventKind kind);

MouseAction StepMouseHook(MouseGestureState& state, const MouseHookEvent& event,
                          const MouseSettings& settings, std::uint32_t now);

// Raw button-flag bits of one mouse record.
inline constexpr std::uint16_t kRawX1Down = 0x40;
inline constexpr std::uint16_t kRawX1Up = 0x80;
inline constexpr std::uint16_t kRawX2Down = 0x100;
inline constexpr std::uint16_t kRawX2Up = 0x200;

struct LongPressOutput {
    std::uint8_t clustersStarted = 0;
    bool fired = false;
};

// One raw mouse record in long-press mode.
LongPressOutput StepRawButtons(MouseGestureState& state, std::uint16_t buttonFlags,
                               const MouseSettings& settings, std::uint32_t now);

// The 50 ms poll: fires a held press at the hold time, then closes a released
// cluster once the button has been up for longer than kClusterCloseMs.
// `systemReportsUp` is the key state of the selected button.
bool PollWanted(const MouseGestureState& state, const MouseSettings& settings);
LongPressOutput StepLongPressPoll(MouseGestureState& state, const MouseSettings& settings,
                                  std::uint32_t now, bool systemReportsUp);

bool RawReportsDown(const MouseGestureState& state, std::uint32_t button);

// The resync timer's mouse part.
struct MouseSweepFacts {
    bool x1Up = true;  // asynchronous key state
    bool x2Up = true;
    bool selectedUp = true;  // both key states of the selected button
    bool paletteVisible = false;
};
void SweepStaleClick(MouseGestureState& state, std::uint32_t now, std::uint32_t windowMs);
void SweepLongPress(MouseGestureState& state, const MouseSettings& settings,
                    const MouseSweepFacts& facts);
void SweepHiddenMouse(MouseGestureState& state, const MouseSweepFacts& facts);

inline constexpr const wchar_t* kStaleButtonReason = L"mouse-hook stale side-button state";

}  // namespace lumetra::triggers
