// Runs N keyboard events through the double-tap decision, for instruction
// counts under callgrind: run with N and with 0 and divide the difference by N.
#include <cstdio>
#include <cstdlib>

#include "key_events.h"
#include "triggers/double_tap.h"

int main(int argc, char** argv) {
    using namespace lumetra;
    const std::size_t n = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const auto stream = bench::TypingStream(1 << 16);
    triggers::KeyboardTracking tracking;
    triggers::TapSettings settings;
    unsigned taps = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const bench::TimedKey& k = stream[i & (stream.size() - 1)];
        tracking.keys.DropReleased([](std::uint32_t) { return false; });
        if (triggers::StepKey(tracking, k.event, settings, k.at) ==
            triggers::KeyAction::kDoubleTap) {
            settings.lastToggleTick = k.at;
            ++taps;
        }
    }
    std::printf("%zu events, %u double taps\n", n, taps);
    return 0;
}
