#include "hostedview/refresh_rules.h"

#include <algorithm>

namespace lumetra::hostedview {

ShellChangeVerdict ClassifyShellChange(RefreshState& state, std::uint32_t event,
                                       bool firstOnDesktop, bool secondOnDesktop,
                                       std::uint32_t now) {
    ShellChangeVerdict verdict;
    verdict.lightweight = (event & kLightweightEvents) != 0 && (event & ~kLightweightEvents) == 0;
    verdict.structural = (event & kStructuralEvents) != 0;
    const bool rename = (event & (kRenameItemEvent | kRenameFolderEvent)) != 0;
    // A rename onto the Desktop counts through its new name.
    if (!((event & kWatchedEvents) != 0 && firstOnDesktop) && !(rename && secondOnDesktop))
        return verdict;
    verdict.accept = true;
    if (verdict.lightweight && state.lastRefreshTick != 0) {
        // A refresh and a structural change are followed by attribute echoes.
        verdict.suppressed = now - state.lastRefreshTick < kLightweightAfterRefreshMs;
        if (verdict.suppressed) {
            verdict.accept = false;
        } else if (state.lastStructuralTick != 0 &&
                   now - state.lastStructuralTick < kLightweightAfterStructuralMs) {
            verdict.accept = false;
            verdict.followupSuppressed = true;
        }
    } else if (verdict.structural) {
        state.lastStructuralTick = now;
    }
    return verdict;
}

std::uint32_t DebounceDelay(std::uint32_t burstStartTick, std::uint32_t now) {
    const std::uint32_t elapsed = now - burstStartTick;
    if (elapsed >= kBurstLimitMs) return 0;
    return elapsed + kDebounceMs <= kBurstLimitMs ? kDebounceMs : kBurstLimitMs - elapsed;
}

void NoteBurst(RefreshState& state, std::uint32_t now) {
    if (state.burstStartTick == 0) state.burstStartTick = now;
}

bool RefreshUnsafe(const RefreshState& state, const HostSnapshot& host) {
    return state.settling || state.revealDeferred || host.editing;
}

ChangeAction DecideChangeAction(const ShellChangeVerdict& verdict, const HostSnapshot& host,
                                bool viewReady, bool mouseDown) {
    if (host.visible && host.editing) return ChangeAction::kNone;
    if (!verdict.accept) return ChangeAction::kNone;
    if (!verdict.lightweight) {
        if (!host.visible) return ChangeAction::kMarkPendingWhileHidden;
        return viewReady ? ChangeAction::kDebounce : ChangeAction::kNone;
    }
    if (mouseDown || host.editing || !host.visible) return ChangeAction::kNone;
    return ChangeAction::kFilterInPlace;
}

LightweightAction DecideLightweight(const RefreshState& state, bool relaxed, bool forbidden) {
    if (!relaxed && !forbidden) return LightweightAction::kNone;
    if (state.revealDeferred)
        return forbidden ? LightweightAction::kNoteForbidden : LightweightAction::kNone;
    if (relaxed && !state.settling) return LightweightAction::kRefresh;
    return forbidden ? LightweightAction::kScrub : LightweightAction::kNone;
}

DebouncePlan PlanDebounce(RefreshState& state, const HostSnapshot& host, std::uint32_t now) {
    DebouncePlan plan;
    plan.delay = kDebounceMs;
    if (host.dragging) {
        // Parked: the debounce keeps ticking until the drag ends.
        state.refreshPending = true;
        NoteBurst(state, now);
        return plan;
    }
    plan.coverFirst = !state.refreshPending;
    state.refreshPending = true;
    NoteBurst(state, now);
    plan.delay = DebounceDelay(state.burstStartTick, now);
    if (plan.delay != 0) return plan;
    if (!RefreshUnsafe(state, host)) {
        plan.refreshNow = true;
        return plan;
    }
    plan.blocked = true;
    plan.delay = kDebounceMs;
    return plan;
}

bool NeedsCoverBeforeRefresh(const RefreshState& state, bool coverShown) {
    return state.coverReleased || !coverShown;
}

DebounceTickAction DecideDebounceTick(RefreshState& state, const HostSnapshot& host) {
    if (!host.visible) {
        state.pendingWhileHidden = true;
        state.burstStartTick = 0;
        return DebounceTickAction::kMarkPendingWhileHidden;
    }
    if (host.dragging) return DebounceTickAction::kWaitForDrag;
    return RefreshUnsafe(state, host) ? DebounceTickAction::kRetryUnsafe
                                      : DebounceTickAction::kRefresh;
}

int SweepFloor(const RefreshState& state, int floor) {
    return state.revealDeferred && state.forbiddenSeen && !state.overlayOnly ? 8 : floor;
}

void RaiseSweeps(RefreshState& state, int floor) {
    state.remainingSweeps = std::max(state.remainingSweeps, floor);
}

void BeginDeferredReveal(RefreshState& state, std::uint32_t now) {
    state.revealDeferred = true;
    state.revealStartTick = now;
    state.revealGraceDeadline = 0;
    state.forbiddenSeen = false;
}

void EndDeferredReveal(RefreshState& state) {
    state.revealDeferred = false;
    state.revealStartTick = 0;
    state.revealGraceDeadline = 0;
    state.forbiddenSeen = false;
}

bool ViewReadyToReveal(const ViewSnapshot& view) {
    return !view.forbidden && (view.items > 0 || view.desktopHasNothingToShow);
}

std::uint32_t RevealMaxWait(bool dragging) {
    return dragging ? kRevealMaxWaitDraggingMs : kRevealMaxWaitMs;
}

bool RevealMaxWaitPassed(const RefreshState& state, std::uint32_t now, bool dragging) {
    return state.revealStartTick != 0 && now - state.revealStartTick >= RevealMaxWait(dragging);
}

RevealDecision DecideReveal(RefreshState& state, const ViewSnapshot& view, std::uint32_t now,
                            bool dragging) {
    if (!state.revealDeferred) return {RevealAction::kNotDeferred, 0};
    if (RevealMaxWaitPassed(state, now, dragging)) {
        // The wait is over: a clean view goes up even when it stayed empty.
        if (!view.forbidden) return {RevealAction::kReveal, 0};
        return {RevealAction::kWaitAndSweep, SweepFloor(state, 2)};
    }
    state.forbiddenSeen = state.forbiddenSeen || view.forbidden;
    if (!dragging && view.smallIconsListMissingOrEmpty && !view.desktopHasNothingToShow)
        return {RevealAction::kWait, 0};
    if (view.forbidden) {
        state.revealGraceDeadline = 0;
        if (state.remainingSweeps > 0) return {RevealAction::kWait, 0};
        return {RevealAction::kWaitAndSweep, SweepFloor(state, 2)};
    }
    if (state.remainingSweeps > 0) return {RevealAction::kWait, 0};
    if (ViewReadyToReveal(view)) {
        if (!state.forbiddenSeen) return {RevealAction::kReveal, 0};
        // The shell put a forbidden item back once: give it a moment to do it again.
        if (state.revealGraceDeadline == 0) {
            const std::uint32_t deadline = now + kRevealGraceMs;
            state.revealGraceDeadline = deadline == 0 ? 0xFFFFFFFFu : deadline;
        }
        if (static_cast<std::int32_t>(now - state.revealGraceDeadline) >= 0)
            return {RevealAction::kReveal, 0};
    }
    return {RevealAction::kWaitAndSweep, SweepFloor(state, 1)};
}

bool RevealWatchdogDue(const RefreshState& state, std::uint32_t now) {
    return state.revealDeferred && state.revealStartTick != 0 &&
           now - state.revealStartTick > kRevealWatchdogMs;
}

bool TakeScrubSlot(RefreshState& state, std::uint32_t now) {
    if (state.lastScrubTick != 0 && now - state.lastScrubTick < kScrubIntervalMs) return false;
    state.lastScrubTick = now;
    return true;
}

bool IsRefreshBusy(const RefreshState& state, bool coverRecentlyShown) {
    if (state.scrollBarsRevealed) return false;
    return state.settling || state.revealDeferred || coverRecentlyShown;
}

}  // namespace lumetra::hostedview
