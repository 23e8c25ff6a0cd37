#pragma once
// The hosted Desktop view: the one record that owns every shell interface
// pointer of the program.
#include <windows.h>
#include <shlobj.h>

#include "hostedview/desktop_icons.h"
#include "hostedview/path_rules.h"
#include "hostedview/view_rules.h"
#include "platform/com_ptr_win.h"
#include "platform/unique_id_list_win.h"

namespace lumetra::hostedview {

using platform::UniqueIdList;

// What the hosted view asks of the window that hosts it: the theme of its
// list view, the Ctrl shortcuts the shell leaves to its browser, the cover
// that hides the view while it redraws, and the host's own state. A null
// entry does nothing and answers false.
struct ViewHost {
    void (*applyListViewTheme)() = nullptr;
    bool (*handleCtrlShortcut)(UINT key) = nullptr;
    void (*showCover)() = nullptr;
    void (*positionCover)() = nullptr;
    // Fades the cover out over 256 ms, not before its minimum time.
    void (*hideCover)() = nullptr;
    void (*hideCoverImmediate)() = nullptr;
    // The 180 ms cross-fade after a reveal.
    void (*crossfadeCover)() = nullptr;
    // Stops a running fade and its minimum-time wait; the cover stays up.
    void (*stopCoverFade)() = nullptr;
    bool (*coverShown)() = nullptr;
    // The palette's fade-in runs, the cover's minimum time has not passed, or
    // the cover went up less than 750 ms ago.
    bool (*coverRecentlyShown)() = nullptr;
    bool (*dragging)() = nullptr;  // inside the palette's move or size loop
    bool (*menuOpen)() = nullptr;  // one of the palette's own menus runs
    void (*focusList)() = nullptr;
    // For the view's keys and mouse. Esc belongs to something else (the About
    // window, a label edit, an open menu).
    bool (*modalStateOpen)() = nullptr;
    bool (*renameFocusedItem)() = nullptr;
    bool (*deleteSelection)() = nullptr;
    bool (*pasteIntoDesktop)() = nullptr;
    // The shell item menu; (-1, -1) means at the cursor.
    void (*showItemMenu)(HWND listView, POINT screenPoint) = nullptr;
    // Moves the palette with the mouse, as a press on a caption would.
    void (*dragPalette)() = nullptr;
    bool (*darkMode)() = nullptr;
    void (*paintGroupHeaders)(HWND listView) = nullptr;
    void (*applyDarkScrollBars)(HWND listView) = nullptr;
    // Keeps the close button in the palette's top-right corner.
    void (*placeCloseButton)() = nullptr;
};

struct HostedView {
    HWND host = nullptr;
    ViewHost hostLinks;
    platform::ComPtr<IShellFolder> desktopFolder;
    UniqueIdList rootIdList;  // TakeDesktopIdList to ReleaseDesktopIdList
    platform::ComPtr<IShellBrowser> browser;
    platform::ComPtr<IShellView> shellView;
    HWND viewWindow = nullptr;
    // FindHostedListView's cache; everything else asks FindHostedListView.
    HWND listView = nullptr;
    WNDPROC viewWindowProc = nullptr;
    // The list view whose procedure was replaced, and the procedure it had.
    HWND subclassedListView = nullptr;
    WNDPROC listViewProc = nullptr;
    platform::ComPtr<IFolderFilter> folderFilter;
    bool filterAttached = false;
    DesktopPaths paths;
    InfoTipCache infoTip;
    // Id lists parsed from "::{CLSID}" of the registry-controlled icons, parsed
    // once per view instead of once per item.
    UniqueIdList iconIdLists[kDesktopIconCount];
    bool iconIdListsParsed = false;
    // Process-wide: the hidden-icon sets and the filter's log limit.
    DesktopIconRegistry iconRegistry;
    FilterLogLimit filterLog;
};

HostedView& View();

// The Desktop's item id list, taken once at start-up and kept until the
// message loop ends.
void TakeDesktopIdList();
void ReleaseDesktopIdList();

// Tells the view what its host does for it; set before the view is built.
void SetViewHost(const ViewHost& links);
// Builds the shell view inside the palette; false when it cannot.
bool InitializeExplorerBrowser(HWND palette);
// Releases everything InitializeExplorerBrowser built.
void ReleaseExplorerBrowser();
// The list view inside the view window, re-found when the cached one is gone:
// the one way to the list view, since the shell may recreate it.
HWND FindHostedListView();
// Answers the list view's LVN_GETINFOTIPW; true when it filled the text.
bool ProvideItemInfoTip(NMHDR* notification);

inline bool HasListView() { return FindHostedListView() != nullptr; }
inline bool HasViewWindow() { return View().viewWindow && IsWindow(View().viewWindow); }
// Thin null-safe calls through the host's links.
void HostApplyListViewTheme();
bool HostHandleCtrlShortcut(UINT key);
void HostShowCover();
void HostPositionCover();
void HostHideCover();
void HostHideCoverImmediate();
void HostCrossfadeCover();
void HostStopCoverFade();
bool HostCoverShown();
bool HostCoverRecentlyShown();
bool HostDragging();
bool HostMenuOpen();
void HostFocusList();
bool HostModalStateOpen();
bool HostRenameFocusedItem();
bool HostDeleteSelection();
bool HostPasteIntoDesktop();
void HostShowItemMenu(HWND listView, POINT screenPoint);
void HostDragPalette();
bool HostDarkMode();
void HostPaintGroupHeaders(HWND listView);
void HostApplyDarkScrollBars(HWND listView);
void HostPlaceCloseButton();
// Asks the host window to hide the palette (WM_APP+100).
void HostRequestHide();
// The host window exists and is visible.
bool HostVisible();
// The view's timers live on the host window.
void ArmHostTimer(UINT id, UINT ms);
void StopHostTimer(UINT id);
// Drawing of the view window and its list view on or off.
void SetViewRedraw(bool on);
// The settings ask for small icons.
bool SmallIconsConfigured();

// True while the list view has an in-place label edit open.
bool ListViewEditing();

// The Desktop, Public Desktop and profile folders as the shell resolves them now.
void ResolveDesktopPaths(DesktopPaths& paths);
// The shell's "double-click to open an item" setting.
bool ShellDoubleClickOpens();

// The hidden-icon settings as they are now; the first read reports no change.
RegistryChange ReadDesktopIconRegistry();

}  // namespace lumetra::hostedview
