// The overlay cover window: a click-through, never-activated pop-up in the
// palette's background colour over the hosted view while it redraws.
#include "palette/overlay_win.h"

#include "hostedview/hosted_view_win.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/view_refresh_win.h"
#include "log/debug_log.h"
#include "palette/appearance_win.h"
#include "palette/cover_fade.h"
#include "palette/frame.h"
#include "palette/palette_state_win.h"
#include "platform/layered_alpha_win.h"
#include "platform/unique_handle_win.h"
#include "protocol/messages.h"

namespace lumetra::palette {
namespace {
constexpr const wchar_t* kOverlayClassName = L"Lumetra.Overlay";

bool CoverExists() { return Overlay().window && IsWindow(Overlay().window); }
bool CoverVisible() { return CoverExists() && IsWindowVisible(Overlay().window); }
bool CoverLayered() {
    return CoverExists() && (GetWindowLongW(Overlay().window, GWL_EXSTYLE) & WS_EX_LAYERED);
}

void SetCoverAlpha(int alpha) {
    if (CoverLayered()) platform::SetWindowAlpha(Overlay().window, static_cast<BYTE>(alpha));
}

// The cover's timers run on the palette window.
void KillCoverTimer(UINT id) {
    if (PaletteExists()) KillTimer(Palette().window, id);
}
void ArmCoverTimer(UINT id, std::uint32_t ms) {
    if (PaletteExists()) SetTimer(Palette().window, id, ms, nullptr);
}

// Hidden, and opaque again for its next show, which must cover at once.
void HideCoverWindow() {
    if (!CoverExists()) return;
    ShowWindow(Overlay().window, SW_HIDE);
    SetCoverAlpha(kOpaque);
}

void ForgetShow() {
    Overlay().coverShownTick = 0;
    Overlay().hideNotBefore = 0;
}

void StopFadeState() {
    KillCoverTimer(protocol::kOverlayFadeTimerId);
    Overlay().fading = false;
    Overlay().fadeSteps = 0;
}

// 0 marks "not shown", so a show at tick 0 counts as tick 1.
std::uint32_t ShowTick() {
    const std::uint32_t now = GetTickCount();
    return now ? now : 1;
}

// A right click meant for the view: the cover steps aside and the list view
// opens its menu where the cursor is.
void ForwardContextMenu() {
    HideOverlayCoverImmediate();
    HWND target = hostedview::FindHostedListView();
    if (!target && PaletteExists()) target = Palette().window;
    if (!target) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    PostMessageW(target, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target),
                 MAKELPARAM(cursor.x, cursor.y));
}

// Over the palette, inside its 1-pixel frame, topmost.
void PlaceCover(UINT extraFlags) {
    RECT r;
    if (!CoverExists() || !PaletteExists() || !GetWindowRect(Palette().window, &r)) return;
    const int width = r.right - r.left - 2, height = r.bottom - r.top - 2;
    SetWindowPos(Overlay().window, HWND_TOPMOST, r.left + 1, r.top + 1, width > 0 ? width : 0,
                 height > 0 ? height : 0, SWP_NOACTIVATE | extraFlags);
}

LRESULT CALLBACK OverlayCoverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(hwnd, &client);
            platform::UniqueGdiObject brush(CreateSolidBrush(ColoursFor(DarkMode()).background));
            FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(brush.get()));
            return 1;
        }
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_CONTEXTMENU:
        case WM_RBUTTONUP: ForwardContextMenu(); return 0;
        default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
}  // namespace

OverlayCover& Overlay() {
    static OverlayCover overlay;
    return overlay;
}

HWND CreateOverlayCover(HWND palette, HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = OverlayCoverProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kOverlayClassName;
    RegisterClassExW(&wc);
    HWND overlay = CreateWindowExW(
        WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kOverlayClassName, L"",
        WS_POPUP, 0, 0, 0, 0, palette, nullptr, instance, nullptr);
    Overlay().window = overlay;
    SetCoverAlpha(kOpaque);
    return overlay;
}

void ResetOverlayCoverAlpha() { SetCoverAlpha(kOpaque); }

void PositionOverlayCover() { PlaceCover(0); }

void ShowOverlayCover() {
    // A modal menu of the palette stays usable: nothing goes over it.
    if (Palette().menuDepth > 0 || !CoverExists()) return;
    StopFadeState();
    HWND cover = Overlay().window;
    SetCoverAlpha(kOpaque);
    Overlay().fadeAlpha = kOpaque;
    // Placed, raised and shown in one move: each call is a round trip to the
    // window system, and the show waits for them.
    PlaceCover(SWP_SHOWWINDOW);
    InvalidateRect(cover, nullptr, TRUE);
    hostedview::Refresh().scrollBarsRevealed = false;
    Overlay().coverShownTick = ShowTick();
    log::DebugLogFormat(L"[cycle=%lu] ShowOverlayCover tick=%lu", hostedview::Refresh().cycle,
                        static_cast<unsigned long>(Overlay().coverShownTick));
}

void StartOverlayFade(int ms, const wchar_t* label) {
    KillCoverTimer(protocol::kCoverMinTimeTimerId);
    OverlayCover& o = Overlay();
    if (!CoverVisible()) {
        StopFadeState();
        ForgetShow();
        return;
    }
    if (!PaletteExists() || !CoverLayered()) {
        HideOverlayCoverImmediate();
        return;
    }
    KillCoverTimer(protocol::kOverlayFadeTimerId);
    o.fading = true;
    o.fadeAlpha = kOpaque;
    o.fadeSteps = FadeSteps(ms);
    SetCoverAlpha(kOpaque);
    hostedview::HostedScrollBarReveal();
    ArmCoverTimer(protocol::kOverlayFadeTimerId, kFadeStepMs);
    ForgetShow();
    if (label) log::DebugLogFormat(L"%ls ms=%d steps=%d", label, ms, o.fadeSteps);
}

void OverlayFadeTick() {
    KillCoverTimer(protocol::kOverlayFadeTimerId);
    OverlayCover& o = Overlay();
    if (!o.fading || !CoverExists()) {
        o.fading = false;
        return;
    }
    o.fadeAlpha = NextFadeAlpha(o.fadeAlpha, o.fadeSteps);
    if (o.fadeAlpha > 0) {
        SetCoverAlpha(o.fadeAlpha);
        ArmCoverTimer(protocol::kOverlayFadeTimerId, kFadeStepMs);
        return;
    }
    o.fading = false;
    o.fadeSteps = 0;
    HideCoverWindow();
    ForgetShow();
    log::DebugLogWrite(L"HideOverlayCover: overlay fade-out complete");
    hostedview::PostRevealFilterCheck();
}

void HideOverlayCover() {
    // A pending reveal removes the cover itself once the view is clean.
    if (hostedview::Refresh().revealDeferred) return;
    if (const std::uint32_t wait = HideWaitMs(Overlay().hideNotBefore, GetTickCount())) {
        ArmCoverTimer(protocol::kCoverMinTimeTimerId, wait);
        return;
    }
    KillCoverTimer(protocol::kCoverMinTimeTimerId);
    if (CoverVisible()) {
        StartOverlayFade(kCoverFadeOutMs, L"HideOverlayCover: fade-out");
        return;
    }
    KillCoverTimer(protocol::kOverlayFadeTimerId);
    Overlay().fading = false;
    ForgetShow();
}

void HideOverlayCoverAfterReveal() {
    StartOverlayFade(kCrossfadeMs, L"HideOverlayCoverAfterReveal: crossfade");
}

void CoverMinTimeTick() {
    KillCoverTimer(protocol::kCoverMinTimeTimerId);
    // A refresh that began since the hide was asked for owns the cover now:
    // its reveal removes it once the view has settled.
    const hostedview::RefreshState& refresh = hostedview::Refresh();
    if (refresh.revealDeferred || refresh.settling) return;
    Overlay().hideNotBefore = 0;
    HideOverlayCover();
    hostedview::PostRevealFilterCheck();
}

void HideOverlayCoverImmediate() {
    KillCoverTimer(protocol::kCoverMinTimeTimerId);
    StopFadeState();
    if (CoverVisible() && PaletteExists() && IsWindowVisible(Palette().window))
        hostedview::HostedScrollBarReveal();
    HideCoverWindow();
    log::DebugLogFormat(L"[cycle=%lu] HideOverlayCoverImmediate", hostedview::Refresh().cycle);
    ForgetShow();
}

void StopOverlayFade() {
    KillCoverTimer(protocol::kCoverMinTimeTimerId);
    StopFadeState();
    if (!CoverVisible()) return;
    SetCoverAlpha(kOpaque);
    Overlay().fadeAlpha = kOpaque;
    // A fade clears the show time; the cover now stays, and the watchdog
    // must be able to tell how long.
    if (Overlay().coverShownTick == 0) Overlay().coverShownTick = ShowTick();
}

bool OverlayCoverShown() { return CoverVisible(); }

bool OverlayCoverRecentlyShown() {
    const OverlayCover& o = Overlay();
    return CoverRecentlyShown(Palette().fading, o.hideNotBefore, o.coverShownTick, GetTickCount());
}

void OverlayWatchdogTick() {
    const hostedview::RefreshState& refresh = hostedview::Refresh();
    StrandedCoverCheck check;
    check.settling = refresh.settling;
    check.revealDeferred = refresh.revealDeferred;
    check.remainingSweeps = refresh.remainingSweeps;
    check.fading = Overlay().fading;
    check.shown = CoverVisible();
    check.shownTick = Overlay().coverShownTick;
    if (!CoverStranded(check, GetTickCount())) return;
    log::DebugLogWrite(L"Overlay watchdog: forcing HideOverlayCover.");
    Overlay().hideNotBefore = 0;
    HideOverlayCoverImmediate();
    hostedview::ShowViewWindow();
    if (PaletteExists()) InvalidateRect(Palette().window, nullptr, TRUE);
}

void RaiseHideNotBefore(std::uint32_t ms) {
    Overlay().hideNotBefore = RaisedHideNotBefore(Overlay().hideNotBefore, GetTickCount(), ms);
}

}  // namespace lumetra::palette
