// The close button window and the palette's 100 ms housekeeping: the
// watchdogs, the button's hover band and the list-or-details guard.
#include "palette/close_button_win.h"

#include "hostedview/view_mode_win.h"
#include "hostedview/view_refresh_win.h"
#include "palette/appearance_win.h"
#include "palette/close_button_rules.h"
#include "palette/overlay_win.h"
#include "palette/palette_state_win.h"
#include "platform/unique_handle_win.h"
#include "protocol/messages.h"

namespace lumetra::palette {
namespace {

constexpr const wchar_t* kCloseButtonClassName = L"Lumetra.CloseBtn";

// The button's window and whether the cursor is on it; this file owns both.
struct CloseButton {
    HWND window = nullptr;
    bool hot = false;
};

CloseButton& Button() {
    static CloseButton button;
    return button;
}

ScreenRect ToScreenRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Drawn four times larger and scaled down, so that the disc and the cross
// come out smooth.
void PaintButton(HWND hwnd, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const CloseButtonColours colours = CloseButtonColoursFor(DarkMode());
    SetDCBrushColor(dc, colours.background);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const int width = client.right * kCloseSupersample, height = client.bottom * kCloseSupersample;
    if (width <= 0 || height <= 0) return;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    platform::UniqueGdiObject bitmap(
        CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) {
        DeleteDC(memory);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap.get());
    const RECT all{0, 0, width, height};
    SetDCBrushColor(memory, colours.background);
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));

    const CloseButtonDrawing d = DrawCloseButton(client.right, client.bottom, Button().hot);
    if (d.discRadius > 0) {
        platform::UniqueGdiObject disc(CreateSolidBrush(colours.disc));
        HGDIOBJ oldBrush = SelectObject(memory, disc.get());
        HGDIOBJ oldPen = SelectObject(memory, GetStockObject(NULL_PEN));
        Ellipse(memory, d.centreX - d.discRadius, d.centreY - d.discRadius,
                d.centreX + d.discRadius + 1, d.centreY + d.discRadius + 1);
        SelectObject(memory, oldPen);
        SelectObject(memory, oldBrush);
    }
    platform::UniqueGdiObject pen(
        CreatePen(PS_SOLID, kCloseSupersample, Button().hot ? colours.hotCross : colours.cross));
    HGDIOBJ oldPen = SelectObject(memory, pen.get());
    for (const auto& line : d.lines) {
        MoveToEx(memory, line.x0, line.y0, nullptr);
        LineTo(memory, line.x1, line.y1);
    }
    SelectObject(memory, oldPen);

    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, width, height, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
}

void SetHot(HWND hwnd, bool hot) {
    Button().hot = hot;
    InvalidateRect(hwnd, nullptr, FALSE);
}

void PostToOwner(HWND hwnd, UINT message) {
    if (HWND owner = GetWindow(hwnd, GW_OWNER)) PostMessageW(owner, message, 0, 0);
}

LRESULT CALLBACK CloseButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (HDC dc = BeginPaint(hwnd, &ps)) PaintButton(hwnd, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SETCURSOR: SetCursor(LoadCursorW(nullptr, IDC_HAND)); return 1;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
            if (!Button().hot) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
                TrackMouseEvent(&track);
                SetHot(hwnd, true);
            }
            return 0;
        case WM_MOUSELEAVE: SetHot(hwnd, false); return 0;
        case WM_LBUTTONUP:
        case WM_MBUTTONDOWN: PostToOwner(hwnd, protocol::WMAPP_HIDE); return 0;
        case WM_KEYDOWN:
            if (wParam == VK_F5) {
                PostToOwner(hwnd, protocol::WMAPP_REFRESH);
                return 0;
            }
            break;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool ButtonVisible() { return Button().window && IsWindowVisible(Button().window); }

void PlaceButton(const ScreenRect& palette, UINT flags) {
    const ScreenRect r = CloseButtonRect(palette);
    SetWindowPos(Button().window, HWND_TOPMOST, r.left, r.top, r.width(), r.height(),
                 flags | SWP_NOACTIVATE);
}

// Shown while the cursor is in the band at the palette's top-right corner.
void HoverTick(HWND palette) {
    RECT window{};
    POINT cursor{};
    if (!GetWindowRect(palette, &window) || !GetCursorPos(&cursor)) return;
    const ScreenRect rect = ToScreenRect(window);
    if (!InCloseButtonBand(rect, cursor.x, cursor.y)) {
        HideCloseButton();
        return;
    }
    if (Button().window && !ButtonVisible()) PlaceButton(rect, SWP_SHOWWINDOW);
}

}  // namespace

HWND CreateCloseButton(HWND palette, HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CloseButtonProc;
    wc.hInstance = instance;
    wc.lpszClassName = kCloseButtonClassName;
    RegisterClassExW(&wc);
    Button() = {
        CreateWindowExW(WS_EX_TOPMOST, kCloseButtonClassName, L"", WS_POPUP | WS_CLIPSIBLINGS, 0, 0,
                        0, 0, palette, nullptr, instance, nullptr),
        false};
    return Button().window;
}

void HideCloseButton() {
    if (ButtonVisible()) ShowWindow(Button().window, SW_HIDE);
    Button().hot = false;
}

void MoveCloseButtonAlong() {
    PaletteState& state = Palette();
    RECT window{};
    if (!ButtonVisible() || !PaletteExists() || !GetWindowRect(state.window, &window)) return;
    PlaceButton(ToScreenRect(window), SWP_NOSIZE);
}

void HousekeepingTick() {
    if (!PaletteExists()) return;
    hostedview::ScrubWatchdogTick();
    hostedview::RevealWatchdogTick();
    OverlayWatchdogTick();
    PaletteState& state = Palette();
    if (!state.paletteShown || !IsWindowVisible(state.window)) {
        HideCloseButton();
        return;
    }
    HoverTick(state.window);
    hostedview::ListOrDetailsGuard();
}

}  // namespace lumetra::palette
