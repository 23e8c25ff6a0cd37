#include "hostedview/folder_filter_win.h"

#include <new>

#include "config/settings.h"
#include "hostedview/desktop_item_filter_win.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/shell_ids_win.h"
#include "log/debug_log.h"
#include "platform/com_ptr_win.h"

namespace lumetra::hostedview {

LumetraFolderFilter* LumetraFolderFilter::Create() {
    return new (std::nothrow) LumetraFolderFilter();
}

STDMETHODIMP LumetraFolderFilter::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidFolderFilter)) {
        *out = static_cast<IFolderFilter*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) LumetraFolderFilter::AddRef() { return ++refs_; }

STDMETHODIMP_(ULONG) LumetraFolderFilter::Release() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP LumetraFolderFilter::ShouldShow(IShellFolder* folder, PCIDLIST_ABSOLUTE,
                                             PCUITEMID_CHILD item) {
    if (!folder || !item) return S_FALSE;
    UniqueIdList folderIds;
    if (FAILED(SHGetIDListFromObject(folder, folderIds.put())) || !folderIds) return S_FALSE;
    UniqueIdList full(ILCombine(folderIds.get(), item));
    if (!full) return S_FALSE;
    if (IsControlPanelItem(full.get())) return S_FALSE;
    if (config::Cfg().desktopItemsMode == config::DesktopItemsMode::AllItems) return S_OK;
    return ShouldShowDesktopItem(folder, item, full.get()) ? S_OK : S_FALSE;
}

STDMETHODIMP LumetraFolderFilter::GetEnumFlags(IShellFolder*, PCIDLIST_ABSOLUTE, HWND*,
                                               DWORD* flags) {
    if (!flags) return E_POINTER;
    *flags = kDesktopEnumFlags;
    return S_OK;
}

bool AttachFolderFilter() {
    HostedView& v = View();
    if (v.filterAttached) return true;
    if (!v.shellView) return false;
    if (!v.folderFilter) {
        v.folderFilter = platform::ComPtr<IFolderFilter>::Attach(LumetraFolderFilter::Create());
        if (!v.folderFilter) return false;
    }
    platform::ComPtr<IFolderFilterSite> site;
    HRESULT hr = v.shellView.As(kIidFolderFilterSite, site);
    if (FAILED(hr)) {
        platform::ComPtr<IShellFolderView> folderView;
        hr = v.shellView.As(kIidShellFolderView, folderView);
        if (SUCCEEDED(hr)) hr = folderView.As(kIidFolderFilterSite, site);
    }
    if (FAILED(hr) || !site) {
        log::DebugLogFormat(
            L"AttachFolderFilter: no IFolderFilterSite on desktop view (hr=0x%08lX); post-filter "
            L"only.",
            static_cast<unsigned long>(hr));
        return false;
    }
    hr = site->SetFilter(v.folderFilter.get());
    if (FAILED(hr)) {
        log::DebugLogFormat(L"AttachFolderFilter: SetFilter hr=0x%08lX",
                            static_cast<unsigned long>(hr));
        return false;
    }
    v.filterAttached = true;
    log::DebugLogWrite(L"AttachFolderFilter: folder filter attached.");
    return true;
}

}  // namespace lumetra::hostedview
