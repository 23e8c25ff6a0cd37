#pragma once
// Notices a low-level hook the system removed without telling us (it does so
// when a hook procedure answers too slowly too often): raw input keeps
// arriving while the hook procedure sees nothing. Decided from two event
// counters and millisecond ticks, so it runs natively under a fake clock.
#include <cstdint>

#include "triggers/double_tap.h"

namespace lumetra::triggers {

// The hook must stay silent this long while raw input runs. A live hook sees
// each event about when raw input does, so one second of silence cannot be a
// tick falling between the two deliveries; it is still well under the time a
// user takes to notice that the gesture stopped working and try again.
inline constexpr std::uint32_t kHookSilenceMs = 1000;
// ...and raw input must have seen at least this many events meanwhile (two
// keystrokes, or a short stroke of the mouse), so the odd event that one
// route reports just before a check and the other just after never counts.
inline constexpr std::uint32_t kHookLossMinRawEvents = 4;

// Running totals, each bumped once per event (they may wrap).
struct HookCounts {
    std::uint32_t raw = 0;   // raw input records of the hook's device
    std::uint32_t hook = 0;  // calls of the hook procedure
};

// What the caller knows at a check.
struct HookFacts {
    bool enabled = false;                  // the user's settings want this hook
    bool installed = false;                // the program holds its handle
    std::uint32_t pendingGestureTick = 0;  // a first tap or click waiting since; 0 none
    HookCounts counts;
};

// A hook found lost again and again without seeing a single event between
// (say raw input keeps reporting keys the system never shows the hook) waits
// twice as long before each further re-install, up to this many doublings
// (64 s): a steady re-install and log line every second helps nobody.
inline constexpr std::uint32_t kHookLossMaxBackoffSteps = 6;

// The counts at the start of the current window, and when it started.
struct HookWatch {
    bool armed = false;
    HookCounts base;
    std::uint32_t since = 0;
    std::uint32_t lossesInARow = 0;  // since the hook last saw an event
};

struct HookLoss {
    bool lost = false;
    std::uint32_t rawEvents = 0;   // raw input events in the window
    std::uint32_t hookEvents = 0;  // hook events in it (0 when lost)
    std::uint32_t silentMs = 0;    // length of the window
};

// Starts the window afresh; called right after a hook is (re)installed.
void RestartHookWatch(HookWatch& watch, const HookCounts& counts, std::uint32_t now);

// A first tap or click this old is stale whatever the double-click window
// (at most 1200 ms) and about to be swept; it no longer holds the watch back.
inline constexpr std::uint32_t kGestureInProgressMs = 1200 + kStaleSlackMs;

// One check on a timer tick. A hook that is not wanted or not held disarms
// the watch; a hook event restarts the window; a gesture in progress defers
// the decision. On a loss the watch disarms: the caller re-installs and
// restarts it.
HookLoss CheckHook(HookWatch& watch, const HookFacts& facts, std::uint32_t now);

}  // namespace lumetra::triggers
