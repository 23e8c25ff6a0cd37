#include "hostedview/view_sweep_win.h"

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "config/settings.h"
#include "hostedview/desktop_item_filter_win.h"
#include "hostedview/folder_filter_win.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/shell_ids_win.h"
#include "hostedview/view_refresh_win.h"
#include "log/debug_log.h"
#include "platform/com_ptr_win.h"
#include "protocol/messages.h"

namespace lumetra::hostedview {
namespace {

using platform::ComPtr;

bool SameAsDesktop() {
    return config::Cfg().desktopItemsMode == config::DesktopItemsMode::SameAsDesktop;
}

// The view's item at `index` as a child id and as a full id list.
struct ViewItem {
    UniqueIdList child;
    UniqueIdList full;
};

bool ReadViewItem(IFolderView2* folderView, int index, ViewItem& item) {
    PITEMID_CHILD child = nullptr;
    if (FAILED(folderView->Item(index, &child)) || !child) return false;
    item.child.reset(child);
    item.full.reset(ILCombine(View().rootIdList.get(), child));
    return static_cast<bool>(item.full);
}

int ItemCount(IFolderView2* folderView) {
    int count = 0;
    if (FAILED(folderView->ItemCount(SVGIO_ALLVIEW, &count))) return 0;
    return count;
}

bool Rejected(const ViewItem& item, bool& controlPanel) {
    controlPanel = IsControlPanelItem(item.full.get());
    if (controlPanel) return true;
    return SameAsDesktop() &&
           !ShouldShowDesktopItem(View().desktopFolder.get(), item.child.get(), item.full.get());
}

}  // namespace

bool PostFilterSweep() {
    if (ListViewEditing()) return false;
    HostedView& v = View();
    ComPtr<IShellFolderView> shellFolderView;
    ComPtr<IFolderView2> folderView;
    if (!v.shellView || !v.desktopFolder || !v.rootIdList) return false;
    if (FAILED(v.shellView.As(kIidShellFolderView, shellFolderView)) || !shellFolderView)
        return false;
    if (FAILED(v.shellView.As(kIidFolderView2, folderView)) || !folderView) return false;

    bool removed = false;
    // Last index first, so removals never shift an item not yet visited.
    for (int index = ItemCount(folderView.get()) - 1; index >= 0; --index) {
        ViewItem item;
        if (!ReadViewItem(folderView.get(), index, item)) continue;
        bool controlPanel = false;
        if (!Rejected(item, controlPanel)) continue;
        if (SameAsDesktop() && TakeFilterLogLine(v.filterLog, GetTickCount()))
            log::DebugLogFormat<512>(L"Filtered from palette: %s",
                                     ItemDisplayName(item.full.get()).c_str());
        UINT removedAt = 0;
        if (SUCCEEDED(shellFolderView->RemoveObject(item.child.get(), &removedAt))) {
            removed = true;
            NoteForbiddenItemSeen();
        }
    }
    return removed;
}

bool HasForbiddenItem() {
    HostedView& v = View();
    ComPtr<IFolderView2> folderView;
    if (!v.shellView || !v.rootIdList || FAILED(v.shellView.As(kIidFolderView2, folderView)) ||
        !folderView)
        return false;
    const int count = ItemCount(folderView.get());
    for (int index = 0; index < count; ++index) {
        ViewItem item;
        if (!ReadViewItem(folderView.get(), index, item)) continue;
        bool controlPanel = false;
        if (Rejected(item, controlPanel)) return true;
    }
    return false;
}

bool IsViewCleanAndPopulated() {
    HostedView& v = View();
    ComPtr<IFolderView2> folderView;
    if (!v.shellView || FAILED(v.shellView.As(kIidFolderView2, folderView)) || !folderView)
        return false;
    if (HasForbiddenItem()) return false;
    return ItemCount(folderView.get()) > 0 || DesktopHasNothingToShow();
}

bool DesktopHasNothingToShow() {
    HostedView& v = View();
    ComPtr<IEnumIDList> children;
    if (!v.desktopFolder || !v.rootIdList ||
        v.desktopFolder->EnumObjects(nullptr, kDesktopEnumFlags, children.put()) != S_OK ||
        !children)
        return false;
    for (;;) {
        PITEMID_CHILD raw = nullptr;
        ULONG fetched = 0;
        if (children->Next(1, &raw, &fetched) != S_OK || !raw) return true;
        ViewItem item;
        item.child.reset(raw);
        item.full.reset(ILCombine(v.rootIdList.get(), raw));
        bool controlPanel = false;
        if (item.full && !Rejected(item, controlPanel)) return false;
    }
}

int ViewItemCount() {
    ComPtr<IFolderView2> folderView;
    if (!View().shellView || FAILED(View().shellView.As(kIidFolderView2, folderView)) ||
        !folderView)
        return 0;
    return ItemCount(folderView.get());
}

std::vector<std::wstring> ViewItemNames() {
    std::vector<std::wstring> names;
    ComPtr<IFolderView2> folderView;
    if (!View().shellView || FAILED(View().shellView.As(kIidFolderView2, folderView)) ||
        !folderView)
        return names;
    const int count = ItemCount(folderView.get());
    for (int index = 0; index < count; ++index) {
        ViewItem item;
        if (ReadViewItem(folderView.get(), index, item))
            names.push_back(ShellItemName(item.full.get(), SIGDN_NORMALDISPLAY));
    }
    return names;
}

bool RestoreMissingDesktopItems() {
    HostedView& v = View();
    if (ListViewEditing() || !v.shellView || SameAsDesktop()) return false;
    ComPtr<IShellFolderView> shellFolderView;
    ComPtr<IFolderView2> folderView;
    ComPtr<IEnumIDList> children;
    if (!v.desktopFolder || !v.rootIdList) return false;
    if (FAILED(v.shellView.As(kIidShellFolderView, shellFolderView)) || !shellFolderView)
        return false;
    if (FAILED(v.shellView.As(kIidFolderView2, folderView)) || !folderView) return false;
    if (v.desktopFolder->EnumObjects(nullptr, kDesktopEnumFlags, children.put()) != S_OK ||
        !children)
        return false;

    std::vector<UniqueIdList> shown;
    const int count = ItemCount(folderView.get());
    for (int index = 0; index < count; ++index) {
        ViewItem item;
        if (ReadViewItem(folderView.get(), index, item)) shown.push_back(std::move(item.full));
    }
    int added = 0;
    for (;;) {
        PITEMID_CHILD raw = nullptr;
        ULONG fetched = 0;
        if (children->Next(1, &raw, &fetched) != S_OK || !raw) break;
        UniqueIdList child(raw);
        UniqueIdList full(ILCombine(v.rootIdList.get(), child.get()));
        if (!full || !ShouldShowDesktopItem(v.desktopFolder.get(), child.get(), full.get()))
            continue;
        bool present = false;
        for (const UniqueIdList& ids : shown)
            if (ILIsEqual(ids.get(), full.get())) {
                present = true;
                break;
            }
        if (present) continue;
        // The view keeps the id it accepts; one it refuses stays ours to free.
        UniqueIdList clone(ILClone(child.get()));
        UINT at = 0;
        if (clone && SUCCEEDED(shellFolderView->AddObject(clone.get(), &at))) {
            clone.release();
            ++added;
        }
    }
    if (added < 1) return false;
    log::DebugLogFormat(L"RestoreMissingDesktopItems: added=%d", added);
    return true;
}

}  // namespace lumetra::hostedview
