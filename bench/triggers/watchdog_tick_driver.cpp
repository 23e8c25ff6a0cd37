// Runs N watchdog ticks, for instruction counts under callgrind: run with N
// and with 0 and divide the difference by N.
#include <cstdio>
#include <cstdlib>

#include "hook_ticks.h"

int main(int argc, char** argv) {
    const unsigned long n = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    lumetra::bench::WatchdogTicks ticks;
    for (unsigned long i = 0; i < n; ++i) ticks.Tick();
    std::printf("%lu ticks, %u losses\n", n, ticks.losses);
    return ticks.losses == 0 ? 0 : 1;
}
