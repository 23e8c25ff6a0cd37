#pragma once
// The hosted Desktop view: the one record that owns every shell interface
// pointer of the program.
#include <windows.h>
#include <shlobj.h>

#include "hostedview/desktop_icons.h"
#include "hostedview/path_rules.h"
#include "hostedview/view_rules.h"
#include "platform/com_ptr_win.h"

namespace lumetra::hostedview {

// Owns an item id list (CoTaskMemFree).
class UniqueIdList {
  public:
    UniqueIdList() noexcept = default;
    explicit UniqueIdList(LPITEMIDLIST ids) noexcept : ids_(ids) {}
    ~UniqueIdList() { reset(); }
    UniqueIdList(const UniqueIdList&) = delete;
    UniqueIdList& operator=(const UniqueIdList&) = delete;
    UniqueIdList(UniqueIdList&& other) noexcept : ids_(other.release()) {}
    UniqueIdList& operator=(UniqueIdList&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    LPITEMIDLIST get() const noexcept { return ids_; }
    explicit operator bool() const noexcept { return ids_ != nullptr; }
    LPITEMIDLIST release() noexcept {
        LPITEMIDLIST ids = ids_;
        ids_ = nullptr;
        return ids;
    }
    void reset(LPITEMIDLIST ids = nullptr) noexcept {
        if (ids_) CoTaskMemFree(ids_);
        ids_ = ids;
    }
    LPITEMIDLIST* put() noexcept {
        reset();
        return &ids_;
    }

  private:
    LPITEMIDLIST ids_ = nullptr;
};

struct HostedView {
    HWND host = nullptr;
    platform::ComPtr<IShellFolder> desktopFolder;
    UniqueIdList rootIdList;  // kept for the life of the process
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
// True while the list view has an in-place label edit open.
bool ListViewEditing();

// The Desktop, Public Desktop and profile folders as the shell resolves them now.
void ResolveDesktopPaths(DesktopPaths& paths);
// The shell's "double-click to open an item" setting.
bool ShellDoubleClickOpens();

// The hidden-icon settings as they are now; the first read reports no change.
RegistryChange ReadDesktopIconRegistry();

}  // namespace lumetra::hostedview
