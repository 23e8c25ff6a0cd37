// The About card's window: sizes, places and texts come from about_card and
// about_version; this file creates the window and its children, paints, and
// turns mouse and keys into drags and closes.
#include "ui/about_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "log/debug_log.h"
#include "platform/monitors_win.h"
#include "platform/unique_handle_win.h"
#include "ui/about_card.h"
#include "ui/about_gdi_win.h"
#include "ui/about_version.h"

namespace lumetra::ui {
namespace {

constexpr const wchar_t* kTitleProperty = L"Lumetra.About.Title";
constexpr int kIconResource = 101;
constexpr int kIconSize = 64;
constexpr int kTipWidth = 480;
constexpr COLORREF kColourKey = RGB(255, 0, 255);
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kBorder = RGB(218, 218, 218);
constexpr COLORREF kSeparator = RGB(185, 185, 185);
constexpr COLORREF kTitleText = RGB(18, 18, 18);
constexpr COLORREF kOtherText = RGB(96, 96, 108);
constexpr DWORD kStyle = WS_POPUP;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

HWND& AboutHandle() {
    static HWND about = nullptr;
    return about;
}

void OpenWithShell(const wchar_t* address) {
    ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

AboutLinkOpener& LinkOpener() {
    static AboutLinkOpener open = OpenWithShell;
    return open;
}

struct AboutWindowState {
    int dpi = kAboutBaseDpi;
    CountedGdiObject fonts[std::size(kAboutFonts)];
    CountedGdiObject background, borderPen, separatorPen;
    CountedIcon icon;
    HWND title = nullptr;
    HWND link = nullptr;
    platform::UniqueHwnd tooltip;
    CardDrag drag;
};

AboutWindowState* State(HWND hwnd) {
    return reinterpret_cast<AboutWindowState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

int DpiOrDefault(UINT dpi) { return dpi > 0 ? static_cast<int>(dpi) : kAboutBaseDpi; }

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// The program's own VERSIONINFO block; empty when it has none.
std::span<const std::uint8_t> OwnVersionBlock() {
    const HRSRC found = FindResourceW(Instance(), MAKEINTRESOURCEW(1), RT_VERSION);
    const HGLOBAL loaded = found ? LoadResource(Instance(), found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const std::uint8_t*>(data), SizeofResource(Instance(), found)};
}

void CreateDrawingResources(AboutWindowState& state) {
    for (std::size_t i = 0; i < std::size(kAboutFonts); ++i) {
        const AboutFontSpec spec = AboutFontFor(kAboutFonts[i], state.dpi);
        state.fonts[i] = CountedGdiObject(
            CreateFontW(spec.height, 0, 0, 0, spec.weight, spec.italic, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI"));
    }
    state.background = CountedGdiObject(CreateSolidBrush(kBackground));
    state.borderPen = CountedGdiObject(CreatePen(PS_SOLID, 1, kBorder));
    state.separatorPen = CountedGdiObject(CreatePen(PS_SOLID, 1, kSeparator));
    const int iconSize = AboutScale(kIconSize, state.dpi);
    state.icon = CountedIcon(static_cast<HICON>(LoadImageW(
        Instance(), MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, iconSize, iconSize, 0)));
}

HFONT FontFor(const AboutWindowState& state, AboutPart part) {
    const std::optional<AboutFont> font = AboutPartFont(part);
    if (!font) return nullptr;
    return static_cast<HFONT>(state.fonts[static_cast<std::size_t>(*font)].get());
}

const std::wstring& TextFor(const AboutTexts& texts, AboutPart part) {
    static const std::wstring none;
    switch (part) {
        case AboutPart::kTitle: return texts.title;
        case AboutPart::kVersion: return texts.version;
        case AboutPart::kDescription: return texts.description;
        case AboutPart::kLegal: return texts.legal;
        case AboutPart::kCredit: return texts.credit;
        case AboutPart::kNote: return texts.note;
        case AboutPart::kIcon: break;
    }
    return none;
}

// The static children leave out SS_NOTIFY, so they answer hit tests with
// HTTRANSPARENT and a press on them reaches the card (to drag or close it).
HWND CreateChild(HWND card, AboutWindowState& state, AboutPart part, const AboutTexts& texts) {
    const CardRect r = AboutPartRect(part, state.dpi);
    const bool link = part == AboutPart::kCredit;
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (part == AboutPart::kIcon) style |= SS_ICON;
    if (link) style |= WS_TABSTOP;
    HWND child =
        CreateWindowExW(0, link ? WC_LINK : L"STATIC", TextFor(texts, part).c_str(), style, r.left,
                        r.top, r.Width(), r.Height(), card, nullptr, Instance(), nullptr);
    if (!child) {
        log::DebugLogFormat(L"ShowAboutWindow: child %d not created, error %lu",
                            static_cast<int>(part), GetLastError());
        return nullptr;
    }
    if (HFONT font = FontFor(state, part))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (part == AboutPart::kIcon && state.icon)
        SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(state.icon.get()), 0);
    return child;
}

// A tooltip over the credit line that shows where its link goes.
void AddLinkTooltip(HWND card, AboutWindowState& state, const std::wstring& markup) {
    if (!state.link) return;
    state.tooltip.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, card, nullptr,
                                        Instance(), nullptr));
    if (!state.tooltip) return;
    std::wstring address = LinkAddress(markup);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = card;
    tool.uId = reinterpret_cast<UINT_PTR>(state.link);
    tool.lpszText = address.data();
    SendMessageW(state.tooltip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(state.tooltip.get(), TTM_SETMAXTIPWIDTH, 0, kTipWidth);
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTW& create) {
    auto owned = std::make_unique<AboutWindowState>();
    AboutWindowState& state = *owned;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owned.release()));
    AboutHandle() = hwnd;

    const int* passed = static_cast<const int*>(create.lpCreateParams);
    state.dpi = passed && *passed > 0
                    ? *passed
                    : DpiOrDefault(platform::MonitorEffectiveDpi(
                          platform::MonitorOfWindow(hwnd, MONITOR_DEFAULTTONEAREST)));

    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd, kColourKey, 0, LWA_COLORKEY);
    CreateDrawingResources(state);

    const AboutTexts texts = ReadAboutTexts(OwnVersionBlock());
    for (AboutPart part : kAboutParts) {
        HWND child = CreateChild(hwnd, state, part, texts);
        if (part == AboutPart::kTitle) state.title = child;
        if (part == AboutPart::kCredit) state.link = child;
    }
    if (state.title) SetPropW(state.title, kTitleProperty, reinterpret_cast<HANDLE>(1));
    AddLinkTooltip(hwnd, state, texts.credit);
    return 0;
}

void OnDestroy(HWND hwnd) {
    std::unique_ptr<AboutWindowState> state(State(hwnd));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (AboutHandle() == hwnd) AboutHandle() = nullptr;
    if (!state) return;
    if (state->title) RemovePropW(state->title, kTitleProperty);
    // The system destroys owned windows before their owner: the tooltip may
    // be gone already.
    if (!IsWindow(state->tooltip.get())) state->tooltip.release();
    // The fonts, brush, pens and icon go with the state.
}

void Paint(HWND hwnd, const AboutWindowState& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    if (!dc) return;
    RECT client{};
    GetClientRect(hwnd, &client);
    const HGDIOBJ oldPen = SelectObject(dc, state.borderPen.get());
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    SelectObject(dc, state.separatorPen.get());
    const CardRect line = AboutSeparator(state.dpi);
    MoveToEx(dc, line.left, line.top, nullptr);
    LineTo(dc, line.right, line.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    EndPaint(hwnd, &paint);
}

// The cursor when the message was sent, not now: a quick gesture may already
// be further on by the time its press is handled.
POINT MessageCursor() {
    const DWORD at = GetMessagePos();
    return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}

const wchar_t* ReleaseName(CardRelease release) {
    switch (release) {
        case CardRelease::kReleaseOnly: return L"link";
        case CardRelease::kKeep: return L"keep";
        case CardRelease::kClose: return L"close";
        case CardRelease::kNothing: break;
    }
    return L"nothing";
}

void OnLinkClicked(AboutWindowState& state, const NMLINK& link) {
    if (link.item.szUrl[0]) LinkOpener()(link.item.szUrl);
    state.drag.linkClicked = true;
}

LRESULT CALLBACK AboutProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return OnCreate(hwnd, *reinterpret_cast<CREATESTRUCTW*>(lParam));
    if (message == WM_DESTROY) {
        OnDestroy(hwnd);
        return 0;
    }
    AboutWindowState* state = State(hwnd);
    if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(hwnd, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client,
                     static_cast<HBRUSH>(state->background.get()));
            return 1;
        }
        case WM_PAINT: Paint(hwnd, *state); return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            const bool title = GetPropW(reinterpret_cast<HWND>(lParam), kTitleProperty) != nullptr;
            SetTextColor(dc, title ? kTitleText : kOtherText);
            // A stock brush, not the card's own: some link controls delete the
            // brush they are given once they have painted, and deleting a stock
            // object does nothing.
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == state->link &&
                (header->code == NM_CLICK || header->code == NM_RETURN))
                OnLinkClicked(*state, *reinterpret_cast<const NMLINK*>(lParam));
            return 0;
        }
        case WM_LBUTTONDOWN: {
            const POINT cursor = MessageCursor();
            RECT window{};
            GetWindowRect(hwnd, &window);
            PressCard(state->drag, cursor.x, cursor.y, window.left, window.top);
            SetCapture(hwnd);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (wParam & MK_LBUTTON) {
                const POINT cursor = MessageCursor();
                if (const auto to = DragCard(state->drag, cursor.x, cursor.y))
                    SetWindowPos(hwnd, nullptr, to->left, to->top, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return 0;
        case WM_LBUTTONUP: {
            const CardRelease release = ReleaseCard(state->drag);
            if (release == CardRelease::kNothing) return 0;
            log::DebugLogFormat(L"AboutWindow: release -> %ls", ReleaseName(release));
            ReleaseCapture();
            if (release == CardRelease::kClose) DestroyWindow(hwnd);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd) LoseCardCapture(state->drag);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
                DestroyWindow(hwnd);
                return 0;
            }
            break;
        case WM_CLOSE:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: DestroyWindow(hwnd); return 0;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool RegisterAboutClass() {
    static const bool controls = [] {
        const INITCOMMONCONTROLSEX init{sizeof(init), ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)controls;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = AboutProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = kAboutClassName;
    if (RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return true;
    log::DebugLogFormat(L"ShowAboutWindow: RegisterClassExW failed, error %lu", GetLastError());
    return false;
}

CardRect WorkAreaOf(HMONITOR monitor) {
    MONITORINFOEXW info{};
    RECT work{};
    if (platform::ReadMonitorInfo(monitor, info))
        work = info.rcWork;
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.right, work.bottom};
}

}  // namespace

void ShowAboutWindow(HWND owner) {
    if (HWND open = AboutHandle()) {
        log::DebugLogWrite(L"ShowAboutWindow: already open, brought to the front");
        ShowWindow(open, SW_SHOWNORMAL);
        SetForegroundWindow(open);
        return;
    }
    if (!RegisterAboutClass()) return;

    POINT cursor{};
    GetCursorPos(&cursor);
    const HMONITOR monitor = platform::MonitorAt(cursor, MONITOR_DEFAULTTONEAREST);
    int dpi = DpiOrDefault(platform::MonitorEffectiveDpi(monitor));
    const CardRect client = AboutClientRect(dpi);
    RECT frame{client.left, client.top, client.right, client.bottom};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const CardRect work = WorkAreaOf(monitor);
    const CardRect place =
        PlaceAboutCard(cursor.x, work, frame.right - frame.left, frame.bottom - frame.top, dpi);
    HWND about =
        CreateWindowExW(kExStyle, kAboutClassName, L"About Lumetra", kStyle, place.left, place.top,
                        place.Width(), place.Height(), owner, nullptr, Instance(), &dpi);
    if (!about) {
        log::DebugLogFormat(L"ShowAboutWindow: CreateWindowExW failed, error %lu", GetLastError());
        return;
    }
    log::DebugLogFormat(
        L"ShowAboutWindow: dpi=%d cursor=(%ld,%ld) work=(%d,%d,%d,%d) at (%d,%d) %dx%d", dpi,
        cursor.x, cursor.y, work.left, work.top, work.right, work.bottom, place.left, place.top,
        place.Width(), place.Height());
    ShowWindow(about, SW_SHOWNORMAL);
    UpdateWindow(about);
    SetForegroundWindow(about);
}

bool AboutWindowOpen() { return AboutHandle() != nullptr; }

void SetAboutLinkOpener(AboutLinkOpener open) { LinkOpener() = open ? open : OpenWithShell; }

}  // namespace lumetra::ui
