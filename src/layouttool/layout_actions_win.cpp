#include "layouttool/layout_actions_win.h"

// windows.h comes first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <cstring>
#include <string>
#include <utility>

#include "layouttool/desktop_windows_win.h"
#include "layouttool/folder_view_win.h"
#include "layouttool/layout_actions.h"
#include "layouttool/layout_store_win.h"
#include "layouttool/layout_undo.h"
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

// The Desktop view a restore or an undo positions items in.
struct RestoreView {
    platform::ComPtr<IFolderView2> view;
    HWND listView = nullptr;
};

RestoreSteps RestoreStepsFor(RestoreView& target) {
    RestoreSteps steps;
    steps.layoutPath = GetLayoutFilePath;
    steps.readFile = ReadLayoutFile;
    steps.openView = [&target] {
        platform::ComPtr<IFolderView> first;
        if (FAILED(GetDesktopFolderView(first))) return ViewAccess::kNoView;
        if (FAILED(first.As(kIidFolderView2, target.view)) || !target.view)
            return ViewAccess::kNoLayoutInterface;
        return ViewAccess::kOk;
    };
    steps.autoArrangeOn = [&target] { return target.view->GetAutoArrange() == S_OK; };
    steps.prepareMapping = [&target] { target.listView = ToHwnd(FindDesktopListView().listView); };
    steps.positionItem = [&target](const LayoutRecordView& record) {
        return PositionItem(target.view.get(), target.listView, record);
    };
    steps.notify = ShowNotice;
    return steps;
}

// Stilvane has no log file of its own; a debugger shows these.
void LogLine(const wchar_t* line) {
    OutputDebugStringW((std::wstring(L"Stilvane: ") + line + L"\n").c_str());
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
    RestoreView target;
    UndoFileSteps files;
    files.readItems = [&target](std::vector<SavedItem>& items) {
        return ReadViewItems(target.view.get(), items);
    };
    files.writeFile = WriteLayoutFile;
    files.replaceFile = ReplaceLayoutFile;
    files.deleteFile = DeleteLayoutFile;
    files.log = LogLine;
    return RunRestoreKeepingUndo(RestoreStepsFor(target), files);
}

int UndoLastRestore(bool (*confirm)()) {
    RestoreView target;
    UndoSteps steps;
    steps.restore = RestoreStepsFor(target);
    steps.confirm = confirm;
    steps.deleteFile = DeleteLayoutFile;
    steps.log = LogLine;
    return RunUndo(std::move(steps));
}

}  // namespace lumetra::layouttool
