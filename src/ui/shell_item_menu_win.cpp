#include "ui/shell_item_menu_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>

#include "config/settings.h"
#include "config/settings_store.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/view_mode_win.h"
#include "log/debug_log.h"
#include "platform/com_ptr_win.h"
#include "platform/unique_handle_win.h"
#include "protocol/messages.h"
#include "ui/menu_build_win.h"
#include "ui/shell_item_menu.h"
#include "ui/shell_menu_prune_win.h"
#include "ui/ui_language.h"
#include "ui/view_menu.h"
#include "ui/view_menu_win.h"

namespace lumetra::ui {
namespace {

using platform::ComPtr;

// The shell menu open now; the palette's window procedure offers it its
// messages first.
struct ActiveShellMenu {
    ComPtr<IContextMenu2> menu2;
    ComPtr<IContextMenu3> menu3;
};

ActiveShellMenu& Active() {
    static ActiveShellMenu active;
    return active;
}

void TakeActiveShellMenu(IContextMenu* menu) {
    ReleaseActiveShellMenu();
    menu->QueryInterface(IID_IContextMenu2, Active().menu2.put_void());
    menu->QueryInterface(IID_IContextMenu3, Active().menu3.put_void());
}

// The shell's verb for one of its commands; empty when it gives none.
std::wstring CommandVerb(IContextMenu* menu, unsigned command) {
    char verb[256] = {};
    if (FAILED(menu->GetCommandString(command, GCS_VERBA, nullptr, verb, sizeof verb)) || !verb[0])
        return {};
    verb[sizeof verb - 1] = '\0';
    wchar_t wide[256] = {};
    const int length = MultiByteToWideChar(CP_ACP, 0, verb, -1, wide, 256);
    return length > 0 ? std::wstring(wide) : std::wstring();
}

bool InvokeShellCommand(IContextMenu* menu, unsigned command, const wchar_t* verb, HWND window,
                        POINT at) {
    CMINVOKECOMMANDINFOEX info{};
    static_assert(sizeof info == 104, "the shell expects the extended record");
    info.cbSize = sizeof info;
    info.fMask = CMIC_MASK_UNICODE | CMIC_MASK_PTINVOKE;
    info.hwnd = window;
    info.lpVerb = MAKEINTRESOURCEA(command);
    info.lpVerbW = MAKEINTRESOURCEW(command);
    info.nShow = SW_SHOWNORMAL;
    info.ptInvoke = at;
    const HRESULT hr = menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&info));
    log::DebugLogFormat(L"Shell item menu: invoke %u verb='%ls' hr=0x%08lX", command, verb,
                        static_cast<unsigned long>(hr));
    return SUCCEEDED(hr);
}

// The shell's menu without its view modes and "Refresh", between the
// palette's icon size and "Close window".
platform::UniqueMenu BuildItemMenu(IContextMenu* shellMenu, int selectedCount) {
    platform::UniqueMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    const HRESULT hr = shellMenu->QueryContextMenu(
        menu.get(), 0, kShellMenuFirstId, kShellMenuLastId, ShellMenuQueryFlags(selectedCount));
    if (FAILED(hr))
        log::DebugLogFormat(L"Shell item menu: QueryContextMenu hr=0x%08lX",
                            static_cast<unsigned long>(hr));
    const std::size_t pruned = PruneShellItemMenu(menu.get());
    log::DebugLogFormat(L"Shell item menu: %u item(s) pruned, %d left",
                        static_cast<unsigned>(pruned), GetMenuItemCount(menu.get()));
    const int language = CurrentUILanguageIndex();
    InsertMenuModel(menu.get(), 0, ShellMenuHead(language, config::Cfg().viewMode));
    InsertMenuModel(menu.get(), static_cast<UINT>(GetMenuItemCount(menu.get())),
                    ShellMenuTail(language));
    return menu;
}

void Dispatch(const ShellItemMenuHost& host, IContextMenu* shellMenu, unsigned id, POINT at) {
    const std::wstring verb =
        id >= kShellMenuFirstId ? CommandVerb(shellMenu, ShellCommandOffset(id)) : std::wstring();
    switch (ClassifyItemMenuChoice(id, verb)) {
        case ItemMenuChoice::Nothing: return;
        case ItemMenuChoice::OwnCommand:
            ReleaseActiveShellMenu();
            SendMessageW(host.palette, WM_COMMAND, id, 0);
            return;
        case ItemMenuChoice::Rename:
            log::DebugLogWrite(L"Shell item menu: rename -> the palette's own rename");
            if (host.renameFocusedItem) host.renameFocusedItem();
            return;
        case ItemMenuChoice::InvokeShell: break;
    }
    HWND window = host.listView && IsWindow(host.listView) ? host.listView : host.palette;
    const bool invoked =
        InvokeShellCommand(shellMenu, ShellCommandOffset(id), verb.c_str(), window, at);
    // A shell command, such as the shell's own sort, may change the view's sort.
    if (invoked) hostedview::ArmShellCommandSync();
    if (HidesAfterShellCommand(verb, invoked, config::Cfg().closeOnItemActivate,
                               IsWindowVisible(host.palette) != FALSE))
        PostMessageW(host.palette, protocol::WMAPP_HIDE, 0, 0);
}

}  // namespace

void ShowShellItemMenu(const ShellItemMenuHost& host, POINT at) {
    const int selected =
        host.listView ? static_cast<int>(SendMessageW(host.listView, LVM_GETSELECTEDCOUNT, 0, 0))
                      : 0;
    if (at.x == -1 && at.y == -1) GetCursorPos(&at);
    const unsigned scope = ShellMenuItemScope(selected);
    ComPtr<IContextMenu> shellMenu;
    HRESULT hr = E_FAIL;
    if (const auto& view = hostedview::View().shellView)
        hr = view->GetItemObject(scope, IID_IContextMenu, shellMenu.put_void());
    if (FAILED(hr) || !shellMenu) {
        log::DebugLogFormat(L"WM_CONTEXTMENU GetItemObject failed svgio=%u sel=%d hr=0x%08lX",
                            scope, selected, static_cast<unsigned long>(FAILED(hr) ? hr : E_FAIL));
        if (selected == 0) ShowViewContextMenu(host.palette, at, host.owner);
        return;
    }
    {
        const MenuBracket bracket(host.palette, host.owner);
        TakeActiveShellMenu(shellMenu.get());
        platform::UniqueMenu menu = BuildItemMenu(shellMenu.get(), selected);
        if (menu) {
            const auto id = static_cast<unsigned>(TrackPopupMenu(
                menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, host.palette, nullptr));
            Dispatch(host, shellMenu.get(), id, at);
        }
    }
    ReleaseActiveShellMenu();
}

bool ForwardToActiveShellMenu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    ActiveShellMenu& active = Active();
    if (active.menu3) {
        LRESULT handled = 0;
        if (active.menu3->HandleMenuMsg2(message, wParam, lParam, &handled) == S_OK) {
            result = handled;
            return true;
        }
    }
    if (active.menu2 &&
        (message == WM_INITMENUPOPUP || message == WM_DRAWITEM || message == WM_MEASUREITEM) &&
        active.menu2->HandleMenuMsg(message, wParam, lParam) == S_OK) {
        result = 0;
        return true;
    }
    return false;
}

void ReleaseActiveShellMenu() {
    Active().menu2.reset();
    Active().menu3.reset();
}

}  // namespace lumetra::ui
