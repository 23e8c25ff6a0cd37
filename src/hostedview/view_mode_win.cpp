#include "hostedview/view_mode_win.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "config/monitor_prefs.h"
#include "config/monitor_values.h"
#include "config/monitor_win.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "hostedview/folder_filter_win.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/shell_ids_win.h"
#include "hostedview/view_mode_rules.h"
#include "hostedview/view_refresh_win.h"
#include "hostedview/view_sweep_win.h"
#include "log/debug_log.h"
#include "platform/com_ptr_win.h"
#include "platform/monitors_win.h"
#include "platform/system_library_win.h"
#include "protocol/messages.h"

namespace lumetra::hostedview {
namespace {

using config::Cfg;
using platform::ComPtr;

constexpr UINT kShellCommandSyncMs = 280;
constexpr int kMonitorSweeps = 8;
constexpr const wchar_t* kExplorerAdvancedKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

struct ViewModeState {
    bool frozen = false;                   // a regroup is hidden behind the cover
    bool shellCommandSyncPending = false;  // timer 24 armed
    UINT dpiOverride = 0;
};

ViewModeState& State() {
    static ViewModeState state;
    return state;
}

ComPtr<IFolderView2> HostedFolderView() {
    ComPtr<IFolderView2> view;
    if (View().shellView) View().shellView.As(kIidFolderView2, view);
    return view;
}

GUID ToGuid(const Guid& g) {
    GUID out{g.data1, g.data2, g.data3, {}};
    std::memcpy(out.Data4, g.data4.data(), sizeof(out.Data4));
    return out;
}

Guid FromGuid(const GUID& g) {
    Guid out{g.Data1, g.Data2, g.Data3, {}};
    std::memcpy(out.data4.data(), g.Data4, sizeof(g.Data4));
    return out;
}

PROPERTYKEY ToKey(const PropKey& key) { return {ToGuid(key.fmtid), key.pid}; }
PropKey FromKey(const PROPERTYKEY& key) { return {FromGuid(key.fmtid), key.pid}; }

struct ModeReadback {
    HRESULT hr = E_FAIL;
    FOLDERVIEWMODE mode = FVM_AUTO;
    int px = 0;
};

ModeReadback ReadMode(IFolderView2* view) {
    ModeReadback back;
    back.hr = view->GetViewModeAndIconSize(&back.mode, &back.px);
    if (FAILED(back.hr)) back = {back.hr, FVM_AUTO, 0};
    return back;
}

// SetCurrentViewMode, then the mode with its icon size; a mode the shell
// refuses at that size is asked for as small icons when `fallBack`.
HRESULT SetModeAndSize(IFolderView2* view, unsigned mode, int px, bool fallBack) {
    const auto fvm = static_cast<FOLDERVIEWMODE>(mode);
    view->SetCurrentViewMode(fvm);
    HRESULT hr = view->SetViewModeAndIconSize(fvm, px);
    if (FAILED(hr) && fallBack && mode != kFvmSmallIcon)
        hr = view->SetViewModeAndIconSize(FVM_SMALLICON, px);
    return hr;
}

void Ungroup(IFolderView2* view) { view->SetGroupBy(ToKey(PropKey{}), TRUE); }

ViewReport ReadReport(IFolderView2* view) {
    ViewReport report;
    const ModeReadback mode = ReadMode(view);
    report.modeRead = SUCCEEDED(mode.hr);
    report.folderViewMode = static_cast<unsigned>(mode.mode);
    report.iconPx = mode.px;
    PROPERTYKEY group{};
    BOOL groupAscending = TRUE;
    report.groupRead = SUCCEEDED(view->GetGroupBy(&group, &groupAscending));
    report.groupKey = FromKey(group);
    report.groupAscending = groupAscending != 0;
    SORTCOLUMN sort{};
    report.sortRead = SUCCEEDED(view->GetSortColumns(&sort, 1));
    report.sort = {FromKey(sort.propkey), sort.direction};
    return report;
}

UINT PaletteDpi() {
    if (State().dpiOverride) return State().dpiOverride;
    const UINT dpi = View().host ? GetDpiForWindow(View().host) : 0;
    return dpi ? dpi : 96;
}

// The icon width of one of the list view's image lists; -1 without one.
int ImageListIconWidth(HWND listView, int which) {
    const auto list = reinterpret_cast<HIMAGELIST>(
        SendMessageW(listView, LVM_GETIMAGELIST, static_cast<WPARAM>(which), 0));
    int cx = 0, cy = 0;
    if (!list || !ImageList_GetIconSize(list, &cx, &cy) || cx <= 0) return -1;
    return cx;
}

void LogImageLists() {
    HWND listView = FindHostedListView();
    if (!listView) return;
    const auto style = static_cast<unsigned>(GetWindowLongPtrW(listView, GWL_STYLE) & LVS_TYPEMASK);
    log::DebugLogFormat(L"CommitViewMode.ImgList: lvStyle=0x%02X small=%d normal=%d", style,
                        ImageListIconWidth(listView, LVSIL_SMALL),
                        ImageListIconWidth(listView, LVSIL_NORMAL));
}

// True when it froze the view (and so the caller unfreezes it).
bool FreezeViewForRegroup() {
    ViewModeState& state = State();
    if (HostDragging() || Refresh().settling || !HostVisible() || state.frozen || !HasViewWindow())
        return false;
    state.frozen = true;
    HostShowCover();
    SetViewRedraw(false);
    return true;
}

void UnfreezeView() {
    ViewModeState& state = State();
    if (!state.frozen) return;
    state.frozen = false;
    ShowViewWindow();
    if (View().host) InvalidateRect(View().host, nullptr, TRUE);
    if (!Refresh().revealDeferred) HostCrossfadeCover();
}

const wchar_t* KeyForLog(const config::Settings& cfg) {
    return cfg.groupBy ? cfg.groupByKey.c_str() : L"(none)";
}

bool ListHasItems() {
    HWND listView = FindHostedListView();
    return listView && SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0) > 0;
}

bool ReadyToReveal() {
    return IsViewCleanAndPopulated() && (!SmallIconsConfigured() || ListHasItems());
}

// Filters until nothing forbidden remains, at most eight passes; a view
// still holding such an item keeps the reveal waiting for more sweeps.
void FilterForMonitor() {
    AttachFolderFilter();
    for (int pass = 0; pass < kMonitorSweeps && HasForbiddenItem(); ++pass) PostFilterSweep();
    if (HasForbiddenItem()) Refresh().forbiddenSeen = true;
}

void CoverForMonitorApply() {
    HostShowCover();
    BeginDeferredReveal(Refresh(), GetTickCount());
    SetViewRedraw(false);
}

void ApplyAndFilterForMonitor() {
    if (!Cfg().groupBy) ClearGroupBy();
    if (!ListViewEditing()) ApplyShellViewModeForced();
    FilterForMonitor();
    ArmRevealSweep();
    TryRevealDeferred();
}

void RevealOrDefer() {
    if (ReadyToReveal()) {
        RevealDeferredSweep();
        return;
    }
    ArmRevealSweep();
    TryRevealDeferred();
}

// Sort and grouping, once the settings own them.
void ApplyOwnedLayout() {
    if (!Cfg().uiLayoutPersisted) return;
    ApplyShellViewGroupFromConfig();
    ApplyShellViewSortFromConfig();
}

}  // namespace

void CommitViewMode(IFolderView2* view) {
    if (!view) return;
    config::EnsureCfgView(L"CommitViewMode");
    const config::Settings& cfg = Cfg();
    const bool small = SmallIconsConfigured();
    const ViewModeTarget want = WantedViewMode(cfg.viewMode, cfg.groupBy);

    view->SetCurrentFolderFlags(kFwfNoHeaderInAllViews, kFwfNoHeaderInAllViews);
    view->SetCurrentFolderFlags(kFwfSingleClickNoEdge,
                                ShellDoubleClickOpens() ? 0 : kFwfSingleClickNoEdge);
    HRESULT hr = SetModeAndSize(view, want.folderViewMode, want.iconPx, small);
    ModeReadback shell = ReadMode(view);

    int groupedSmall = 0;
    int ungroupedSmallFallback = 0;
    if (small && cfg.groupBy) {
        // The shell may keep its grouped layout at another size: take the
        // groups away, settle the size, then group again.
        if (shell.px != kSmallIconPx) {
            PropKey key;
            bool ascending = cfg.groupByAscending;
            const bool parsed = ParseGroupByKeyString(cfg, key, ascending);
            Ungroup(view);
            hr = SetModeAndSize(view, kFvmIcon, kSmallIconPx, true);
            shell = ReadMode(view);
            if (shell.px != kSmallIconPx) {
                hr = SetModeAndSize(view, kFvmSmallIcon, kSmallIconPx, false);
                shell = ReadMode(view);
            }
            if (parsed) view->SetGroupBy(ToKey(key), ascending);
            hr = SetModeAndSize(view, kFvmIcon, kSmallIconPx, true);
            shell = ReadMode(view);
        }
        groupedSmall = 1;
    } else if (small && shell.px != kSmallIconPx) {
        hr = SetModeAndSize(view, kFvmIcon, kSmallIconPx, true);
        shell = ReadMode(view);
        if (shell.px != kSmallIconPx) {
            hr = SetModeAndSize(view, kFvmSmallIcon, kSmallIconPx, false);
            shell = ReadMode(view);
        }
        ungroupedSmallFallback = 1;
    } else if (!small && shell.px != want.iconPx) {
        hr = SetModeAndSize(view, want.folderViewMode, want.iconPx, false);
        shell = ReadMode(view);
    }

    log::DebugLogFormat<256>(
        L"CommitViewMode: cfg.view=%d wantFVM=%d wantPx=%d dpi=%d hr=0x%08X shellFVM=%d "
        L"shellPx=%d groupedSmall=%d ungroupedSmallFallback=%d",
        config::ToInt(cfg.viewMode), static_cast<int>(want.folderViewMode), want.iconPx,
        static_cast<int>(PaletteDpi()), static_cast<unsigned>(hr), static_cast<int>(shell.mode),
        shell.px, groupedSmall, ungroupedSmallFallback);
    LogImageLists();
}

void CommitShellView() {
    {
        ComPtr<IFolderView2> view = HostedFolderView();
        if (!view) return;
        config::EnsureCfgView(L"CommitShellView");
        CommitViewMode(view.get());
    }
    ApplyListViewChrome();
}

void ApplyListViewChrome() {
    HWND listView = FindHostedListView();
    if (!listView) return;
    ApplyShellListViewIconMetrics(listView, false);
    SendMessageW(listView, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP | LVS_EX_LABELTIP,
                 LVS_EX_INFOTIP);

    DWORD underline = 0;
    DWORD size = sizeof(underline);
    if (RegGetValueW(HKEY_CURRENT_USER, kExplorerAdvancedKey, L"IconUnderline", RRF_RT_REG_DWORD,
                     nullptr, &underline, &size) == ERROR_SUCCESS)
        SendMessageW(listView, LVM_SETEXTENDEDLISTVIEWSTYLE, kUnderlineStyleMask,
                     UnderlineStyleFor(underline));

    if (auto header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0))) {
        using SetThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
        static const SetThemeFn setTheme =
            platform::SystemExport<SetThemeFn>(L"uxtheme.dll", "SetWindowTheme");
        if (setTheme) setTheme(header, L"", L"");
        ShowWindow(header, SW_HIDE);
    }
    FitListColumnWidth(listView);
    HostApplyListViewTheme();
}

void FitListColumnWidth(HWND listView) {
    auto header = reinterpret_cast<HWND>(SendMessageW(listView, LVM_GETHEADER, 0, 0));
    if (!header || SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) < 1) return;
    RECT client{};
    GetClientRect(listView, &client);
    const int width = SmallIconsConfigured() ? CalcSmallIconWidth(listView) : client.right;
    if (width > 0) SendMessageW(listView, LVM_SETCOLUMNWIDTH, 0, width);
}

bool ShellShowsSmallIcons() {
    ComPtr<IFolderView2> view = HostedFolderView();
    if (!view) return false;
    const ModeReadback back = ReadMode(view.get());
    return SUCCEEDED(back.hr) && (back.mode == FVM_ICON || back.mode == FVM_SMALLICON) &&
           std::abs(back.px - kSmallIconPx) <= kIconSizeTolerancePx;
}

void ApplyShellViewModeForced() {
    config::EnsureCfgView(L"ApplyShellViewModeForced");
    ApplyOwnedLayout();
    CommitShellView();
}

void ApplyShellViewModeIfNeeded() {
    if (HostDragging() || ListViewEditing() || IsViewModeCommitted()) return;
    ApplyShellViewModeForced();
}

void ReassertViewMode() {
    if (IsViewModeCommitted()) {
        ApplyOwnedLayout();
        HostApplyListViewTheme();
        if (IsViewModeCommitted()) return;
    }
    if (ListViewEditing()) return;
    config::EnsureCfgView(L"ReassertViewMode");
    ApplyOwnedLayout();
    CommitShellView();
}

bool IsViewModeCommitted() {
    ComPtr<IFolderView2> view = HostedFolderView();
    return view && hostedview::IsViewModeCommitted(Cfg(), ReadReport(view.get()));
}

bool IsViewGrouped() {
    ComPtr<IFolderView2> view = HostedFolderView();
    if (!view) return Cfg().groupBy;
    PROPERTYKEY key{};
    BOOL ascending = TRUE;
    ViewReport report;
    report.groupRead = SUCCEEDED(view->GetGroupBy(&key, &ascending));
    report.groupKey = FromKey(key);
    return ReportGrouped(report, Cfg().groupBy);
}

void SyncShellViewSortToConfig() {
    if (!View().shellView) return;
    config::Settings& cfg = Cfg();
    if (ComPtr<IFolderView2> view = HostedFolderView()) {
        SORTCOLUMN column{};
        if (FAILED(view->GetSortColumns(&column, 1)) || FromKey(column.propkey).IsNull()) {
            cfg.sortMode = config::SortMode::Name;
            cfg.sortAscending = true;
            log::DebugLogWrite(
                L"SyncShellViewSortToConfig: GetSortColumns failed/empty -> Name Asc.");
        } else {
            cfg.sortMode = SortModeOfColumn(FromKey(column.propkey));
            cfg.sortAscending = column.direction != kSortDescending;
            log::DebugLogFormat(L"SyncShellViewSortToConfig: sort=%d asc=%d dir=%d",
                                config::ToInt(cfg.sortMode), cfg.sortAscending,
                                static_cast<int>(column.direction));
        }
        SyncShellViewGroupToConfig();
    }
    log::DebugLogFormat<256>(
        L"SyncShellViewSettings: sort=%d sortAsc=%d group=%d groupAsc=%d key=%ls",
        config::ToInt(cfg.sortMode), cfg.sortAscending, cfg.groupBy, cfg.groupByAscending,
        KeyForLog(cfg));
}

void SyncShellViewGroupToConfig() {
    ComPtr<IFolderView2> view = HostedFolderView();
    if (!view) return;
    PROPERTYKEY key{};
    BOOL ascending = TRUE;
    const bool enabled = SUCCEEDED(view->GetGroupBy(&key, &ascending)) && !FromKey(key).IsNull();
    config::Settings& cfg = Cfg();
    cfg.groupBy = enabled;
    cfg.groupByAscending = ascending != 0;
    cfg.groupByKey = enabled ? FormatGroupByKey(FromKey(key)) : std::wstring();
    // A grouping the user chose in the shell is the settings' from now on.
    if (enabled) cfg.uiLayoutPersisted = true;
    log::DebugLogFormat<256>(L"SyncShellViewGroupToConfig: enabled=%d asc=%d key=%ls", enabled,
                             cfg.groupByAscending, KeyForLog(cfg));
}

void ApplyShellViewSortFromConfig() {
    ComPtr<IFolderView2> view = HostedFolderView();
    if (!view) return;
    const config::Settings& cfg = Cfg();
    const SortColumnSpec want = WantedSortColumn(cfg.sortMode, cfg.sortAscending);
    SORTCOLUMN current{};
    if (SUCCEEDED(view->GetSortColumns(&current, 1)) &&
        SortColumnSpec{FromKey(current.propkey), current.direction} == want)
        return;
    log::DebugLogFormat(L"ApplyShellViewSortFromConfig: cfg.sort=%d cfg.asc=%d set.dir=%d",
                        config::ToInt(cfg.sortMode), cfg.sortAscending, want.direction);
    const SORTCOLUMN column{ToKey(want.key), want.direction};
    view->SetSortColumns(&column, 1);
    SORTCOLUMN back{};
    const HRESULT hr = view->GetSortColumns(&back, 1);
    log::DebugLogFormat(L"ApplyShellViewSortFromConfig: readback hr=0x%08X count=%u dir=%d",
                        static_cast<unsigned>(hr), 1u,
                        SUCCEEDED(hr) ? static_cast<int>(back.direction) : kSortDescending);
}

void ApplyShellViewGroupFromConfig() {
    ComPtr<IFolderView2> view = HostedFolderView();
    if (!view) return;
    const config::Settings& cfg = Cfg();
    const bool wasGrouped = IsViewGrouped();
    PropKey key;
    bool ascending = cfg.groupByAscending;
    if (cfg.groupBy && ParseGroupByKeyString(cfg, key, ascending)) {
        PROPERTYKEY current{};
        BOOL currentAscending = TRUE;
        if (SUCCEEDED(view->GetGroupBy(&current, &currentAscending)) &&
            !FromKey(current).IsNull() && FromKey(current) == key &&
            (currentAscending != 0) == ascending)
            return;
        // Groups appearing in a shown view would draw half-built.
        const bool frozeHere = !wasGrouped && FreezeViewForRegroup();
        const HRESULT hr = view->SetGroupBy(ToKey(key), ascending);
        if (FAILED(hr))
            log::DebugLogFormat<256>(
                L"ApplyShellViewGroupFromConfig: SetGroupBy hr=0x%08X key=%ls asc=%d",
                static_cast<unsigned>(hr), cfg.groupByKey.c_str(), ascending);
        else
            FinalizeHostedDesktopItemsLayout();
        if (frozeHere) UnfreezeView();
        return;
    }
    const bool frozeHere = wasGrouped && FreezeViewForRegroup();
    Ungroup(view.get());
    if (cfg.groupBy)
        log::DebugLogFormat<256>(L"ApplyShellViewGroupFromConfig: invalid key='%ls'",
                                 cfg.groupByKey.c_str());
    FinalizeHostedDesktopItemsLayout();
    if (frozeHere) UnfreezeView();
}

void ClearGroupBy() {
    if (ComPtr<IFolderView2> view = HostedFolderView()) Ungroup(view.get());
}

bool ViewFrozen() { return State().frozen; }

void OnUserPickedSortMode(int sortMode) {
    config::Settings& cfg = Cfg();
    cfg.sortMode = static_cast<config::SortMode>(sortMode);
    cfg.uiLayoutPersisted = true;
    log::DebugLogFormat(L"OnUserPickedSortMode: picked sort=%d asc=%d group=%d", sortMode,
                        cfg.sortAscending, cfg.groupBy);
    if (HostVisible()) {
        RefreshLikeMenu(View().host, true);
        return;
    }
    if (!ListViewEditing()) ApplyShellViewModeForced();
    FinalizeHostedDesktopItemsLayout();
    config::SaveConfig();
}

void MonitorPrefsApply() {
    if (!HostVisible() || !View().shellView) return;
    const HMONITOR monitor = config::CurrentMonitor();
    if (!monitor || !config::MonitorPrefsLoad(monitor)) return;
    SmallIconSizeMoveReflow();
    config::EnsureCfgView(L"MonitorPrefsApply");
    const RegistryChange registry = ReadDesktopIconRegistry();
    const config::Settings& cfg = Cfg();
    if (cfg.desktopItemsMode == config::DesktopItemsMode::SameAsDesktop && registry.relaxed) {
        CoverForMonitorApply();
        ApplyAndFilterForMonitor();
        RevealOrDefer();
        return;
    }
    const bool committed = IsViewModeCommitted();
    const bool needsFilter = View().shellView && HasForbiddenItem();
    if (!committed || needsFilter) {
        CoverForMonitorApply();
        if (!committed) {
            if (!cfg.groupBy) ClearGroupBy();
            if (!ListViewEditing()) ApplyShellViewModeForced();
        }
        FilterForMonitor();
        RevealOrDefer();
        if (SmallIconsConfigured()) ArmHostTimer(protocol::kSmallIconSettleTimerId, 80);
        log::DebugLogFormat(L"MonitorPrefsApply: key='%ls' view=%d apply=%d filter=%d",
                            config::Session().currentMonitorKey.c_str(),
                            config::ToInt(cfg.viewMode), !committed, needsFilter);
        return;
    }
    if (SmallIconsConfigured()) ArmHostTimer(protocol::kSmallIconSettleTimerId, 1);
    if (ReadyToReveal()) {
        RevealDeferredSweep();
        return;
    }
    CoverForMonitorApply();
    RevealOrDefer();
}

void MonitorViewCross(HWND palette, HMONITOR monitor) {
    if (!palette || !monitor || !View().shellView) return;
    config::EnsureCfgView(L"MonitorViewCross");
    // Until the drag ends the window still reports the old monitor's DPI.
    const UINT dpi = platform::MonitorEffectiveDpi(monitor);
    State().dpiOverride = dpi ? dpi : 96;
    CoverForMonitorApply();
    ApplyAndFilterForMonitor();
    const bool dragging = HostDragging();
    if (!dragging) {
        SmallIconSizeMoveReflow();
        if (HWND listView = FindHostedListView()) {
            HostApplyListViewTheme();
            ApplyShellListViewIconMetrics(listView, false);
            if (SmallIconsConfigured()) SmallIconRelayout(listView);
        }
        if (SmallIconsConfigured()) ArmHostTimer(protocol::kSmallIconSettleTimerId, 220);
    }
    const config::Settings& cfg = Cfg();
    log::DebugLogFormat(L"MonitorViewCross: key='%ls' view=%d sort=%d group=%d drag=%d",
                        config::MonitorKeyOf(monitor).c_str(), config::ToInt(cfg.viewMode),
                        config::ToInt(cfg.sortMode), cfg.groupBy, dragging);
}

UINT MonitorDpiOverride() { return State().dpiOverride; }
void ClearMonitorDpiOverride() { State().dpiOverride = 0; }

void ArmShellCommandSync() {
    State().shellCommandSyncPending = true;
    ArmHostTimer(protocol::kShellCommandSyncTimerId, kShellCommandSyncMs);
}

void ShellCommandSyncTick() {
    StopHostTimer(protocol::kShellCommandSyncTimerId);
    State().shellCommandSyncPending = false;
    if (View().shellView) {
        SyncShellViewSortToConfig();
        Cfg().uiLayoutPersisted = true;
    }
    const std::wstring& key = config::Session().currentMonitorKey;
    if (config::IsStorableMonitorKey(key)) config::PersistPaletteView(key);
    config::SaveConfig();
    SmallIconSizeMoveReflow();
    HWND listView = FindHostedListView();
    if (!listView) {
        UnfreezeView();
        return;
    }
    ApplyShellListViewIconMetrics(listView, false);
    if (SmallIconsConfigured() && !IsViewGrouped()) SmallIconRelayout(listView);
    UnfreezeView();
}

void FlushPendingSortSync() {
    StopHostTimer(protocol::kShellCommandSyncTimerId);
    if (!State().shellCommandSyncPending) return;
    State().shellCommandSyncPending = false;
    SyncShellViewSortToConfig();
}

void ListOrDetailsGuard() {
    if (!HostVisible() || Refresh().settling) return;
    {
        ComPtr<IFolderView2> view = HostedFolderView();
        if (!view) return;
        const ModeReadback mode = ReadMode(view.get());
        if (FAILED(mode.hr) || !IsListOrDetails(static_cast<unsigned>(mode.mode))) return;
    }
    ReassertViewMode();
}

}  // namespace lumetra::hostedview
