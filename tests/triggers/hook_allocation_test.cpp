// The hooks run for every key and mouse event on the desktop and must not
// allocate: drive the decision paths with a long random event stream and
// count every operator new on the way.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <random>

#include "triggers/double_tap.h"
#include "triggers/hook_watchdog.h"
#include "triggers/mouse_gesture.h"

namespace {
bool counting = false;
long allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    if (counting) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace lumetra::triggers {
namespace {

TEST(HookAllocation, DecisionPathsAllocateNothing) {
    std::mt19937 engine(20261207);
    auto random = [&engine](std::uint32_t n) { return static_cast<std::uint32_t>(engine() % n); };
    // Mostly trigger keys, so taps and double taps really happen.
    const std::uint32_t keys[] = {18, 164, 165, 17, 162, 16, 160, 0x43, 27, 113, 0x5B, 0x20, 300};
    KeyboardTracking keyboard;
    MouseGestureState mouse;
    TapSettings tapSettings;
    MouseSettings mouseSettings;
    std::uint32_t now = 0xFFF00000u;  // the stream crosses the wrap
    long doubleTaps = 0, clicks = 0, fires = 0, losses = 0;
    // The watchdog's tick: a hook that now and then stops counting.
    HookWatch watch;
    HookFacts hook;
    hook.enabled = hook.installed = true;

    counting = true;
    for (int i = 0; i < 400000; ++i) {
        now += random(120);
        if (i % 50000 == 0) {
            tapSettings.trigger = static_cast<config::TriggerKey>((i / 50000) % 4);
            mouseSettings.mode = static_cast<config::MouseMode>((i / 50000) % 3);
        }
        KeyEvent key;
        key.vk = keys[random(sizeof(keys) / sizeof(keys[0]))];
        key.transition = random(2) ? KeyTransition::kDown : KeyTransition::kUp;
        key.injected = random(16) == 0;
        key.paletteOwnsForeground = random(2);
        keyboard.keys.DropReleased([&](std::uint32_t) { return random(8) == 0; });
        const KeyAction action = StepKey(keyboard, key, tapSettings, now);
        if (action == KeyAction::kDoubleTap) {
            ++doubleTaps;
            tapSettings.lastToggleTick = now;
        }
        (void)KeyActionLogLine(action);

        MouseHookEvent event;
        event.kind = static_cast<MouseEventKind>(random(5));
        event.button = 1 + random(2);
        event.selectedButtonUp = random(2);
        const MouseAction mouseAction = StepMouseHook(mouse, event, mouseSettings, now);
        if (mouseAction == MouseAction::kStaleReset) mouse = MouseGestureState{};
        if (mouseAction == MouseAction::kDoubleClick) ++clicks;
        const std::uint16_t flags = static_cast<std::uint16_t>(0x40u << (random(4)));
        if (StepRawButtons(mouse, flags, mouseSettings, now).fired) ++fires;
        if (StepLongPressPoll(mouse, mouseSettings, now, random(2)).fired) ++fires;

        ++hook.counts.raw;
        if ((i / 1000) % 4 != 0) ++hook.counts.hook;
        if (i % 8 == 0 && CheckHook(watch, hook, now).lost) ++losses;
    }
    counting = false;

    EXPECT_EQ(allocations, 0);
    EXPECT_GT(doubleTaps, 100) << "the stream must reach the double-tap path";
    EXPECT_GT(clicks, 100);
    EXPECT_GT(fires, 100);
    EXPECT_GT(losses, 10) << "the stream must reach a loss";
}

}  // namespace
}  // namespace lumetra::triggers
