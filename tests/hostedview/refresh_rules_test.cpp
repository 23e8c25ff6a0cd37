#include "hostedview/refresh_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace lumetra::hostedview {
namespace {

constexpr std::uint32_t kCreate = 0x2;
constexpr std::uint32_t kDelete = 0x4;
constexpr std::uint32_t kAttributes = 0x800;
constexpr std::uint32_t kUpdateItem = 0x2000;
constexpr std::uint32_t kRenameItem = 0x1;

const HostSnapshot kShown{true, false, false};
const HostSnapshot kDragging{true, true, false};
const HostSnapshot kHidden{false, false, false};
const HostSnapshot kEditing{true, false, true};

// The debounce as the palette runs it: notifications arrive at given ticks,
// the debounce timer fires when due, and a refresh settles at once.
struct DebounceRun {
    RefreshState state;
    std::optional<std::uint32_t> timerDue;
    std::vector<std::uint32_t> refreshes;
    int covers = 0;

    void Refreshed(std::uint32_t now) {
        refreshes.push_back(now);
        state.refreshPending = false;
        state.burstStartTick = 0;
        state.lastRefreshTick = now;
        timerDue.reset();
    }
    void Notify(std::uint32_t now, const HostSnapshot& host = kShown) {
        const ShellChangeVerdict verdict = ClassifyShellChange(state, kCreate, true, false, now);
        ASSERT_EQ(DecideChangeAction(verdict, host, true, false), ChangeAction::kDebounce);
        const DebouncePlan plan = PlanDebounce(state, host, now);
        covers += plan.coverFirst;
        if (plan.refreshNow) return Refreshed(now);
        timerDue = now + plan.delay;
    }
    // Runs the timer up to `until`; `host` says what the palette does meanwhile.
    void Run(std::uint32_t until, const HostSnapshot& host = kShown) {
        while (timerDue && *timerDue <= until) {
            const std::uint32_t now = *timerDue;
            switch (DecideDebounceTick(state, host)) {
                case DebounceTickAction::kRefresh: Refreshed(now); break;
                case DebounceTickAction::kMarkPendingWhileHidden: timerDue.reset(); break;
                case DebounceTickAction::kWaitForDrag:
                case DebounceTickAction::kRetryUnsafe: timerDue = now + kDebounceMs; break;
            }
        }
    }
};

TEST(RefreshDebounce, BurstsRefreshOnceAt750MsAndSingleChangesAfter200Ms) {
    DebounceRun burst;
    for (std::uint32_t t = 1000; t <= 2000; t += 100) {
        burst.Run(t);
        burst.Notify(t);
    }
    burst.Run(5000);
    // Every 100 ms: the first refresh 750 ms after the first change, not 200 ms
    // after the last; the next burst starts over.
    ASSERT_GE(burst.refreshes.size(), 1u);
    EXPECT_EQ(burst.refreshes[0], 1750u);
    EXPECT_EQ(burst.refreshes.size(), 2u);
    EXPECT_EQ(burst.covers, 2) << "one cover per burst";

    DebounceRun single;
    single.Notify(1000);
    single.Run(5000);
    EXPECT_EQ(single.refreshes, std::vector<std::uint32_t>{1200});

    EXPECT_EQ(DebounceDelay(1000, 1500), 200u);
    EXPECT_EQ(DebounceDelay(1000, 1600), 150u);
    EXPECT_EQ(DebounceDelay(1000, 1750), 0u);
    EXPECT_EQ(DebounceDelay(0xFFFFFF00u, 0x1EEu), 0u) << "the burst spans the tick wrap";
    EXPECT_EQ(DebounceDelay(0xFFFFFF00u, 0x0u), 200u);
}

TEST(RefreshDebounce, DragHiddenPaletteAndLabelEditParkTheRefresh) {
    // A drag: notifications only mark the refresh; it runs on the first tick after.
    DebounceRun drag;
    drag.Notify(1000, kDragging);
    drag.Notify(1100, kDragging);
    EXPECT_EQ(drag.covers, 0) << "no cover while dragging";
    drag.Run(3000, kDragging);
    EXPECT_TRUE(drag.refreshes.empty());
    EXPECT_TRUE(drag.state.refreshPending);
    drag.Run(3200, kShown);
    EXPECT_EQ(drag.refreshes, std::vector<std::uint32_t>{3100});

    // Hidden: nothing runs until the next show.
    RefreshState hidden;
    const ShellChangeVerdict verdict = ClassifyShellChange(hidden, kDelete, true, false, 500);
    EXPECT_EQ(DecideChangeAction(verdict, kHidden, true, false),
              ChangeAction::kMarkPendingWhileHidden);
    DebounceRun hiddenLater;
    hiddenLater.Notify(1000);
    hiddenLater.Run(1200, kHidden);
    EXPECT_TRUE(hiddenLater.refreshes.empty());
    EXPECT_TRUE(hiddenLater.state.pendingWhileHidden);
    EXPECT_EQ(hiddenLater.state.burstStartTick, 0u);

    // A rename in progress: notifications are dropped, the debounce retries.
    RefreshState editing;
    EXPECT_EQ(DecideChangeAction(ClassifyShellChange(editing, kCreate, true, false, 10), kEditing,
                                 true, false),
              ChangeAction::kNone);
    DebounceRun rename;
    rename.Notify(1000);
    rename.Run(3000, kEditing);
    EXPECT_TRUE(rename.refreshes.empty());
    rename.Run(3200, kShown);
    EXPECT_EQ(rename.refreshes.size(), 1u);
    // At the burst limit with a refresh still settling, the refresh waits too.
    RefreshState settling;
    settling.settling = true;
    settling.burstStartTick = 1000;
    settling.refreshPending = true;
    const DebouncePlan blocked = PlanDebounce(settling, kShown, 1800);
    EXPECT_TRUE(blocked.blocked);
    EXPECT_FALSE(blocked.refreshNow);
    EXPECT_EQ(blocked.delay, 200u);
}

TEST(RefreshDebounce, ARefreshDueAfterTheCoverWentIsCoveredAgain) {
    RefreshState state;
    EXPECT_FALSE(NeedsCoverBeforeRefresh(state, true)) << "the burst's own cover is up";
    EXPECT_TRUE(NeedsCoverBeforeRefresh(state, false)) << "a watchdog or a menu took it";
    // The refresh before it revealed the view: its cover is fading, still on screen.
    state.coverReleased = true;
    EXPECT_TRUE(NeedsCoverBeforeRefresh(state, true));
}

TEST(ShellChangeRules, OnlyDirectDesktopChildrenCount) {
    RefreshState state;
    EXPECT_FALSE(ClassifyShellChange(state, kCreate, false, false, 100).accept)
        << "a file inside a sub-folder";
    EXPECT_TRUE(ClassifyShellChange(state, kRenameItem, false, true, 100).accept)
        << "renamed onto the Desktop";
    EXPECT_FALSE(ClassifyShellChange(state, kCreate, false, true, 100).accept)
        << "only renames count through their second id list";
    EXPECT_FALSE(ClassifyShellChange(state, 0x40000, true, false, 100).accept)
        << "an event nobody watches";
    const ShellChangeVerdict verdict = ClassifyShellChange(state, kDelete, true, false, 300);
    EXPECT_TRUE(verdict.structural && verdict.accept && !verdict.lightweight);
    EXPECT_EQ(state.lastStructuralTick, 300u);
}

TEST(ShellChangeRules, AttributeEchoesAfterRefreshesAndStructuralChangesAreIgnored) {
    RefreshState state;
    state.lastRefreshTick = 10000;
    ShellChangeVerdict echo = ClassifyShellChange(state, kAttributes, true, false, 10500);
    EXPECT_TRUE(echo.lightweight && echo.suppressed && !echo.accept);
    EXPECT_EQ(DecideChangeAction(echo, kShown, true, false), ChangeAction::kNone);

    state.lastStructuralTick = 9500;
    ShellChangeVerdict followup = ClassifyShellChange(state, kUpdateItem, true, false, 10800);
    EXPECT_TRUE(followup.followupSuppressed && !followup.suppressed && !followup.accept);

    ShellChangeVerdict later = ClassifyShellChange(state, kAttributes, true, false, 11600);
    EXPECT_TRUE(later.accept && later.lightweight);
    EXPECT_EQ(DecideChangeAction(later, kShown, true, false), ChangeAction::kFilterInPlace);
    EXPECT_EQ(DecideChangeAction(later, kShown, true, true), ChangeAction::kNone)
        << "not while a mouse button is held";
    EXPECT_EQ(DecideChangeAction(later, kHidden, true, false), ChangeAction::kNone);
    EXPECT_EQ(state.lastStructuralTick, 9500u) << "attribute changes are not structural";

    RefreshState fresh;  // nothing refreshed yet: nothing to suppress
    EXPECT_TRUE(ClassifyShellChange(fresh, kAttributes, true, false, 50).accept);
}

TEST(ShellChangeRules, AttributeChangesRefreshForUnhiddenIconsAndScrubHiddenOnes) {
    struct Case {
        const char* name;
        bool revealDeferred, settling, relaxed, forbidden;
        LightweightAction action;
    } cases[] = {
        {"nothing changed for the palette", false, false, false, false, LightweightAction::kNone},
        {"an icon un-hidden", false, false, true, false, LightweightAction::kRefresh},
        {"an icon hidden", false, false, false, true, LightweightAction::kScrub},
        {"both: the refresh brings all back", false, false, true, true,
         LightweightAction::kRefresh},
        {"un-hidden while settling: that refresh shows it", false, true, true, false,
         LightweightAction::kNone},
        {"un-hidden and hidden while settling: the hidden one goes now", false, true, true, true,
         LightweightAction::kScrub},
        {"a pending reveal sweeps by itself", true, false, true, true,
         LightweightAction::kNoteForbidden},
        {"a pending reveal, nothing forbidden", true, false, true, false, LightweightAction::kNone},
    };
    for (const Case& c : cases) {
        RefreshState state;
        state.revealDeferred = c.revealDeferred;
        state.settling = c.settling;
        EXPECT_EQ(DecideLightweight(state, c.relaxed, c.forbidden), c.action) << c.name;
    }
}

ViewSnapshot Clean(int items) { return {false, items, false, false}; }
ViewSnapshot Forbidden() { return {true, 3, false, false}; }

TEST(RevealRules, ACleanViewIsRevealedAtOnceUnlessAForbiddenItemWasSeen) {
    RefreshState state;
    state.overlayOnly = true;
    EXPECT_EQ(DecideReveal(state, Clean(4), 100, false).action, RevealAction::kNotDeferred);

    BeginDeferredReveal(state, 1000);
    EXPECT_EQ(DecideReveal(state, Clean(4), 1100, false).action, RevealAction::kReveal);

    // The shell put a forbidden item back after the reveal started: wait for a
    // clean sweep, then 250 ms of grace.
    BeginDeferredReveal(state, 1000);
    RevealDecision d = DecideReveal(state, Forbidden(), 1100, false);
    EXPECT_EQ(d.action, RevealAction::kWaitAndSweep);
    EXPECT_EQ(d.floor, 2);
    EXPECT_TRUE(state.forbiddenSeen);
    RaiseSweeps(state, d.floor);
    EXPECT_EQ(DecideReveal(state, Clean(4), 1220, false).action, RevealAction::kWait)
        << "sweeps still to run";
    state.remainingSweeps = 0;
    d = DecideReveal(state, Clean(4), 1340, false);
    EXPECT_EQ(d.action, RevealAction::kWaitAndSweep);
    EXPECT_EQ(d.floor, 1);
    EXPECT_EQ(state.revealGraceDeadline, 1590u);
    EXPECT_NE(DecideReveal(state, Clean(4), 1589, false).action, RevealAction::kReveal);
    EXPECT_EQ(DecideReveal(state, Clean(4), 1590, false).action, RevealAction::kReveal);

    // A forbidden item again resets the grace.
    BeginDeferredReveal(state, 5000);
    state.forbiddenSeen = true;
    DecideReveal(state, Clean(4), 5100, false);
    EXPECT_NE(state.revealGraceDeadline, 0u);
    DecideReveal(state, Forbidden(), 5200, false);
    EXPECT_EQ(state.revealGraceDeadline, 0u);

    // A grace deadline that computes to 0 is kept as "set".
    BeginDeferredReveal(state, 0xFFFFFF00u);
    state.forbiddenSeen = true;
    DecideReveal(state, Clean(4), 0xFFFFFF06u, false);
    EXPECT_EQ(state.revealGraceDeadline, 0xFFFFFFFFu);
}

TEST(RevealRules, MaximumWaitAndSweepFloors) {
    RefreshState state;
    BeginDeferredReveal(state, 1000);
    EXPECT_FALSE(RevealMaxWaitPassed(state, 4499, false));
    EXPECT_TRUE(RevealMaxWaitPassed(state, 4500, false));
    EXPECT_TRUE(RevealMaxWaitPassed(state, 1700, true)) << "700 ms while dragging";
    // Past the wait, a clean view goes up without grace; a forbidden one sweeps on.
    state.forbiddenSeen = true;
    EXPECT_EQ(DecideReveal(state, Clean(4), 4600, false).action, RevealAction::kReveal);
    state.overlayOnly = false;
    const RevealDecision d = DecideReveal(state, Forbidden(), 4600, false);
    EXPECT_EQ(d.action, RevealAction::kWaitAndSweep);
    EXPECT_EQ(d.floor, 8) << "a full-style reveal that saw a forbidden item sweeps 8 times";
    state.overlayOnly = true;
    EXPECT_EQ(SweepFloor(state, 2), 2);
    RaiseSweeps(state, 5);
    RaiseSweeps(state, 3);
    EXPECT_EQ(state.remainingSweeps, 5);

    // Small icons before the list view has items: not yet, unless dragging.
    RefreshState small;
    BeginDeferredReveal(small, 1000);
    const ViewSnapshot unlaid{false, 4, false, true};
    EXPECT_EQ(DecideReveal(small, unlaid, 1100, false).action, RevealAction::kWait);
    EXPECT_EQ(DecideReveal(small, unlaid, 1100, true).action, RevealAction::kReveal);

    EXPECT_FALSE(RevealWatchdogDue(state, 4750));
    EXPECT_TRUE(RevealWatchdogDue(state, 4751));
}

TEST(RevealRules, AnEmptyDesktopIsRevealedInsteadOfWaitingForever) {
    RefreshState state;
    BeginDeferredReveal(state, 1000);
    // Empty while the Desktop still has items to show: the shell is still listing.
    EXPECT_EQ(DecideReveal(state, Clean(0), 1100, false).action, RevealAction::kWaitAndSweep);
    // The Desktop has nothing the filter would show: done at once.
    const ViewSnapshot nothing{false, 0, true, true};
    EXPECT_EQ(DecideReveal(state, nothing, 1100, false).action, RevealAction::kReveal);
    // At the latest when the maximum wait has passed, also while still listing.
    EXPECT_EQ(DecideReveal(state, Clean(0), 4500, false).action, RevealAction::kReveal);
    EXPECT_TRUE(ViewReadyToReveal(nothing));
    EXPECT_FALSE(ViewReadyToReveal(Clean(0)));
    EXPECT_FALSE(ViewReadyToReveal({true, 0, true, false}));
}

TEST(RefreshBusy, ScrollBarStaysHiddenUntilTheCoverRevealedIt) {
    RefreshState state;
    EXPECT_FALSE(IsRefreshBusy(state, false));
    EXPECT_TRUE(IsRefreshBusy(state, true));
    state.settling = true;
    EXPECT_TRUE(IsRefreshBusy(state, false));
    state.settling = false;
    state.revealDeferred = true;
    EXPECT_TRUE(IsRefreshBusy(state, false));
    state.scrollBarsRevealed = true;
    EXPECT_FALSE(IsRefreshBusy(state, true));
}

TEST(RefreshBusy, ScrubsRunAtMostOncePer450Ms) {
    RefreshState state;
    EXPECT_TRUE(TakeScrubSlot(state, 1000));
    EXPECT_FALSE(TakeScrubSlot(state, 1449));
    EXPECT_TRUE(TakeScrubSlot(state, 1450));
    EXPECT_EQ(state.lastScrubTick, 1450u);
}

}  // namespace
}  // namespace lumetra::hostedview
