#pragma once
// The refresh machine's state and the decisions it takes: which change
// notifications refresh the view, how long a burst is debounced, how many
// filter sweeps a reveal waits for and when a covered view may be revealed.
// Ticks are 32-bit milliseconds; elapsed times are unsigned differences.
#include <cstdint>

namespace lumetra::hostedview {

struct RefreshState {
    unsigned long cycle = 0;           // numbers each covered refresh for the log
    bool settling = false;             // between the shell's refresh and the settle step
    bool overlayOnly = false;          // the view window stays shown under the cover
    bool refreshPending = false;       // a debounced refresh is scheduled
    std::uint32_t burstStartTick = 0;  // first accepted notification; 0 = none
    std::uint32_t lastRefreshTick = 0;
    std::uint32_t lastStructuralTick = 0;
    bool pendingWhileHidden = false;
    int pendingViewTarget = 0;  // the view size (1-4) the refresh due at show is for
    int applyViewAttempts = 0;
    int restoreRetries = 0;
    bool filterChanged = false;
    bool revealDeferred = false;
    std::uint32_t revealStartTick = 0;
    std::uint32_t revealGraceDeadline = 0;  // 0 = not set
    bool forbiddenSeen = false;
    int remainingSweeps = 0;
    std::uint32_t lastScrubTick = 0;
    bool scrollBarsRevealed = false;  // for the cover now up; ends IsRefreshBusy
    bool coverReleased = false;       // the cover was sent away since the last covered refresh
};

// Change notification events (the shell's SHCNE_* bits).
inline constexpr std::uint32_t kWatchedEvents = 0x802399F;
inline constexpr std::uint32_t kLightweightEvents = 0x3800;  // attributes, update dir/item
inline constexpr std::uint32_t kStructuralEvents = 0x2001F;
inline constexpr std::uint32_t kRenameItemEvent = 0x1;
inline constexpr std::uint32_t kRenameFolderEvent = 0x20000;

inline constexpr std::uint32_t kDebounceMs = 200;
inline constexpr std::uint32_t kBurstLimitMs = 750;
inline constexpr std::uint32_t kLightweightAfterRefreshMs = 700;
inline constexpr std::uint32_t kLightweightAfterStructuralMs = 2000;
inline constexpr std::uint32_t kRevealMaxWaitMs = 3500;
inline constexpr std::uint32_t kRevealMaxWaitDraggingMs = 700;
inline constexpr std::uint32_t kRevealGraceMs = 250;
inline constexpr std::uint32_t kRevealWatchdogMs = 3750;
inline constexpr std::uint32_t kScrubIntervalMs = 450;
inline constexpr std::uint32_t kCoverBusyMs = 750;

struct ShellChangeVerdict {
    bool accept = false;
    bool lightweight = false;
    bool structural = false;
    bool suppressed = false;
    bool followupSuppressed = false;
};

// Whether a notification counts. `firstOnDesktop` / `secondOnDesktop`: its id
// lists name a direct child of the Desktop. Notes an accepted structural
// change in the state.
ShellChangeVerdict ClassifyShellChange(RefreshState& state, std::uint32_t event,
                                       bool firstOnDesktop, bool secondOnDesktop,
                                       std::uint32_t now);

// How long the debounce waits after an accepted notification at `now`:
// 200 ms, cut short so that a burst refreshes 750 ms after its first
// notification; 0 once that limit has passed (refresh now).
std::uint32_t DebounceDelay(std::uint32_t burstStartTick, std::uint32_t now);

// Starts a burst at `now` unless one runs.
void NoteBurst(RefreshState& state, std::uint32_t now);

// What the palette is doing, as the refresh machine must respect it.
struct HostSnapshot {
    bool visible = false;
    bool dragging = false;
    bool editing = false;  // a label edit is open: nothing may disturb it
};

// A refresh cannot run now: one is settling, a reveal waits, or a label edit is open.
bool RefreshUnsafe(const RefreshState& state, const HostSnapshot& host);

enum class ChangeAction {
    kNone,
    kMarkPendingWhileHidden,  // refresh at the next show
    kDebounce,                // cover (once per burst) and (re)arm the debounce
    kFilterInPlace,           // an attribute change: re-read the registry, filter
};
// What an accepted or rejected notification leads to. `viewReady`: the shell
// view and its window exist. `mouseDown`: a mouse button is held.
ChangeAction DecideChangeAction(const ShellChangeVerdict& verdict, const HostSnapshot& host,
                                bool viewReady, bool mouseDown);

enum class LightweightAction {
    kNone,
    kNoteForbidden,  // a reveal is pending: it sweeps the item away itself
    kRefresh,        // an icon was un-hidden: only a refresh brings it back
    kScrub,          // a now-hidden item is filtered out in place
};
// An accepted attribute change. `relaxed`: an icon was un-hidden in the
// same-as-Desktop mode; `forbidden`: the view holds an item it must not show.
LightweightAction DecideLightweight(const RefreshState& state, bool relaxed, bool forbidden);

struct DebouncePlan {
    bool coverFirst = false;  // the burst's first notification covers the view
    bool refreshNow = false;  // the burst limit passed and a refresh may run
    bool blocked = false;     // the burst limit passed but a refresh is unsafe
    std::uint32_t delay = 0;  // when not refreshing now: the debounce timer
};
// Notes an accepted notification of a visible palette and plans the debounce.
DebouncePlan PlanDebounce(RefreshState& state, const HostSnapshot& host, std::uint32_t now);

// A debounced refresh runs behind the cover like every other: when the cover
// went, or is fading, since the burst covered the view (a reveal of the
// refresh before it, a watchdog), it goes up again first.
bool NeedsCoverBeforeRefresh(const RefreshState& state, bool coverShown);

enum class DebounceTickAction {
    kMarkPendingWhileHidden,
    kWaitForDrag,  // re-arm 200 ms
    kRefresh,
    kRetryUnsafe,  // re-arm 200 ms
};
// The debounce timer fired.
DebounceTickAction DecideDebounceTick(RefreshState& state, const HostSnapshot& host);

// The sweep count a reveal keeps running: 8 for a full-style reveal that saw
// a forbidden item, else `floor`.
int SweepFloor(const RefreshState& state, int floor);
// Raises the remaining sweeps to at least `floor`.
void RaiseSweeps(RefreshState& state, int floor);

// Starts a deferred reveal at `now`.
void BeginDeferredReveal(RefreshState& state, std::uint32_t now);
// Ends it (the view is shown).
void EndDeferredReveal(RefreshState& state);

// What the view looks like to a reveal.
struct ViewSnapshot {
    bool forbidden = false;  // holds an item the filter rejects
    int items = 0;           // items the view holds
    // The Desktop has no item the filter would show, so an empty view is done.
    bool desktopHasNothingToShow = false;
    bool smallIconsListMissingOrEmpty = false;  // small icons and no list view items yet
};
// Clean (nothing forbidden) and either populated or known to stay empty.
bool ViewReadyToReveal(const ViewSnapshot& view);

// The longest a deferred reveal waits for a clean, populated view.
std::uint32_t RevealMaxWait(bool dragging);
bool RevealMaxWaitPassed(const RefreshState& state, std::uint32_t now, bool dragging);

enum class RevealAction { kNotDeferred, kReveal, kWait, kWaitAndSweep };
struct RevealDecision {
    RevealAction action = RevealAction::kNotDeferred;
    int floor = 0;  // for kWaitAndSweep: the sweeps to keep running
};
// The reveal's decision before its maximum wait, or after it once the sweep of
// the maximum-wait path ran. Updates forbiddenSeen and the grace deadline.
RevealDecision DecideReveal(RefreshState& state, const ViewSnapshot& view, std::uint32_t now,
                            bool dragging);

// The deferred-reveal watchdog: a reveal pending for more than 3750 ms.
bool RevealWatchdogDue(const RefreshState& state, std::uint32_t now);
// At most one opportunistic scrub per 450 ms; notes the scrub when it may run.
bool TakeScrubSlot(RefreshState& state, std::uint32_t now);

// The list view keeps its scroll bar hidden while a refresh, a reveal or a
// fresh cover is on screen.
bool IsRefreshBusy(const RefreshState& state, bool coverRecentlyShown);

}  // namespace lumetra::hostedview
