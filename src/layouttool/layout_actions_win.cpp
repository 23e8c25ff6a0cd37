#include "layouttool/layout_actions_win.h"

// windows.h comes first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <cstring>

#include "layouttool/desktop_windows_win.h"
#include "layouttool/folder_view_win.h"
#include "layouttool/layout_actions.h"
#include "layouttool/layout_store_win.h"
#include "layouttool/notices_win.h"
#include "layouttool/shell_guids_win.h"
#include "platform/unique_id_list_win.h"

namespace lumetra::layouttool {
namespace {

bool ReadViewItems(IFolderView* view, std::vector<SavedItem>& items) {
    platform::ComPtr<IEnumIDList> enumerator;
    if (FAILED(view->Items(SVGIO_ALLVIEW, kIidEnumIdList, enumerator.put_void())) || !enumerator)
        return false;
    const HWND listView = ToHwnd(FindDesktopListView().listView);
    for (;;) {
        platform::UniqueIdList item;
        ULONG fetched = 0;
        if (enumerator->Next(1, item.put(), &fetched) != S_OK || !item) break;
        POINT point{};
        if (FAILED(view->GetItemPosition(item.get(), &point))) continue;
        const UINT size = ILGetSize(item.get());
        if (!IsStorableItemId(size)) continue;
        if (listView) MapWindowPoints(listView, nullptr, &point, 1);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(item.get());
        items.push_back({std::vector<std::uint8_t>(bytes, bytes + size), {point.x, point.y}});
    }
    return true;
}

bool PositionItem(IFolderView* view, HWND listView, const LayoutRecordView& record) {
    // The shell reads the ID list in place; give it memory of its own.
    void* copy = CoTaskMemAlloc(record.id.size());
    if (!copy) return false;
    std::memcpy(copy, record.id.data(), record.id.size());
    POINT point{record.point.x, record.point.y};
    if (listView) MapWindowPoints(nullptr, listView, &point, 1);
    PCUITEMID_CHILD item = static_cast<PCUITEMID_CHILD>(copy);
    const HRESULT hr = view->SelectAndPositionItems(1, &item, &point, SVSI_POSITIONITEM);
    CoTaskMemFree(copy);
    return SUCCEEDED(hr);
}

}  // namespace

int SaveLayout() {
    platform::ComPtr<IFolderView> view;
    SaveSteps steps;
    steps.openView = [&] { return SUCCEEDED(GetDesktopFolderView(view)); };
    steps.itemCount = [&]() -> long long {
        int count = 0;
        return FAILED(view->ItemCount(SVGIO_ALLVIEW, &count)) ? -1 : count;
    };
    steps.readItems = [&](std::vector<SavedItem>& items) {
        const bool read = ReadViewItems(view.get(), items);
        view.reset();
        return read;
    };
    steps.layoutPath = GetLayoutFilePath;
    steps.writeFile = WriteLayoutFile;
    steps.notify = ShowNotice;
    return RunSave(steps);
}

int RestoreLayout() {
    platform::ComPtr<IFolderView2> view;
    HWND listView = nullptr;
    RestoreSteps steps;
    steps.layoutPath = GetLayoutFilePath;
    steps.readFile = ReadLayoutFile;
    steps.openView = [&] {
        platform::ComPtr<IFolderView> first;
        if (FAILED(GetDesktopFolderView(first))) return ViewAccess::kNoView;
        if (FAILED(first.As(kIidFolderView2, view)) || !view) return ViewAccess::kNoLayoutInterface;
        return ViewAccess::kOk;
    };
    steps.autoArrangeOn = [&] { return view->GetAutoArrange() == S_OK; };
    steps.prepareMapping = [&] { listView = ToHwnd(FindDesktopListView().listView); };
    steps.positionItem = [&](const LayoutRecordView& record) {
        return PositionItem(view.get(), listView, record);
    };
    steps.notify = ShowNotice;
    return RunRestore(steps);
}

}  // namespace lumetra::layouttool
