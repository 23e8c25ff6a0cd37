#include "hostedview/shell_browser_win.h"

#include <new>

#include "hostedview/hosted_view_win.h"
#include "hostedview/shell_ids_win.h"

namespace lumetra::hostedview {

LumetraShellBrowser* LumetraShellBrowser::Create(HWND host) {
    return new (std::nothrow) LumetraShellBrowser(host);
}

STDMETHODIMP LumetraShellBrowser::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidOleWindow) ||
        IsEqualIID(iid, kIidShellBrowser)) {
        *out = static_cast<IShellBrowser*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) LumetraShellBrowser::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) LumetraShellBrowser::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP LumetraShellBrowser::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = host_;
    return S_OK;
}

STDMETHODIMP LumetraShellBrowser::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
STDMETHODIMP LumetraShellBrowser::InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
STDMETHODIMP LumetraShellBrowser::SetMenuSB(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP LumetraShellBrowser::RemoveMenusSB(HMENU) { return S_OK; }
STDMETHODIMP LumetraShellBrowser::SetStatusTextSB(LPCWSTR) { return S_OK; }
STDMETHODIMP LumetraShellBrowser::EnableModelessSB(BOOL) { return S_OK; }
STDMETHODIMP LumetraShellBrowser::TranslateAcceleratorSB(MSG*, WORD) { return E_NOTIMPL; }
// The view must never navigate away from the Desktop.
STDMETHODIMP LumetraShellBrowser::BrowseObject(PCUIDLIST_RELATIVE, UINT) { return E_NOTIMPL; }
STDMETHODIMP LumetraShellBrowser::GetViewStateStream(DWORD, IStream**) { return E_NOTIMPL; }
STDMETHODIMP LumetraShellBrowser::GetControlWindow(UINT, HWND*) { return E_NOTIMPL; }
STDMETHODIMP LumetraShellBrowser::SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT*) {
    return E_NOTIMPL;
}

STDMETHODIMP LumetraShellBrowser::QueryActiveShellView(IShellView** view) {
    if (!view) return E_POINTER;
    *view = View().shellView.get();
    if (!*view) return E_FAIL;
    (*view)->AddRef();
    return S_OK;
}

STDMETHODIMP LumetraShellBrowser::OnViewWindowActive(IShellView*) { return S_OK; }
STDMETHODIMP LumetraShellBrowser::SetToolbarItems(LPTBBUTTONSB, UINT, UINT) { return E_NOTIMPL; }

}  // namespace lumetra::hostedview
