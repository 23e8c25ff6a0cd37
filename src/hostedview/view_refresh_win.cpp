// The refresh machine: every refresh of the hosted view runs behind the
// cover, settles over two timer ticks, and is revealed only once the filter's
// sweeps find the view clean.
#include "hostedview/view_refresh_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include "config/monitor_prefs.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "hostedview/desktop_item_filter_win.h"
#include "hostedview/folder_filter_win.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/view_mode_win.h"
#include "hostedview/view_subclass_win.h"
#include "log/debug_log.h"
#include "protocol/messages.h"

namespace lumetra::hostedview {
namespace {

using config::Cfg;

constexpr UINT kApplyViewMs = 100;
constexpr UINT kRevealSweepMs = 120;
constexpr UINT kRestoreAfterRefreshMs = 280;
constexpr UINT kRestoreAfterRevealMs = 100;
constexpr UINT kRestoreBlockedMs = 150;
constexpr UINT kViewReapplyMs = 320;
constexpr UINT kSmallIconSettleMs = 220;
constexpr int kRestoreRetryLimit = 7;

std::uint32_t Now() { return GetTickCount(); }
bool SameAsDesktop() { return Cfg().desktopItemsMode == config::DesktopItemsMode::SameAsDesktop; }
bool AllItems() { return Cfg().desktopItemsMode == config::DesktopItemsMode::AllItems; }
bool HostExists() { return View().host && IsWindow(View().host); }

void HideViewWindow() {
    if (HasViewWindow()) ShowWindow(View().viewWindow, SW_HIDE);
}

void InvalidateHost() {
    if (HostExists()) InvalidateRect(View().host, nullptr, TRUE);
}

int ListItemCount() {
    HWND list = FindHostedListView();
    return list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

bool FilterSweep() {
    const bool removed = PostFilterSweep();
    if (removed) Refresh().filterChanged = true;
    return removed;
}

// Sweeps while the sweep removes something and a forbidden item remains.
void SweepWhileForbidden(int limit) {
    for (int pass = 0; pass < limit; ++pass)
        if (!FilterSweep() || !HasForbiddenItem()) break;
}

// The registry relaxed the hidden set in same-as-desktop mode: only a full
// refresh of the shell view brings the un-hidden items back.
bool NeedsRefreshForRegistry(const RegistryChange& registry) {
    return registry.relaxed && SameAsDesktop();
}

void RefreshForRegistry() {
    RefreshExplorerBrowser(RefreshStyle::kOverlayOnly);
    ArmHostTimer(protocol::kRestoreViewModeTimerId, kRestoreAfterRefreshMs);
}

ViewSnapshot TakeSnapshot() {
    ViewSnapshot view;
    view.forbidden = HasForbiddenItem();
    view.items = ViewItemCount();
    if (view.items == 0 && !view.forbidden)
        view.desktopHasNothingToShow = DesktopHasNothingToShow();
    view.smallIconsListMissingOrEmpty = SmallIconsConfigured() && ListItemCount() == 0;
    return view;
}

void ArmSweepTimer(int floor) {
    RefreshState& state = Refresh();
    RaiseSweeps(state, SweepFloor(state, floor));
    ArmHostTimer(protocol::kRevealSweepTimerId, kRevealSweepMs);
}

void RevealNow() {
    Refresh().remainingSweeps = 0;
    RevealDeferredSweep();
    StopHostTimer(protocol::kRevealSweepTimerId);
}

void LogDebounceFired(std::uint32_t elapsed, bool pending) {
    if (elapsed >= kBurstLimitMs)
        log::DebugLogWrite(L"Shell change debounce max-wait -> ExecuteShellViewRefresh.");
    else if (pending)
        log::DebugLogWrite(
            L"Shell change debounce timer fired -> ExecuteShellViewRefresh (covered).");
    else
        log::DebugLogWrite(L"Shell change debounce timer fired -> ExecuteShellViewRefresh.");
}

// The debounced refresh of a burst whose cover may have gone meanwhile.
void ExecuteCoveredRefresh() {
    if (NeedsCoverBeforeRefresh(Refresh(), HostCoverShown()))
        PrepareShellViewCover(RefreshStyle::kOverlayOnly);
    ExecuteShellViewRefresh();
}

HostSnapshot Host() { return {HostVisible(), HostDragging(), ListViewEditing()}; }

// A refresh asked for during a drag waits for the debounce tick after it.
void DeferForDrag(const wchar_t* logLine) {
    RefreshState& state = Refresh();
    state.refreshPending = true;
    NoteBurst(state, Now());
    ArmHostTimer(protocol::kShellChangeDebounceTimerId, kDebounceMs);
    log::DebugLogWrite(logLine);
}

void ScheduleDebouncedRefresh() {
    const DebouncePlan plan = PlanDebounce(Refresh(), Host(), Now());
    if (plan.coverFirst) PrepareShellViewCover(RefreshStyle::kOverlayOnly);
    if (plan.refreshNow || plan.blocked) StopHostTimer(protocol::kShellChangeDebounceTimerId);
    if (plan.refreshNow) {
        log::DebugLogWrite(L"Shell change debounce max-wait (burst) -> ExecuteShellViewRefresh.");
        ExecuteCoveredRefresh();
        return;
    }
    if (plan.blocked)
        log::DebugLogWrite(L"Shell change debounce max-wait blocked: refresh unsafe.");
    ArmHostTimer(protocol::kShellChangeDebounceTimerId, plan.delay);
}

// An attribute change: un-hidden icons need a refresh, hidden ones a scrub.
void OnLightweightChange() {
    const RegistryChange registry = ReadDesktopIconRegistry();
    const bool relaxed = NeedsRefreshForRegistry(registry);
    const bool forbidden = HasForbiddenItem();
    if (!HasViewWindow()) return;
    switch (DecideLightweight(Refresh(), relaxed, forbidden)) {
        case LightweightAction::kNone: break;
        case LightweightAction::kNoteForbidden: Refresh().forbiddenSeen = true; break;
        case LightweightAction::kRefresh: RefreshForRegistry(); break;
        case LightweightAction::kScrub: ScrubUnderCover(3); break;
    }
}

bool AnyMouseButtonDown() {
    return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0 ||
           GetAsyncKeyState(VK_MBUTTON) < 0;
}

bool CursorOverVisibleList() {
    HWND list = FindHostedListView();
    POINT cursor{};
    RECT rect{};
    return list && IsWindowVisible(list) && GetCursorPos(&cursor) && GetWindowRect(list, &rect) &&
           PtInRect(&rect, cursor);
}

}  // namespace

RefreshState& Refresh() {
    static RefreshState state;
    return state;
}

LRESULT OnShellChange(WPARAM wParam, LPARAM lParam) {
    PIDLIST_ABSOLUTE* ids = nullptr;
    LONG event = 0;
    HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam),
                                            static_cast<DWORD>(lParam), &ids, &event);
    if (!lock) {
        log::DebugLogWrite(L"WMAPP_SHELLCHANGE: SHChangeNotification_Lock failed.");
        return 0;
    }
    const auto bits = static_cast<std::uint32_t>(event);
    const bool first = ids && ids[0] && IsDesktopChildPath(ids[0]);
    const bool rename = (bits & (kRenameItemEvent | kRenameFolderEvent)) != 0;
    const bool second = rename && ids && ids[1] && IsDesktopChildPath(ids[1]);
    RefreshState& state = Refresh();
    const ShellChangeVerdict verdict = ClassifyShellChange(state, bits, first, second, Now());
    log::DebugLogFormat(
        L"WMAPP_SHELLCHANGE lEvent=0x%lX accept=%d lightweight=%d suppressed=%d "
        L"followupSuppressed=%d settling=%d cycle=%lu",
        static_cast<unsigned long>(bits), verdict.accept, verdict.lightweight, verdict.suppressed,
        verdict.followupSuppressed, state.settling, state.cycle);
    SHChangeNotification_Unlock(lock);

    const bool viewReady = View().shellView && HasViewWindow();
    switch (DecideChangeAction(verdict, Host(), viewReady, AnyMouseButtonDown())) {
        case ChangeAction::kNone: break;
        case ChangeAction::kMarkPendingWhileHidden:
            state.pendingWhileHidden = true;
            StopHostTimer(protocol::kShellChangeDebounceTimerId);
            break;
        case ChangeAction::kDebounce: ScheduleDebouncedRefresh(); break;
        case ChangeAction::kFilterInPlace: OnLightweightChange(); break;
    }
    return 0;
}

void ShellChangeDebounceTick(HWND) {
    StopHostTimer(protocol::kShellChangeDebounceTimerId);
    RefreshState& state = Refresh();
    const std::uint32_t elapsed = state.burstStartTick ? Now() - state.burstStartTick : 0;
    switch (DecideDebounceTick(state, Host())) {
        case DebounceTickAction::kMarkPendingWhileHidden: break;
        case DebounceTickAction::kWaitForDrag:
            ArmHostTimer(protocol::kShellChangeDebounceTimerId, kDebounceMs);
            break;
        case DebounceTickAction::kRefresh:
            LogDebounceFired(elapsed, state.refreshPending);
            ExecuteCoveredRefresh();
            break;
        case DebounceTickAction::kRetryUnsafe:
            log::DebugLogWrite(elapsed >= kBurstLimitMs
                                   ? L"Shell change debounce max-wait blocked: refresh unsafe."
                                   : L"Shell change debounce timer deferred: refresh unsafe.");
            ArmHostTimer(protocol::kShellChangeDebounceTimerId, kDebounceMs);
            break;
    }
}

void RefreshExplorerBrowser(RefreshStyle style) {
    if (!View().shellView || !HasViewWindow()) return;
    if (HostDragging()) {
        DeferForDrag(L"RefreshExplorerBrowser deferred: palette drag in progress.");
        return;
    }
    RefreshState& state = Refresh();
    state.refreshPending = false;
    StopHostTimer(protocol::kShellChangeDebounceTimerId);
    state.burstStartTick = 0;
    if (!HostVisible()) {
        state.pendingWhileHidden = true;
        return;
    }
    PrepareShellViewCover(style);
    ExecuteShellViewRefresh();
}

void PrepareShellViewCover(RefreshStyle style) {
    if (ListViewEditing() || !View().shellView || !HasViewWindow()) return;
    RefreshState& state = Refresh();
    ++state.cycle;
    state.restoreRetries = 0;
    log::DebugLogFormat(L"[cycle=%lu] PrepareShellViewCoverBeforeRefresh begin style=%d",
                        state.cycle, style == RefreshStyle::kOverlayOnly ? 1 : 0);
    ReadDesktopIconRegistry();
    // A refresh that fell due while hidden is for the view size of the show.
    if (state.pendingViewTarget != 0) {
        config::SetCfgViewMode(state.pendingViewTarget, L"MonitorShowPending");
        state.pendingViewTarget = 0;
    }
    config::EnsureCfgView(L"PrepareShellViewCover");
    state.overlayOnly = style == RefreshStyle::kOverlayOnly;
    state.coverReleased = false;
    state.filterChanged = false;
    StopHostTimer(protocol::kRevealSweepTimerId);
    state.remainingSweeps = 0;
    EndDeferredReveal(state);
    View().listView = nullptr;
    const bool dragging = HostDragging();
    if (!state.overlayOnly && !dragging) HideViewWindow();
    SetViewRedraw(false);
    if (!dragging) HostShowCover();
}

void ExecuteShellViewRefresh() {
    HostedView& v = View();
    if (ListViewEditing() || !v.shellView || !HasViewWindow()) return;
    if (HostDragging()) {
        DeferForDrag(L"ExecuteShellViewRefresh deferred: palette drag in progress.");
        return;
    }
    RefreshState& state = Refresh();
    ClearInfoTipCache(v.infoTip);
    state.refreshPending = false;
    state.burstStartTick = 0;
    if (!HostVisible()) {
        state.pendingWhileHidden = true;
        return;
    }
    state.settling = true;
    AttachFolderFilter();
    state.lastRefreshTick = Now();
    log::DebugLogFormat(L"[cycle=%lu] ExecuteShellViewRefresh tick=%lu", state.cycle,
                        static_cast<unsigned long>(state.lastRefreshTick));
    v.shellView->Refresh();
    FilterSweep();
    if (AllItems()) RestoreMissingDesktopItems();
    state.applyViewAttempts = 0;
    ArmHostTimer(protocol::kApplyViewTimerId, kApplyViewMs);
}

void ApplyViewTick(HWND) {
    if (ListViewEditing()) return;
    if (HostDragging()) {
        ArmHostTimer(protocol::kApplyViewTimerId, kApplyViewMs);
        return;
    }
    RefreshState& state = Refresh();
    FollowHostedListView();
    HostApplyListViewTheme();
    FilterSweep();
    ++state.applyViewAttempts;
    log::DebugLogFormat(L"[cycle=%lu] kApplyViewTimerId attempt=%d", state.cycle,
                        state.applyViewAttempts);
    // Settling ends on the second tick, about 200 ms after the refresh.
    if (state.applyViewAttempts <= 1) return;

    StopHostTimer(protocol::kApplyViewTimerId);
    HostStopCoverFade();
    FilterSweep();
    state.settling = false;
    if (!ListViewEditing()) ApplyShellViewModeForced();
    if (AllItems()) RestoreMissingDesktopItems();
    FinalizeHostedDesktopItemsLayout();
    ArmHostTimer(protocol::kRestoreViewModeTimerId, kRestoreAfterRefreshMs);

    BeginDeferredReveal(state, Now());
    SetViewRedraw(false);
    if (state.overlayOnly) {
        FilterSweep();
        if (HasForbiddenItem()) state.forbiddenSeen = true;
        ArmRevealSweep();
        TryRevealDeferred();
    } else {
        HideViewWindow();
        ArmRevealSweep();
    }
    if (SmallIconsConfigured()) ArmHostTimer(protocol::kSmallIconSettleTimerId, kSmallIconSettleMs);
    log::DebugLogFormat(L"[cycle=%lu] settling finished overlayOnly=%d", state.cycle,
                        state.overlayOnly);
}

void ArmRevealSweep() { ArmSweepTimer(2); }

bool TryRevealDeferred() {
    RefreshState& state = Refresh();
    if (!state.revealDeferred) return false;
    const bool dragging = HostDragging();
    const std::uint32_t now = Now();
    if (RevealMaxWaitPassed(state, now, dragging)) {
        if (HasForbiddenItem()) FilterSweep();
        if (dragging) SweepWhileForbidden(3);
    }
    const bool maxWaitPassed = RevealMaxWaitPassed(state, now, dragging);
    const RevealDecision decision = DecideReveal(state, TakeSnapshot(), now, dragging);
    switch (decision.action) {
        case RevealAction::kNotDeferred:
        case RevealAction::kWait: return false;
        case RevealAction::kReveal:
            if (maxWaitPassed && !dragging)
                log::DebugLogWrite(L"Deferred overlay reveal: max-wait forcing show.");
            RevealNow();
            return true;
        case RevealAction::kWaitAndSweep:
            if (!HostExists()) return false;
            RaiseSweeps(state, decision.floor);
            ArmHostTimer(protocol::kRevealSweepTimerId, kRevealSweepMs);
            return false;
    }
    return false;
}

void RevealSweepTick(HWND) {
    if (ListViewEditing()) return;
    RefreshState& state = Refresh();
    if (HostDragging()) {
        if (SameAsDesktop() && HasForbiddenItem()) FilterSweep();
        TryRevealDeferred();
        ArmHostTimer(protocol::kRevealSweepTimerId, kRevealSweepMs);
        return;
    }
    if (state.remainingSweeps < 1) {
        StopHostTimer(protocol::kRevealSweepTimerId);
        return;
    }
    --state.remainingSweeps;
    if (SameAsDesktop()) {
        if (PostFilterSweep()) {
            state.filterChanged = true;
            state.forbiddenSeen = true;
            if (state.revealDeferred && !state.overlayOnly) RaiseSweeps(state, 8);
        }
    } else if (RestoreMissingDesktopItems()) {
        state.filterChanged = true;
        FinalizeHostedDesktopItemsLayout();
    }
    if (state.filterChanged) HostApplyListViewTheme();
    log::DebugLogFormat(L"[cycle=%lu] post-filter sweep remaining=%d", state.cycle,
                        state.remainingSweeps);
    if (TryRevealDeferred()) {
        if (state.remainingSweeps < 1) StopHostTimer(protocol::kRevealSweepTimerId);
        return;
    }
    if (state.remainingSweeps > 0 || state.revealDeferred) return;
    StopHostTimer(protocol::kRevealSweepTimerId);
    if (state.overlayOnly && HostCoverShown()) {
        FilterSweep();
        ShowViewWindow();
        HostHideCover();
        state.overlayOnly = false;
    }
}

void RevealDeferredSweep() {
    RefreshState& state = Refresh();
    SweepWhileForbidden(8);
    if (HasForbiddenItem()) {
        log::DebugLogWrite(L"RevealDeferredSweep: still forbidden after scrub, re-defer");
        state.revealDeferred = true;
        state.forbiddenSeen = true;
        state.revealStartTick = Now();
        ArmRevealSweep();
        return;
    }
    EndDeferredReveal(state);
    if (HasViewWindow() && View().shellView) {
        if (HostDragging()) {
            log::DebugLogFormat(L"EnsureShellAfterReset: drag chrome-only view=%d group=%d",
                                static_cast<int>(Cfg().viewMode), IsViewGrouped());
            ApplyListViewChrome();
        } else {
            if (IsViewModeCommitted())
                ApplyListViewChrome();
            else if (!ListViewEditing())
                ApplyShellViewModeForced();
            state.restoreRetries = 0;
            ArmHostTimer(protocol::kRestoreViewModeTimerId, kRestoreAfterRevealMs);
            if (SmallIconsConfigured())
                ArmHostTimer(protocol::kSmallIconSettleTimerId, kSmallIconSettleMs);
        }
        ShowViewWindow();
    }
    InvalidateHost();
    HostCrossfadeCover();
    RestoreHostedShellScrollBars();
    if (HostVisible()) HostFocusList();
}

void ShowViewWindow() {
    if (!HasViewWindow()) return;
    if (HWND list = FindHostedListView()) {
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        HostApplyListViewTheme();
    }
    HWND viewWindow = View().viewWindow;
    SendMessageW(viewWindow, WM_SETREDRAW, TRUE, 0);
    ShowWindow(viewWindow, SW_SHOWNOACTIVATE);
    RedrawWindow(viewWindow, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool ScrubUnderCover(int sweeps) {
    RefreshState& state = Refresh();
    if (!HostVisible() || !View().shellView || state.settling || HostMenuOpen() ||
        GetAsyncKeyState(VK_RBUTTON) < 0 || !SameAsDesktop() || !HasForbiddenItem())
        return false;
    if (state.revealDeferred) {
        state.forbiddenSeen = true;
        FilterSweep();
        if (sweeps > 0) {
            const int floor = state.forbiddenSeen && !state.overlayOnly && sweeps <= 7 ? 8 : sweeps;
            RaiseSweeps(state, floor);
            ArmHostTimer(protocol::kRevealSweepTimerId, kRevealSweepMs);
        }
        return true;
    }
    log::DebugLogWrite(L"ScrubUnderCover: overlay+filter");
    const bool coveredHere = !HostCoverShown();
    if (coveredHere) HostShowCover();
    // Under the cursor the list keeps drawing, so a hovered item is not lost.
    const bool overList = !HostDragging() && CursorOverVisibleList();
    if (!overList) SetViewRedraw(false);
    const bool removed = FilterSweep();
    if (!overList) {
        if (removed)
            ShowViewWindow();
        else
            SetViewRedraw(true);
    }
    if (coveredHere) HostHideCoverImmediate();
    if (removed && sweeps > 0) {
        RaiseSweeps(state, sweeps);
        ArmHostTimer(protocol::kRevealSweepTimerId, kRevealSweepMs);
    }
    return removed;
}

void PostRevealFilterCheck() {
    RefreshState& state = Refresh();
    if (!HostVisible() || !View().shellView || state.settling) return;
    const RegistryChange registry = ReadDesktopIconRegistry();
    const bool relaxed = NeedsRefreshForRegistry(registry);
    if (!relaxed && !HasForbiddenItem()) return;
    if (!TakeScrubSlot(state, Now())) return;
    if (relaxed)
        RefreshForRegistry();
    else
        ScrubUnderCover(2);
}

void OnShellStateChanged() {
    if (!View().shellView || Refresh().settling) return;
    const RegistryChange registry = ReadDesktopIconRegistry();
    if (NeedsRefreshForRegistry(registry))
        RefreshForRegistry();
    else if (HasForbiddenItem())
        ScrubUnderCover(2);
}

void DesktopItemsRecheck() {
    const RegistryChange registry = ReadDesktopIconRegistry();
    if (NeedsRefreshForRegistry(registry)) {
        RefreshForRegistry();
        return;
    }
    if (HasForbiddenItem()) {
        DeferRevealBehindCover();
        return;
    }
    ShowViewWindow();
    if (!Refresh().settling) HostHideCover();
}

void DeferRevealBehindCover() {
    StopHostTimer(protocol::kCoverMinTimeTimerId);
    StopHostTimer(protocol::kOverlayFadeTimerId);
    HostStopCoverFade();
    BeginDeferredReveal(Refresh(), Now());
    SetViewRedraw(false);
    HideViewWindow();
    HostShowCover();
    HostPositionCover();
    for (int pass = 0; pass < 2 && FilterSweep(); ++pass) {
    }
    ArmRevealSweep();
}

void RestoreViewModeTimer(HWND) {
    StopHostTimer(protocol::kRestoreViewModeTimerId);
    if (ListViewEditing() || HostDragging()) {
        ArmHostTimer(protocol::kRestoreViewModeTimerId, kRestoreBlockedMs);
        return;
    }
    RefreshState& state = Refresh();
    config::EnsureCfgView(L"RestoreViewModeTimer");
    ApplyShellViewModeIfNeeded();
    if (IsViewModeCommitted() || state.restoreRetries > kRestoreRetryLimit) {
        state.restoreRetries = 0;
        if (Cfg().uiLayoutPersisted) {
            ApplyShellViewGroupFromConfig();
            ApplyShellViewSortFromConfig();
            HostApplyListViewTheme();
            FinalizeHostedDesktopItemsLayout();
            ArmHostTimer(protocol::kViewReapplyTimerId, kViewReapplyMs);
        }
    } else {
        ++state.restoreRetries;
        ArmHostTimer(protocol::kRestoreViewModeTimerId,
                     static_cast<UINT>(state.restoreRetries * 120 + 80));
        log::DebugLogFormat(L"RestoreViewMode retry=%d cfg.view=%d grouped=%d",
                            state.restoreRetries, static_cast<int>(Cfg().viewMode),
                            IsViewGrouped());
    }
    if (SmallIconsConfigured()) ArmHostTimer(protocol::kSmallIconSettleTimerId, kSmallIconSettleMs);
}

void ViewReapplyTick(HWND) {
    StopHostTimer(protocol::kViewReapplyTimerId);
    if (ListViewEditing() || HostDragging()) {
        ArmHostTimer(protocol::kViewReapplyTimerId, kViewReapplyMs);
        return;
    }
    if (Cfg().uiLayoutPersisted) {
        ApplyShellViewGroupFromConfig();
        ApplyShellViewSortFromConfig();
        HostApplyListViewTheme();
    }
    ApplyShellViewModeIfNeeded();
    FinalizeHostedDesktopItemsLayout();
    RestoreHostedShellScrollBars();
    if (SmallIconsConfigured()) ArmHostTimer(protocol::kSmallIconSettleTimerId, kSmallIconSettleMs);
}

void SyncShellFinish(HWND palette) {
    if (!palette || !IsWindow(palette) || !View().shellView) return;
    ApplyViewTick(palette);
    ApplyViewTick(palette);
    StopHostTimer(protocol::kRestoreViewModeTimerId);
    StopHostTimer(protocol::kViewReapplyTimerId);
    StopHostTimer(protocol::kApplyViewTimerId);
    RefreshState& state = Refresh();
    state.restoreRetries = 0;
    state.settling = false;
    config::EnsureCfgView(L"SyncShellFinish");
    if (!ListViewEditing()) ApplyShellViewModeForced();
    if (Cfg().uiLayoutPersisted) {
        ApplyShellViewGroupFromConfig();
        ApplyShellViewSortFromConfig();
        HostApplyListViewTheme();
        if (!ListViewEditing()) ApplyShellViewModeForced();
    }
    FinalizeHostedDesktopItemsLayout();
    for (int pass = 0; pass < 3 && FilterSweep(); ++pass) {
    }
    if (HostVisible() && SameAsDesktop() && state.overlayOnly) {
        BeginDeferredReveal(state, Now());
        ArmRevealSweep();
        TryRevealDeferred();
        return;
    }
    if (!HasViewWindow()) return;
    SetViewRedraw(true);
    HostApplyListViewTheme();
    ShowViewWindow();
    state.remainingSweeps = 0;
    state.revealDeferred = false;
    HostHideCover();
}

void RefreshDesktopItems() {
    config::EnsureCfgView(L"desktopItemsRefresh");
    log::DebugLogFormat(L"RefreshDesktopItems: begin view=%d desktopItems=%d",
                        static_cast<int>(Cfg().viewMode), static_cast<int>(Cfg().desktopItemsMode));
    ReadDesktopIconRegistry();
    RefreshExplorerBrowser(HostVisible() ? RefreshStyle::kOverlayOnly : RefreshStyle::kFull);
    ArmHostTimer(protocol::kRestoreViewModeTimerId, kRestoreAfterRefreshMs);
}

void RefreshLikeMenu(HWND, bool save) {
    config::Settings& cfg = Cfg();
    config::EnsureCfgView(L"RefreshLikeMenu");
    // From the first F5 on, the settings own sort and grouping.
    if (!cfg.uiLayoutPersisted && View().shellView) {
        SyncShellViewSortToConfig();
        cfg.uiLayoutPersisted = true;
    }
    log::DebugLogFormat(L"RefreshLikeMenu: begin sort=%d view=%d grouped=%d persisted=%d",
                        cfg.sortMode, static_cast<int>(cfg.viewMode), IsViewGrouped(),
                        cfg.uiLayoutPersisted);
    ReadDesktopIconRegistry();
    RefreshExplorerBrowser(HostVisible() ? RefreshStyle::kOverlayOnly : RefreshStyle::kFull);
    ArmHostTimer(protocol::kRestoreViewModeTimerId, kRestoreAfterRefreshMs);
    if (save) config::SaveConfig();
    log::DebugLogFormat(L"RefreshLikeMenu(F5): end sort=%d asc=%d view=%d overlayOnly=%d",
                        cfg.sortMode, cfg.sortAscending, static_cast<int>(cfg.viewMode),
                        Refresh().overlayOnly);
}

bool RefreshRunning() { return Refresh().settling; }
bool PendingWhileHidden() { return Refresh().pendingWhileHidden; }
void SetPendingWhileHidden(bool pending) { Refresh().pendingWhileHidden = pending; }
void SetPendingViewTarget(int viewMode) { Refresh().pendingViewTarget = viewMode; }
bool IsRefreshBusy() { return hostedview::IsRefreshBusy(Refresh(), HostCoverRecentlyShown()); }
bool RevealPending() { return Refresh().revealDeferred; }

void NoteForbiddenItemSeen() {
    if (Refresh().revealDeferred) Refresh().forbiddenSeen = true;
}

void ForcePendingReveal() {
    if (Refresh().revealDeferred) TryRevealDeferred();
}

void ClearViewTransitions() {
    RefreshState& state = Refresh();
    state.refreshPending = false;
    state.burstStartTick = 0;
    state.settling = false;
    EndDeferredReveal(state);
    state.remainingSweeps = 0;
    state.applyViewAttempts = 0;
    state.filterChanged = false;
    state.lastScrubTick = 0;
}

void RevealWatchdogTick() {
    if (!RevealWatchdogDue(Refresh(), Now())) return;
    log::DebugLogWrite(L"Defer reveal watchdog: forcing show.");
    TryRevealDeferred();
}

void ScrubWatchdogTick() {
    RefreshState& state = Refresh();
    if (!HostVisible() || state.settling || state.revealDeferred || !SameAsDesktop() ||
        !HasForbiddenItem())
        return;
    if (TakeScrubSlot(state, Now())) ScrubUnderCover(0);
}

}  // namespace lumetra::hostedview
