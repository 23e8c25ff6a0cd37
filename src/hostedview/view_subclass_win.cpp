#include "hostedview/view_subclass_win.h"

#include <commctrl.h>

#include "hostedview/hosted_view_win.h"

namespace lumetra::hostedview {
namespace {

LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
}

WNDPROC Swap(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

void RestoreListView(HostedView& v) {
    if (v.subclassedListView && IsWindow(v.subclassedListView) && v.listViewProc)
        Swap(v.subclassedListView, v.listViewProc);
    v.subclassedListView = nullptr;
    v.listViewProc = nullptr;
}

}  // namespace

LRESULT CALLBACK ViewWindowSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The list view asks its parent for tips; the shell's view may not answer.
    if (message == WM_NOTIFY && lParam && ProvideItemInfoTip(reinterpret_cast<NMHDR*>(lParam)))
        return 0;
    return CallPrevious(View().viewWindowProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ListViewSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The shell's view leaves Ctrl+A, C, X, V and Z to its browser: the palette does them.
    if (message == WM_KEYDOWN && GetKeyState(VK_CONTROL) < 0 &&
        HostHandleCtrlShortcut(static_cast<UINT>(wParam)))
        return 0;
    return CallPrevious(View().listViewProc, window, message, wParam, lParam);
}

void FollowHostedListView() {
    HostedView& v = View();
    HWND current = FindHostedListView();
    if (current == v.subclassedListView) return;
    RestoreListView(v);
    if (!current) return;
    v.subclassedListView = current;
    v.listViewProc = Swap(current, ListViewSubclassProc);
}

void RestoreSubclassedWindows() {
    HostedView& v = View();
    RestoreListView(v);
    v.listView = nullptr;
    if (v.viewWindow && IsWindow(v.viewWindow) && v.viewWindowProc)
        Swap(v.viewWindow, v.viewWindowProc);
    v.viewWindowProc = nullptr;
}

}  // namespace lumetra::hostedview
