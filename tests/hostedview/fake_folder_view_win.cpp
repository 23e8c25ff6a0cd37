#include "fake_folder_view_win.h"

#include "hostedview/shell_ids_win.h"

namespace lumetra::hostedview::testing {

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

}  // namespace lumetra::hostedview::testing
