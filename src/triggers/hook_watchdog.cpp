#include "triggers/hook_watchdog.h"

namespace lumetra::triggers {

void RestartHookWatch(HookWatch& watch, const HookCounts& counts, std::uint32_t now) {
    watch.armed = true;
    watch.base = counts;
    watch.since = now;
}

HookLoss CheckHook(HookWatch& watch, const HookFacts& facts, std::uint32_t now) {
    HookLoss loss;
    if (!facts.enabled || !facts.installed) {
        watch.armed = false;
        watch.lossesInARow = 0;
        return loss;
    }
    if (watch.armed && facts.counts.hook != watch.base.hook) watch.lossesInARow = 0;
    // The first check after the hook came into being only starts the window.
    if (!watch.armed || facts.counts.hook != watch.base.hook) {
        RestartHookWatch(watch, facts.counts, now);
        return loss;
    }
    // A tap or click half made is never disturbed. One a lost hook left behind
    // holds the decision back only until it is stale.
    if (facts.pendingGestureTick != 0 && now - facts.pendingGestureTick < kGestureInProgressMs)
        return loss;
    const std::uint32_t raw = facts.counts.raw - watch.base.raw;
    const std::uint32_t silent = now - watch.since;
    const std::uint32_t needed = kHookSilenceMs << watch.lossesInARow;
    if (silent < needed || raw < kHookLossMinRawEvents) return loss;
    watch.armed = false;
    if (watch.lossesInARow < kHookLossMaxBackoffSteps) ++watch.lossesInARow;
    loss.lost = true;
    loss.rawEvents = raw;
    loss.silentMs = silent;
    return loss;
}

}  // namespace lumetra::triggers
