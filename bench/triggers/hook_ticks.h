#pragma once
// The hook watchdog as the housekeeping tick runs it every 100 ms: a check of
// the keyboard hook and one of the mouse hook, both alive, with input arriving
// in bursts (each event counted by raw input and by the hook) and quiet ticks.
#include <cstdint>

#include "triggers/hook_watchdog.h"

namespace lumetra::bench {

struct WatchdogTicks {
    triggers::HookWatch keyboardWatch, mouseWatch;
    triggers::HookFacts keyboard, mouse;
    std::uint32_t now = 0xFFFF0000u;  // crosses the wrap
    std::uint32_t seed = 12345;
    unsigned losses = 0;

    WatchdogTicks() {
        keyboard.enabled = keyboard.installed = mouse.enabled = mouse.installed = true;
    }

    // One tick: new events since the last one, then both checks.
    void Tick() {
        seed = seed * 1103515245u + 12345u;
        const std::uint32_t keys = (seed >> 16) % 4;        // 0..3 key events
        const std::uint32_t moves = (seed >> 20) % 4 * 10;  // a stroke now and then
        keyboard.counts.raw += keys;
        keyboard.counts.hook += keys;
        mouse.counts.raw += moves;
        mouse.counts.hook += moves;
        now += 100;
        losses += triggers::CheckHook(keyboardWatch, keyboard, now).lost;
        losses += triggers::CheckHook(mouseWatch, mouse, now).lost;
    }
};

}  // namespace lumetra::bench
