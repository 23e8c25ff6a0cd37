// Cost of one keyboard event through the double-tap decision, as the hook runs
// it for every key on the desktop: resync of held keys, then one step.
#include <benchmark/benchmark.h>

#include "key_events.h"
#include "triggers/double_tap.h"

namespace {

using namespace lumetra;

void BM_KeyEvent(benchmark::State& state) {
    const auto stream = bench::TypingStream(1 << 16);
    triggers::KeyboardTracking tracking;
    triggers::TapSettings settings;
    std::size_t i = 0;
    for (auto _ : state) {
        const bench::TimedKey& k = stream[i];
        i = (i + 1) & (stream.size() - 1);
        // The system still reports held keys down; released ones were seen going up.
        tracking.keys.DropReleased([](std::uint32_t) { return false; });
        const triggers::KeyAction action = triggers::StepKey(tracking, k.event, settings, k.at);
        if (action == triggers::KeyAction::kDoubleTap) settings.lastToggleTick = k.at;
        benchmark::DoNotOptimize(action);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_KeyEvent);

}  // namespace
