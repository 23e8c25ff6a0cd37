// Cost of one watchdog tick (the keyboard and the mouse check) as the
// housekeeping timer runs it.
#include <benchmark/benchmark.h>

#include "hook_ticks.h"

namespace {

void BM_WatchdogTick(benchmark::State& state) {
    lumetra::bench::WatchdogTicks ticks;
    for (auto _ : state) {
        ticks.Tick();
        benchmark::DoNotOptimize(ticks.losses);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_WatchdogTick);

}  // namespace
