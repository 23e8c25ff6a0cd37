#include "hostedview/info_tip_win.h"

#include <commctrl.h>

#include "hostedview/hosted_view_win.h"
#include "hostedview/shell_ids_win.h"
#include "platform/com_ptr_win.h"

namespace lumetra::hostedview {
namespace {

using platform::ComPtr;

constexpr DWORD kTipDefault = 0;  // QITIPF_DEFAULT
constexpr DWORD kTipSlow = 8;     // QITIPF_USESLOWTIP

std::wstring TipText(IQueryInfo* info, DWORD flags) {
    PWSTR text = nullptr;
    if (FAILED(info->GetInfoTip(flags, &text))) return {};
    std::wstring tip = text ? text : L"";
    CoTaskMemFree(text);
    return tip;
}

bool IsHostedListView(HWND window) {
    wchar_t className[32] = {};
    if (!window || GetClassNameW(window, className, 32) == 0) return false;
    if (CompareStringOrdinal(className, -1, L"SysListView32", -1, TRUE) != CSTR_EQUAL) return false;
    return !HasViewWindow() || GetParent(window) == View().viewWindow;
}

std::wstring FetchItemTip(int index) {
    ComPtr<IFolderView2> folderView;
    if (FAILED(View().shellView.As(kIidFolderView2, folderView)) || !folderView) return {};
    PITEMID_CHILD rawChild = nullptr;
    if (FAILED(folderView->Item(index, &rawChild)) || !rawChild) return {};
    UniqueIdList child(rawChild);
    UniqueIdList root;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, root.put())) || !root) return {};
    UniqueIdList full(ILCombine(root.get(), child.get()));
    ComPtr<IShellFolder> desktop;
    if (!full || FAILED(SHGetDesktopFolder(desktop.put())) || !desktop) return {};
    PCUITEMID_CHILD last = ILFindLastID(full.get());
    ComPtr<IQueryInfo> info;
    if (FAILED(
            desktop->GetUIObjectOf(nullptr, 1, &last, kIidQueryInfo, nullptr, info.put_void())) ||
        !info)
        return {};
    return QueryItemInfoTip(info.get());
}

}  // namespace

std::wstring QueryItemInfoTip(IQueryInfo* info) {
    if (!info) return {};
    std::wstring tip = TipText(info, kTipDefault);
    if (tip.empty()) tip = TipText(info, kTipSlow);
    return tip;
}

bool ProvideItemInfoTip(NMHDR* notification) {
    if (!notification || notification->code != LVN_GETINFOTIPW) return false;
    auto* request = reinterpret_cast<NMLVGETINFOTIPW*>(notification);
    if (request->iItem < 0 || !IsHostedListView(notification->hwndFrom)) return false;
    if (!request->pszText || request->cchTextMax <= 0) return false;
    InfoTipCache& cache = View().infoTip;
    if (InfoTipCacheMiss(cache, request->iItem) && View().shellView)
        cache.text = FetchItemTip(request->iItem);
    if (cache.text.empty()) return false;
    CopyTipText(cache.text, request->pszText, request->cchTextMax);
    return true;
}

}  // namespace lumetra::hostedview
