#include "layouttool/folder_view_win.h"

#include <exdisp.h>
#include <servprov.h>
#include <shlobj.h>

#include "layouttool/shell_guids_win.h"

namespace lumetra::layouttool {
namespace {

HRESULT Checked(HRESULT hr, const void* result) {
    return FAILED(hr) ? hr : (result ? S_OK : E_FAIL);
}

HRESULT FindDesktopDispatch(platform::ComPtr<IDispatch>& desktop) {
    platform::ComPtr<IShellWindows> windows;
    HRESULT hr = CoCreateInstance(kClsidShellWindows, nullptr, CLSCTX_ALL, kIidShellWindows,
                                  windows.put_void());
    if (FAILED(hr = Checked(hr, windows.get()))) return hr;
    VARIANT location;
    VARIANT root;
    VariantInit(&location);
    VariantInit(&root);
    LONG hwnd = 0;
    hr = windows->FindWindowSW(&location, &root, SWC_DESKTOP, &hwnd, SWFO_NEEDDISPATCH,
                               desktop.put());
    return Checked(hr, desktop.get());
}

}  // namespace

HRESULT GetDesktopFolderView(platform::ComPtr<IFolderView>& view) {
    view.reset();
    platform::ComPtr<IDispatch> desktop;
    HRESULT hr = FindDesktopDispatch(desktop);
    if (FAILED(hr)) return hr;
    platform::ComPtr<IServiceProvider> services;
    hr = desktop.As(kIidServiceProvider, services);
    if (FAILED(hr = Checked(hr, services.get()))) return hr;
    desktop.reset();
    platform::ComPtr<IShellBrowser> browser;
    hr = services->QueryService(kSidTopLevelBrowser, kIidShellBrowser, browser.put_void());
    if (FAILED(hr = Checked(hr, browser.get()))) return hr;
    services.reset();
    platform::ComPtr<IShellView> shellView;
    hr = browser->QueryActiveShellView(shellView.put());
    if (FAILED(hr = Checked(hr, shellView.get()))) return hr;
    browser.reset();
    hr = shellView.As(kIidFolderView, view);
    return Checked(hr, view.get());
}

}  // namespace lumetra::layouttool
