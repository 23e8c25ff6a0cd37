// The palette's keyboard and mouse behaviour on the shell's view: keys and
// clicks the palette takes from the list view, the edge band that lets the
// palette's frame be dragged over the view, the scroll bar kept out of sight
// while the view is rebuilt, and the custom draw of light group headers.
#include "hostedview/view_subclass_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "config/settings.h"
#include "config/settings_store.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/view_input_rules.h"
#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"
#include "platform/unique_handle_win.h"
#include "protocol/messages.h"

namespace lumetra::hostedview {
namespace {

constexpr COLORREF kDarkViewBackground = RGB(0x1C, 0x1C, 0x1C);
constexpr COLORREF kLightViewBackground = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kDarkScrollBarBackground = 0x202020;
constexpr COLORREF kDarkScrollBarText = 0xD4D4D4;
constexpr COLORREF kLightGroupHeaderText = 0x202020;
constexpr COLORREF kLightGroupHeaderBackground = 0xF3F3F3;
constexpr UINT kMouseLeaveSettleMs = 80;

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

// A press this close to the palette's edge belongs to the palette's frame.
bool InEdgeBand(LPARAM screenPoint) {
    RECT palette{};
    if (!View().host || !GetWindowRect(View().host, &palette)) return false;
    return InPaletteEdgeBand({palette.left, palette.top, palette.right, palette.bottom},
                             GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint));
}

void PostToHost(UINT message) {
    if (View().host && IsWindow(View().host)) PostMessageW(View().host, message, 0, 0);
}

bool OnListKeyDown(HWND list, WPARAM key) {
    ListKeyContext context;
    context.paletteVisible = HostVisible();
    context.modalStateOpen = HostModalStateOpen();
    context.ctrlDown = GetKeyState(VK_CONTROL) < 0;
    context.shiftDown = GetKeyState(VK_SHIFT) < 0;
    switch (DecideListKey(static_cast<unsigned>(key), context)) {
        case ListKeyAction::PassOn: return false;
        case ListKeyAction::Hide: HostRequestHide(); return true;
        case ListKeyAction::Rename: return HostRenameFocusedItem();
        case ListKeyAction::Refresh: PostToHost(protocol::WMAPP_REFRESH); return true;
        case ListKeyAction::Delete: HostDeleteSelection(); return true;
        case ListKeyAction::CtrlShortcut: return HostHandleCtrlShortcut(static_cast<UINT>(key));
        case ListKeyAction::ContextMenu:
            // The keyboard's form of the message: the menu opens at the cursor.
            PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
            return true;
    }
    return false;
}

// A press on empty space moves the palette; one on an item stays the list's.
bool OnListButtonDown(HWND list, LPARAM lParam) {
    LVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) >= 0) return false;
    if (ListViewEditing()) {
        SetFocus(View().host);  // ends the label edit
        return true;
    }
    ReleaseCapture();
    HostDragPalette();
    return true;
}

LRESULT DarkScrollBarColours(HDC dc) {
    static const platform::UniqueGdiObject brush(CreateSolidBrush(kDarkScrollBarBackground));
    SetBkColor(dc, kDarkScrollBarBackground);
    SetTextColor(dc, kDarkScrollBarText);
    return reinterpret_cast<LRESULT>(brush.get());
}

bool RefuseScrollBarShow(HWND window, WPARAM wParam) {
    if (!RefusesScrollBarShow(static_cast<unsigned>(wParam), IsRefreshBusy())) return false;
    ShowScrollBar(window, SB_VERT, FALSE);
    return true;
}

// Messages the palette answers instead of the list view.
bool HandleListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_KEYDOWN: return OnListKeyDown(list, wParam);
        case WM_CONTEXTMENU:
            HostShowItemMenu(list, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return true;
        case WM_LBUTTONDOWN: return OnListButtonDown(list, lParam);
        case WM_MBUTTONDOWN: HostRequestHide(); return true;
        case WM_PASTE: return HostPasteIntoDesktop();
        case WM_NCHITTEST: result = HTTRANSPARENT; return InEdgeBand(lParam);
        case WM_DPICHANGED: return HostDragging();
        case WM_CTLCOLORSCROLLBAR:
            if (!wParam || !HostDarkMode()) return false;
            result = DarkScrollBarColours(reinterpret_cast<HDC>(wParam));
            return true;
        case kScrollBarShowMessage: return RefuseScrollBarShow(list, wParam);
        default: return false;
    }
}

void ApplyListViewThemeOnce() {
    static bool applying = false;
    if (applying) return;
    applying = true;
    HostApplyListViewTheme();
    applying = false;
}

// What follows the list view's own handling.
void AfterListMessage(HWND list, UINT message, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            HostPaintGroupHeaders(list);
            if (IsRefreshBusy()) ShowScrollBar(list, SB_VERT, FALSE);
            return;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
        case WM_THEMECHANGED: ApplyListViewThemeOnce(); return;
        case kScrollBarShowMessage:
            if (lParam && HostDarkMode()) HostApplyDarkScrollBars(list);
            return;
        default: break;
    }
    const bool small = SmallIconsConfigured();
    if (message == WM_DPICHANGED) {
        ApplyListViewThemeOnce();
        if (HostDragging()) return;
        if (small)
            SmallIconLayoutIfReady();
        else
            ReassertViewMode();
    } else if (small && message == WM_SIZE && !HostDragging()) {
        SmallIconLayoutIfReady();
    } else if (small && message == WM_MOUSEMOVE) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, list, 0};
        TrackMouseEvent(&track);
    } else if (small && message == WM_MOUSELEAVE && SmallIconLayoutDeferred()) {
        ArmHostTimer(protocol::kSmallIconSettleTimerId, kMouseLeaveSettleMs);
    }
}

// The list view that draws in the view window is the one of record, even
// when the shell made a new one.
void AdoptDrawingListView(HWND from) {
    HostedView& v = View();
    wchar_t className[32] = {};
    if (from == v.subclassedListView || !GetClassNameW(from, className, 32) ||
        lstrcmpW(className, L"SysListView32") != 0 || !IsChild(v.viewWindow, from))
        return;
    v.listView = from;
    FollowHostedListView();
}

// Light group headers get the palette's colours; everything else draws as the
// shell wants.
bool LightGroupHeaderDraw(NMLVCUSTOMDRAW* draw, LRESULT& result) {
    if (HostDarkMode() || !(IsViewGrouped() || config::Cfg().groupBy)) return false;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw->dwItemType == LVCDI_GROUP) {
        draw->clrText = kLightGroupHeaderText;
        draw->clrTextBk = kLightGroupHeaderBackground;
        result = CDRF_DODEFAULT;
        return true;
    }
    return false;
}

LRESULT OnViewNotify(HWND window, WPARAM wParam, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    const WNDPROC previous = View().viewWindowProc;
    if (!header) return CallPrevious(previous, window, WM_NOTIFY, wParam, lParam);
    if (header->code == NM_CUSTOMDRAW) {
        AdoptDrawingListView(header->hwndFrom);
        LRESULT result = 0;
        if (LightGroupHeaderDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam), result)) return result;
        return CallPrevious(previous, window, WM_NOTIFY, wParam, lParam);
    }
    const LRESULT result = CallPrevious(previous, window, WM_NOTIFY, wParam, lParam);
    if (header->code == LVN_GETINFOTIPW) {
        ProvideItemInfoTip(header);
    } else if (header->code == LVN_ITEMACTIVATE &&
               reinterpret_cast<NMITEMACTIVATE*>(lParam)->iItem >= 0 &&
               IsChild(window, header->hwndFrom) && config::Cfg().closeOnItemActivate &&
               HostVisible()) {
        HostRequestHide();  // the shell has opened the item by now
    }
    return result;
}

LRESULT EraseViewBackground(HWND window, HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    SetDCBrushColor(dc, HostDarkMode() ? kDarkViewBackground : kLightViewBackground);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    return 1;
}

}  // namespace

LRESULT CALLBACK ViewWindowSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return EraseViewBackground(window, reinterpret_cast<HDC>(wParam));
        case WM_NOTIFY: return OnViewNotify(window, wParam, lParam);
        case WM_NCHITTEST:
            if (InEdgeBand(lParam)) return HTTRANSPARENT;
            break;
        case WM_MBUTTONDOWN: HostRequestHide(); return 0;
        case WM_DPICHANGED:
            if (HostDragging()) return 0;
            break;
        case kScrollBarShowMessage:
            if (RefusesScrollBarShow(static_cast<unsigned>(wParam), IsRefreshBusy())) return 0;
            break;
        default: break;
    }
    const LRESULT result = CallPrevious(View().viewWindowProc, window, message, wParam, lParam);
    if ((message == WM_SIZE || message == WM_DPICHANGED) && SmallIconsConfigured() &&
        !HostDragging())
        SmallIconLayoutIfReady();
    return result;
}

LRESULT CALLBACK ListViewSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandleListMessage(window, message, wParam, lParam, result)) return result;
    result = CallPrevious(View().listViewProc, window, message, wParam, lParam);
    AfterListMessage(window, message, lParam);
    return result;
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
