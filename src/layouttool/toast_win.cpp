#include "layouttool/toast_win.h"

#include <windows.h>

#include <memory>
#include <new>
#include <string>

#include "layouttool/texts.h"
#include "layouttool/toast_geometry.h"
#include "platform/system_library_win.h"
#include "platform/unique_handle_win.h"

namespace lumetra::layouttool {
namespace {

// Not in every SDK's headers.
constexpr DWORD kDwmWindowCornerPreference = 33;
constexpr DWORD kDwmCornerRound = 2;

struct ToastRecord {
    std::wstring title;
    std::wstring body;
    bool destroyed = false;
};

platform::UniqueGdiObject MakeFont(int height, int weight) {
    return platform::UniqueGdiObject(CreateFontW(
        height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI"));
}

void DrawTextIn(HDC dc, const std::wstring& text, RECT rect, int fontHeight, int weight,
                COLORREF colour, UINT format) {
    platform::UniqueGdiObject font = MakeFont(fontHeight, weight);
    const HGDIOBJ old = SelectObject(dc, font.get());
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), -1, &rect, format);
    SelectObject(dc, old);
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    if (!dc) return;
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;

    platform::UniqueGdiObject white(CreateSolidBrush(RGB(255, 255, 255)));
    FillRect(dc, &client, static_cast<HBRUSH>(white.get()));
    platform::UniqueGdiObject orange(CreateSolidBrush(RGB(255, 174, 0)));
    const RECT accent{0, 0, 4, height};
    FillRect(dc, &accent, static_cast<HBRUSH>(orange.get()));

    platform::UniqueGdiObject pen(CreatePen(PS_SOLID, 1, RGB(218, 218, 218)));
    const HGDIOBJ oldPen = SelectObject(dc, pen.get());
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    RoundRect(dc, 0, 0, width, height, 10, 10);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);

    DrawIconEx(dc, 16, 16, LoadIconW(nullptr, IDI_WARNING), 24, 24, 0, nullptr, DI_NORMAL);

    if (const auto* record =
            reinterpret_cast<const ToastRecord*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
        SetBkMode(dc, TRANSPARENT);
        DrawTextIn(dc, record->title, {52, 14, width - 16, 38}, -15, 600, RGB(30, 30, 30),
                   DT_SINGLELINE | DT_END_ELLIPSIS);
        DrawTextIn(dc, record->body, {52, 38, width - 16, height - 14}, -14, 400, RGB(96, 96, 96),
                   DT_WORDBREAK);
    }
    EndPaint(window, &paint);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTW* create) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    SetTimer(window, kToastTimerId, kToastVisibleMs, nullptr);
    return 0;
}

void OnTimer(HWND window, WPARAM id) {
    if (id == kToastTimerId) DestroyWindow(window);
}

void OnDestroy(HWND window) {
    KillTimer(window, kToastTimerId);
    if (auto* record = reinterpret_cast<ToastRecord*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
        record->destroyed = true;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

LRESULT CALLBACK ToastProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreate(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
        case WM_TIMER: OnTimer(window, wParam); return 0;
        case WM_PAINT: OnPaint(window); return 0;
        case WM_DESTROY: OnDestroy(window); return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterToastClass() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = ToastProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.lpszClassName = kToastClass;
    return RegisterClassW(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int MeasureToastHeight(const std::wstring& body) {
    const HDC screen = GetDC(nullptr);
    if (!screen) return ToastHeight(false, 0);
    platform::UniqueGdiObject font = MakeFont(-14, 400);
    const HGDIOBJ old = SelectObject(screen, font.get());
    RECT rect{0, 0, kToastTextWidth, 0};
    DrawTextW(screen, body.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return ToastHeight(true, rect.bottom - rect.top);
}

ToastRect WorkArea() {
    RECT area{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        return {area.left, area.top, area.right, area.bottom};
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void RoundCorners(HWND window, int height) {
    const DWORD preference = kDwmCornerRound;
    platform::SetDwmWindowAttribute(window, kDwmWindowCornerPreference, &preference,
                                    sizeof preference);
    const HRGN region = CreateRoundRectRgn(0, 0, kToastWidth + 1, height + 1, 12, 12);
    // The window owns the region once it is set.
    if (region && !SetWindowRgn(window, region, TRUE)) DeleteObject(region);
}

// True when WM_QUIT arrived.
bool PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        bool any = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return true;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            any = true;
        }
        if (!any) Sleep(16);
    }
    return false;
}

}  // namespace

bool ShowToast(const wchar_t* title, const wchar_t* body) {
    if (!body || !*body) return false;
    if (!RegisterToastClass()) return false;
    // The record outlives the window: the window is destroyed before this returns.
    std::unique_ptr<ToastRecord> record(new (std::nothrow) ToastRecord);
    if (!record) return false;
    record->title = title && *title ? title : kProgramTitle;
    record->body = body;

    const int height = MeasureToastHeight(record->body);
    const ToastRect place = PlaceToast(WorkArea(), height);
    platform::UniqueHwnd window(CreateWindowExW(
        WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kToastClass, L"", WS_POPUP, place.left, place.top,
        kToastWidth, height, nullptr, nullptr, GetModuleHandleW(nullptr), record.get()));
    if (!window) return false;
    RoundCorners(window.get(), height);
    ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    UpdateWindow(window.get());
    PumpFor(kToastPumpMs);
    // The timer may already have destroyed it.
    if (record->destroyed) window.release();
    return true;
}

}  // namespace lumetra::layouttool
