// The palette's borderless frame: background, a one-pixel frame whose colour
// follows activation, the resize band, and what activation changes.
#include <windows.h>
#include <windowsx.h>

#include "hostedview/view_refresh_win.h"
#include "palette/activation_win.h"
#include "palette/appearance_win.h"
#include "palette/frame.h"
#include "palette/palette_handlers_win.h"
#include "palette/palette_state_win.h"

namespace lumetra::palette {
namespace {

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

}  // namespace

LRESULT OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const FrameColours& colours = ColoursFor(DarkMode());
    Fill(dc, client, colours.background);
    HBRUSH frame =
        CreateSolidBrush(Palette().paletteActive ? colours.frameActive : colours.frameInactive);
    FrameRect(dc, &client, frame);
    DeleteObject(frame);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnEraseBackground(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    Fill(dc, client, ColoursFor(DarkMode()).background);
    return 1;
}

LRESULT OnNcHitTest(HWND hwnd, LPARAM lParam) {
    RECT window;
    GetWindowRect(hwnd, &window);
    return PaletteHitTest({window.left, window.top, window.right, window.bottom},
                          {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

LRESULT OnActivate(HWND hwnd, WPARAM wParam) {
    PaletteState& state = Palette();
    state.paletteActive = LOWORD(wParam) != WA_INACTIVE;
    if (!state.paletteActive) {
        // Desktop icon settings may have changed while another window was active.
        hostedview::PostRevealFilterCheck();
    } else if (IsWindowVisible(hwnd)) {
        FocusPaletteList();
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

}  // namespace lumetra::palette
