#include "fake_folder_view_win.h"

#include <initializer_list>

#include "hostedview/shell_ids_win.h"

namespace lumetra::hostedview::testing {

namespace {

std::wstring Text(const wchar_t* name, std::initializer_list<long long> values) {
    std::wstring text = name;
    for (long long v : values) text += L" " + std::to_wstring(v);
    return text;
}

// The storage property set's name column, which a fresh view sorts by.
constexpr PROPERTYKEY kName = {
    {0xB725F130, 0x47EF, 0x101A, {0xA5, 0xF1, 0x02, 0x60, 0x8C, 0x9E, 0xEB, 0xAC}}, 10};

}  // namespace

FakeFolderView::FakeFolderView() { sort = {kName, SORT_ASCENDING}; }

FakeFolderView::~FakeFolderView() {
    for (auto* list : {&items, &removed, &added})
        for (PITEMID_CHILD child : *list) CoTaskMemFree(child);
}

void FakeFolderView::AddItem(PCUITEMID_CHILD child) { items.push_back(ILClone(child)); }

STDMETHODIMP FakeFolderView::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidShellView) ||
        IsEqualIID(iid, kIidOleWindow))
        *out = static_cast<IShellView*>(this);
    else if (IsEqualIID(iid, kIidFolderView2) || IsEqualIID(iid, IID_IFolderView))
        *out = static_cast<IFolderView2*>(this);
    else if (IsEqualIID(iid, kIidShellFolderView))
        *out = static_cast<IShellFolderView*>(this);
    else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP FakeFolderView::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = nullptr;
    return E_FAIL;
}

STDMETHODIMP FakeFolderView::GetItemObject(UINT, REFIID, void** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP FakeFolderView::GetFolder(REFIID, void** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP FakeFolderView::Item(int index, PITEMID_CHILD* child) {
    itemCalls.push_back(index);
    if (!child) return E_POINTER;
    *child = nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return E_INVALIDARG;
    *child = ILClone(items[static_cast<std::size_t>(index)]);
    return *child ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP FakeFolderView::ItemCount(UINT, int* count) {
    if (!count) return E_POINTER;
    *count = static_cast<int>(items.size());
    return S_OK;
}

STDMETHODIMP FakeFolderView::Items(UINT, REFIID, void** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP FakeFolderView::GetItem(int, REFIID, void** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP FakeFolderView::AddObject(PUITEMID_CHILD child, UINT* at) {
    if (FAILED(addResult)) return addResult;
    added.push_back(child);  // the view keeps what it accepts
    if (at) *at = static_cast<UINT>(items.size());
    items.push_back(ILClone(child));
    return S_OK;
}

STDMETHODIMP FakeFolderView::RemoveObject(PUITEMID_CHILD child, UINT* at) {
    removed.push_back(ILClone(child));
    if (!removeDeletes) return S_OK;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (ILIsEqual(items[i], child)) {
            CoTaskMemFree(items[i]);
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
            if (at) *at = static_cast<UINT>(i);
            return S_OK;
        }
    return E_INVALIDARG;
}

int FakeFolderView::CallCount(const std::wstring& prefix) const {
    int n = 0;
    for (const std::wstring& call : calls) n += call.rfind(prefix, 0) == 0;
    return n;
}

STDMETHODIMP FakeFolderView::GetCurrentViewMode(UINT* viewMode) {
    if (!viewMode) return E_POINTER;
    *viewMode = static_cast<UINT>(mode);
    return S_OK;
}

STDMETHODIMP FakeFolderView::SetCurrentViewMode(UINT viewMode) {
    calls.push_back(Text(L"SetCurrentViewMode", {viewMode}));
    mode = static_cast<FOLDERVIEWMODE>(viewMode);
    if (mode == FVM_SMALLICON && smallIconsDropGroups) groupKey = {};
    return S_OK;
}

STDMETHODIMP FakeFolderView::SetViewModeAndIconSize(FOLDERVIEWMODE viewMode, int px) {
    calls.push_back(Text(L"SetViewModeAndIconSize", {viewMode, px}));
    if (notImplemented) return E_NOTIMPL;
    for (FOLDERVIEWMODE failing : sizeFailsIn)
        if (failing == viewMode) return E_FAIL;
    mode = viewMode;
    iconPx = px;
    if (mode == FVM_SMALLICON && smallIconsDropGroups) groupKey = {};
    return S_OK;
}

STDMETHODIMP FakeFolderView::GetViewModeAndIconSize(FOLDERVIEWMODE* viewMode, int* px) {
    if (!viewMode || !px) return E_POINTER;
    if (notImplemented) return E_NOTIMPL;
    *viewMode = mode;
    *px = reportedPx ? reportedPx : iconPx;
    return S_OK;
}

STDMETHODIMP FakeFolderView::SetCurrentFolderFlags(DWORD mask, DWORD flags) {
    calls.push_back(Text(L"SetCurrentFolderFlags", {mask, flags}));
    if (notImplemented) return E_NOTIMPL;
    folderFlags = (folderFlags & ~mask) | (flags & mask);
    return S_OK;
}

STDMETHODIMP FakeFolderView::GetCurrentFolderFlags(DWORD* flags) {
    if (!flags) return E_POINTER;
    if (notImplemented) return E_NOTIMPL;
    *flags = folderFlags;
    return S_OK;
}

STDMETHODIMP FakeFolderView::GetSortColumnCount(int* count) {
    if (!count) return E_POINTER;
    if (notImplemented) return E_NOTIMPL;
    *count = 1;
    return S_OK;
}

STDMETHODIMP FakeFolderView::SetSortColumns(const SORTCOLUMN* columns, int count) {
    if (!columns || count < 1) return E_INVALIDARG;
    calls.push_back(Text(L"SetSortColumns", {columns[0].propkey.pid, columns[0].direction}));
    if (notImplemented) return E_NOTIMPL;
    sort = columns[0];
    return S_OK;
}

STDMETHODIMP FakeFolderView::GetSortColumns(SORTCOLUMN* columns, int count) {
    if (!columns || count < 1) return E_INVALIDARG;
    if (notImplemented) return E_NOTIMPL;
    columns[0] = sort;
    return S_OK;
}

STDMETHODIMP FakeFolderView::SetGroupBy(REFPROPERTYKEY key, BOOL ascending) {
    calls.push_back(Text(L"SetGroupBy", {key.pid, ascending}));
    if (notImplemented) return E_NOTIMPL;
    if (FAILED(groupResult)) return groupResult;
    groupKey = key;
    groupAscending = ascending;
    if (mode == FVM_SMALLICON && smallIconsDropGroups) groupKey = {};
    return S_OK;
}

STDMETHODIMP FakeFolderView::GetGroupBy(PROPERTYKEY* key, BOOL* ascending) {
    if (!key || !ascending) return E_POINTER;
    if (notImplemented) return E_NOTIMPL;
    if (FAILED(groupResult)) return groupResult;
    *key = groupKey;
    *ascending = groupAscending;
    return S_OK;
}

}  // namespace lumetra::hostedview::testing
