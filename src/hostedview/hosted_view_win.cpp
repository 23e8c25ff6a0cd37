// Builds and tears down the shell's own view of the Desktop inside the palette.
#include "hostedview/hosted_view_win.h"

#include <commctrl.h>

#include "config/settings.h"
#include "hostedview/folder_filter_win.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/shell_browser_win.h"
#include "hostedview/shell_ids_win.h"
#include "hostedview/view_refresh_win.h"
#include "hostedview/view_subclass_win.h"
#include "hostedview/view_sweep_win.h"
#include "log/debug_log.h"
#include "protocol/messages.h"

namespace lumetra::hostedview {
namespace {

using platform::ComPtr;

std::wstring KnownFolderPath(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path))) return {};
    std::wstring text = path ? path : L"";
    CoTaskMemFree(path);
    return text;
}

void EnsureRootIdList(HostedView& v) {
    if (!v.rootIdList) SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, v.rootIdList.put());
}

ComPtr<IShellView> CreateDesktopView(IShellFolder* desktop, HWND host) {
    ComPtr<IShellView> view;
    SFV_CREATE create{};
    create.cbSize = sizeof(create);
    create.pshf = desktop;
    if (SUCCEEDED(SHCreateShellFolderView(&create, view.put())) && view) return view;
    view.reset();
    if (SUCCEEDED(desktop->CreateViewObject(host, kIidShellView, view.put_void())) && view)
        return view;
    return nullptr;
}

void SubclassViewWindow(HostedView& v) {
    v.viewWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        v.viewWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ViewWindowSubclassProc)));
    SetWindowLongPtrW(v.viewWindow, GWL_EXSTYLE,
                      GetWindowLongPtrW(v.viewWindow, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowLongPtrW(v.viewWindow, GWL_STYLE,
                      GetWindowLongPtrW(v.viewWindow, GWL_STYLE) & ~WS_BORDER);
    FollowHostedListView();
    HostApplyListViewTheme();
}

void RefreshSynchronously(HostedView& v) {
    ClearInfoTipCache(v.infoTip);
    RefreshState& refresh = Refresh();
    refresh.refreshPending = false;
    refresh.burstStartTick = 0;
    KillTimer(v.host, protocol::kApplyViewTimerId);
    KillTimer(v.host, protocol::kShellChangeDebounceTimerId);
    AttachFolderFilter();
    refresh.lastRefreshTick = GetTickCount();
    log::DebugLogFormat(L"[cycle=%lu] ExecuteShellViewRefreshSynchronously tick=%lu", refresh.cycle,
                        static_cast<unsigned long>(refresh.lastRefreshTick));
    v.shellView->Refresh();
    for (int pass = 0; pass < 8; ++pass)
        if (!PostFilterSweep() || !HasForbiddenItem()) break;
    if (config::Cfg().desktopItemsMode == config::DesktopItemsMode::AllItems)
        RestoreMissingDesktopItems();
}

}  // namespace

HostedView& View() {
    static HostedView view;
    return view;
}

void TakeDesktopIdList() { EnsureRootIdList(View()); }
void ReleaseDesktopIdList() { View().rootIdList.reset(); }

void SetViewHost(const ViewHost& links) { View().hostLinks = links; }

namespace {
template <typename Link, typename... Args>
void CallLink(Link link, Args... args) {
    if (link) link(args...);
}
template <typename Link>
bool AskLink(Link link) {
    return link && link();
}
}  // namespace

void HostApplyListViewTheme() { CallLink(View().hostLinks.applyListViewTheme); }
bool HostHandleCtrlShortcut(UINT key) {
    return View().hostLinks.handleCtrlShortcut && View().hostLinks.handleCtrlShortcut(key);
}
void HostShowCover() { CallLink(View().hostLinks.showCover); }
void HostPositionCover() { CallLink(View().hostLinks.positionCover); }
// A refresh still to come must put the cover up again.
void HostHideCover() {
    Refresh().coverReleased = true;
    CallLink(View().hostLinks.hideCover);
}
void HostHideCoverImmediate() {
    Refresh().coverReleased = true;
    CallLink(View().hostLinks.hideCoverImmediate);
}
void HostCrossfadeCover() {
    Refresh().coverReleased = true;
    CallLink(View().hostLinks.crossfadeCover);
}
void HostStopCoverFade() { CallLink(View().hostLinks.stopCoverFade); }
bool HostCoverShown() { return AskLink(View().hostLinks.coverShown); }
bool HostCoverRecentlyShown() { return AskLink(View().hostLinks.coverRecentlyShown); }
bool HostDragging() { return AskLink(View().hostLinks.dragging); }
bool HostMenuOpen() { return AskLink(View().hostLinks.menuOpen); }
void HostFocusList() { CallLink(View().hostLinks.focusList); }
bool HostModalStateOpen() { return AskLink(View().hostLinks.modalStateOpen); }
bool HostRenameFocusedItem() { return AskLink(View().hostLinks.renameFocusedItem); }
bool HostDeleteSelection() { return AskLink(View().hostLinks.deleteSelection); }
bool HostPasteIntoDesktop() { return AskLink(View().hostLinks.pasteIntoDesktop); }
void HostShowItemMenu(HWND listView, POINT screenPoint) {
    CallLink(View().hostLinks.showItemMenu, listView, screenPoint);
}
void HostDragPalette() { CallLink(View().hostLinks.dragPalette); }
bool HostDarkMode() { return AskLink(View().hostLinks.darkMode); }
void HostPaintGroupHeaders(HWND listView) {
    CallLink(View().hostLinks.paintGroupHeaders, listView);
}
void HostApplyDarkScrollBars(HWND listView) {
    CallLink(View().hostLinks.applyDarkScrollBars, listView);
}
void HostPlaceCloseButton() { CallLink(View().hostLinks.placeCloseButton); }
void HostRequestHide() {
    if (View().host && IsWindow(View().host)) PostMessageW(View().host, protocol::WMAPP_HIDE, 0, 0);
}
bool HostVisible() { return View().host && IsWindow(View().host) && IsWindowVisible(View().host); }

void ArmHostTimer(UINT id, UINT ms) {
    if (View().host && IsWindow(View().host)) SetTimer(View().host, id, ms, nullptr);
}

void StopHostTimer(UINT id) {
    if (View().host && IsWindow(View().host)) KillTimer(View().host, id);
}

void SetViewRedraw(bool on) {
    if (HasViewWindow()) SendMessageW(View().viewWindow, WM_SETREDRAW, on, 0);
    if (HWND list = FindHostedListView()) SendMessageW(list, WM_SETREDRAW, on, 0);
}

bool SmallIconsConfigured() { return config::Cfg().viewMode == config::ViewMode::Small; }

void ResolveDesktopPaths(DesktopPaths& paths) {
    paths.desktop = NormalizeFolderPath(KnownFolderPath(kFolderIdDesktop));
    paths.publicDesktop = NormalizeFolderPath(KnownFolderPath(kFolderIdPublicDesktop));
    paths.profile = KnownFolderPath(kFolderIdProfile);
}

bool ShellDoubleClickOpens() {
    SHELLSTATE state{};
    SHGetSetSettings(&state, SSF_DOUBLECLICKINWEBVIEW, FALSE);
    return state.fDoubleClickInWebView != 0;
}

bool InitializeExplorerBrowser(HWND palette) {
    LARGE_INTEGER frequency{}, start{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);

    ReleaseExplorerBrowser();
    HostedView& v = View();
    v.host = palette;
    ReadDesktopIconRegistry();
    ResolveDesktopPaths(v.paths);
    if (FAILED(SHGetDesktopFolder(v.desktopFolder.put())) || !v.desktopFolder) {
        v.desktopFolder.reset();
        log::DebugLogWrite(L"InitializeExplorerBrowser: SHGetDesktopFolder failed.");
        return false;
    }
    EnsureRootIdList(v);
    v.browser = ComPtr<IShellBrowser>::Attach(LumetraShellBrowser::Create(palette));
    if (!v.browser) return false;

    RECT rect{};
    GetClientRect(palette, &rect);
    InflateRect(&rect, -1, -1);
    const FolderSettingsChoice choice =
        ChooseFolderSettings(config::Cfg().viewMode, ShellDoubleClickOpens());
    FOLDERSETTINGS settings{choice.viewMode, choice.flags};

    v.shellView = CreateDesktopView(v.desktopFolder.get(), palette);
    if (!v.shellView) {
        log::DebugLogWrite(L"InitializeExplorerBrowser: shell view creation failed.");
        ReleaseExplorerBrowser();
        return false;
    }
    if (!v.folderFilter)
        v.folderFilter = ComPtr<IFolderFilter>::Attach(LumetraFolderFilter::Create());
    HWND viewWindow = nullptr;
    if (FAILED(v.shellView->CreateViewWindow(nullptr, &settings, v.browser.get(), &rect,
                                             &viewWindow))) {
        log::DebugLogWrite(L"InitializeExplorerBrowser: CreateViewWindow failed.");
        ReleaseExplorerBrowser();
        return false;
    }
    v.viewWindow = viewWindow;
    if (!AttachFolderFilter())
        log::DebugLogWrite(L"InitializeExplorerBrowser: Folder filter NOT attached.");
    if (HasViewWindow()) SubclassViewWindow(v);

    if (HasViewWindow()) ShowWindow(v.viewWindow, SW_HIDE);
    PrepareShellViewCover(RefreshStyle::kOverlayOnly);
    if (!ListViewEditing() && v.shellView && HasViewWindow()) RefreshSynchronously(v);
    if (IsWindow(palette)) SyncShellFinish(palette);
    SmallIconSizeMoveReflow();

    LARGE_INTEGER end{};
    QueryPerformanceCounter(&end);
    const auto micros =
        static_cast<unsigned long long>((end.QuadPart - start.QuadPart) * 1000000 /
                                        (frequency.QuadPart > 0 ? frequency.QuadPart : 1));
    log::DebugLogFormat(
        L"InitializeExplorerBrowser: view ready in %llu us, %d item(s), viewMode=%u flags=0x%X.",
        micros, ViewItemCount(), choice.viewMode, choice.flags);
    return true;
}

void ReleaseExplorerBrowser() {
    HostedView& v = View();
    ClearInfoTipCache(v.infoTip);
    RestoreSubclassedWindows();
    if (v.host && IsWindow(v.host)) {
        for (unsigned id : protocol::kViewTransitionTimers) KillTimer(v.host, id);
        for (unsigned id : protocol::kTimersStoppedOnViewRelease) KillTimer(v.host, id);
    }
    if (v.shellView) v.shellView->DestroyViewWindow();
    v.shellView.reset();
    v.viewWindow = nullptr;
    v.browser.reset();
    v.desktopFolder.reset();
    v.folderFilter.reset();
    v.filterAttached = false;
    for (UniqueIdList& ids : v.iconIdLists) ids.reset();
    v.iconIdListsParsed = false;
    ClearViewTransitions();
}

HWND FindHostedListView() {
    HostedView& v = View();
    if (v.listView && IsWindow(v.listView)) return v.listView;
    if (!HasViewWindow()) return nullptr;
    v.listView = FindWindowExW(v.viewWindow, nullptr, L"SysListView32", nullptr);
    return v.listView;
}

bool ListViewEditing() {
    HWND listView = FindHostedListView();
    return listView && SendMessageW(listView, LVM_GETEDITCONTROL, 0, 0) != 0;
}

}  // namespace lumetra::hostedview
