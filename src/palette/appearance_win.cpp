// The palette's look: light or dark, applied to the palette, the hosted list
// view, its scroll bars and the palette's menus; and the opacity.
#include "palette/appearance_win.h"

#include <commctrl.h>

#include <optional>
#include <utility>

#include "config/settings.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/view_mode_win.h"
#include "log/debug_log.h"
#include "palette/appearance_rules.h"
#include "palette/frame.h"
#include "palette/overlay_win.h"
#include "palette/palette_state_win.h"
#include "palette/scroll_bar_hook_win.h"
#include "platform/layered_alpha_win.h"
#include "platform/system_library_win.h"
#include "protocol/messages.h"

namespace lumetra::palette {
namespace {

constexpr DWORD kImmersiveDarkModeAttribute = 20;
constexpr const wchar_t* kPersonalizeKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr UINT kFrameChanged =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

// The theme decided last; this file owns it.
bool gDark = false;

std::optional<std::uint32_t> ReadAppsUseLightTheme() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, L"AppsUseLightTheme", RRF_RT_REG_DWORD,
                     nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::uint32_t WindowsBuild() {
    const platform::WindowsVersion version = platform::RunningWindowsVersion();
    return version.major < 10 ? 0 : version.build;
}

// uxtheme's undocumented dark-mode entry points, by ordinal, and only where
// they are what their ordinals promise.
struct DarkModeEntries {
    int(WINAPI* setPreferredAppMode)(int) = nullptr;         // 135
    void(WINAPI* flushMenuThemes)() = nullptr;               // 136
    void(WINAPI* refreshColorPolicy)() = nullptr;            // 104
    BOOL(WINAPI* allowDarkForWindow)(HWND, BOOL) = nullptr;  // 133
    ThemeLookup openNcThemeData = nullptr;                   // 49
    // Why none is used, said once the log is on (the first theme decision).
    std::optional<std::uint32_t> refusedBuild;
};

template <typename Fn>
Fn Ordinal(HMODULE module, WORD ordinal) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

DarkModeEntries ResolveDarkModeEntries() {
    DarkModeEntries entries;
    const HMODULE uxtheme = platform::LoadSystemLibrary(L"uxtheme.dll");
    if (!uxtheme) return entries;
    const auto setAppMode = Ordinal<int(WINAPI*)(int)>(uxtheme, 135);
    const std::uint32_t build = WindowsBuild();
    if (!DarkModeEntryPointsUsable(build, setAppMode != nullptr)) {
        entries.refusedBuild = build;
        return entries;
    }
    entries.setPreferredAppMode = setAppMode;
    entries.flushMenuThemes = Ordinal<void(WINAPI*)()>(uxtheme, 136);
    entries.refreshColorPolicy = Ordinal<void(WINAPI*)()>(uxtheme, 104);
    entries.allowDarkForWindow = Ordinal<BOOL(WINAPI*)(HWND, BOOL)>(uxtheme, 133);
    entries.openNcThemeData = Ordinal<ThemeLookup>(uxtheme, 49);
    return entries;
}

const DarkModeEntries& Entries() {
    static const DarkModeEntries entries = ResolveDarkModeEntries();
    return entries;
}

void AllowDark(HWND window, bool dark) {
    if (Entries().allowDarkForWindow) Entries().allowDarkForWindow(window, dark ? TRUE : FALSE);
}

void SetTheme(HWND window, const wchar_t* subApp, const wchar_t* idList) {
    using Fn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const Fn setTheme = platform::SystemExport<Fn>(L"uxtheme.dll", "SetWindowTheme");
    if (setTheme) setTheme(window, subApp, idList);
}

void SetDarkAttribute(HWND window, bool dark) {
    const BOOL value = dark ? TRUE : FALSE;
    platform::SetDwmWindowAttribute(window, kImmersiveDarkModeAttribute, &value, sizeof(value));
}

void NudgeFrame(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0, kFrameChanged);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN | RDW_FRAME);
}

bool IsClass(HWND window, const wchar_t* name) {
    wchar_t className[16] = {};
    return GetClassNameW(window, className, 16) && lstrcmpiW(className, name) == 0;
}

BOOL CALLBACK DarkenScrollBar(HWND window, LPARAM) {
    if (IsClass(window, L"ScrollBar")) {
        AllowDark(window, true);
        SetTheme(window, L"DarkMode_Explorer", L"ScrollBar");
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return TRUE;  // EnumChildWindows walks every descendant
}

BOOL CALLBACK DarkenMenu(HWND window, LPARAM) {
    if (IsWindowVisible(window) && IsClass(window, L"#32768")) {
        AllowDark(window, gDark);
        SetDarkAttribute(window, gDark);
        InvalidateRect(window, nullptr, TRUE);
    }
    return TRUE;
}

bool ViewGroupedOrAsked() { return hostedview::IsViewGrouped() || config::Cfg().groupBy; }

}  // namespace

bool DarkMode() { return gDark; }

void ApplyAppMode(HWND window) {
    const int mode = static_cast<int>(config::Cfg().displayMode);
    const std::optional<std::uint32_t> appsLight = ReadAppsUseLightTheme();
    gDark = DecideDark(mode, appsLight);
    const DarkModeEntries& entries = Entries();
    static bool refusalSaid = false;
    if (entries.refusedBuild && !std::exchange(refusalSaid, true))
        log::DebugLogFormat(L"Dark mode: system theme entry points not used (build=%lu).",
                            static_cast<unsigned long>(*entries.refusedBuild));
    if (entries.setPreferredAppMode)
        entries.setPreferredAppMode(PreferredAppMode(mode, DecideDark(0, appsLight)));
    if (entries.flushMenuThemes) entries.flushMenuThemes();
    if (entries.refreshColorPolicy) entries.refreshColorPolicy();
    if (window && IsWindow(window)) SetDarkAttribute(window, gDark);
}

void ApplyTheme(HWND palette) {
    ApplyAppMode(palette);
    if (HWND list = hostedview::FindHostedListView()) {
        ApplyListViewTheme();
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        RedrawWindow(list, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    constexpr UINT kAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    if (hostedview::HasViewWindow())
        RedrawWindow(hostedview::View().viewWindow, nullptr, nullptr, kAll);
    if (palette && IsWindow(palette)) {
        EnumThreadWindows(
            GetWindowThreadProcessId(palette, nullptr),
            [](HWND window, LPARAM owner) -> BOOL {
                // The close button and the cover are the palette's own popups.
                if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner))
                    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(palette));
        RedrawWindow(palette, nullptr, nullptr, kAll);
    }
}

void ApplyPaletteAlpha() {
    if (!PaletteExists()) return;
    PaletteState& state = Palette();
    // A running fade-in would end at the old alpha.
    KillTimer(state.window, protocol::kFadeInTimerId);
    state.fading = false;
    ResetOverlayCoverAlpha();
    platform::SetWindowAlpha(state.window, FadeTargetAlpha(config::Cfg().opacity));
}

void ApplyOpacity() {
    if (!PaletteExists()) return;
    ApplyPaletteAlpha();
    ApplyListViewTheme();
    InvalidateRect(Palette().window, nullptr, TRUE);
}

void ApplyListViewTheme() {
    HWND list = hostedview::FindHostedListView();
    if (!list) return;
    if (gDark) {
        AllowDark(list, true);
        SetTheme(list, L"DarkMode_ItemsView", nullptr);
    } else {
        SetTheme(list, L"ItemsView", nullptr);
    }
    SetDarkAttribute(list, gDark);

    const ListViewLook look = ListViewLookFor(gDark, config::Cfg().opacity, ViewGroupedOrAsked());
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE,
                 kTransparentBackgroundStyle | kTransparentShadowTextStyle, look.extendedStyle);
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(look.textBackground));
    SendMessageW(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(look.background));
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(look.text));
    if (look.groupHeaderColour) {
        LVGROUPMETRICS metrics{};
        metrics.cbSize = sizeof(metrics);
        metrics.mask = LVGMF_TEXTCOLOR;
        metrics.crHeader = metrics.crFooter = *look.groupHeaderColour;
        SendMessageW(list, LVM_SETGROUPMETRICS, 0, reinterpret_cast<LPARAM>(&metrics));
    }
    hostedview::FitListColumnWidth(list);
    if (gDark)
        ApplyDarkScrollBars(list);
    else
        NudgeFrame(list);
    SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) & ~WS_BORDER);
    SetWindowLongPtrW(list, GWL_EXSTYLE, GetWindowLongPtrW(list, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
}

void ApplyDarkScrollBars(HWND list) {
    if (!gDark || !list) return;
    InstallHostedScrollBarHook();
    AllowDark(list, true);
    EnumChildWindows(list, DarkenScrollBar, 0);
    NudgeFrame(list);
}

void DarkenOpenMenus() {
    if (PaletteExists())
        EnumThreadWindows(GetWindowThreadProcessId(Palette().window, nullptr), DarkenMenu, 0);
}

void InstallHostedScrollBarHook() {
    // Settled once installed or once there is nothing to redirect; a slot that
    // could not be written is tried again at the next dark re-theme.
    static bool settled = false;
    if (settled) return;
    const ThemeLookup lookup = Entries().openNcThemeData;
    HMODULE comctl32 = GetModuleHandleW(L"comctl32.dll");
    if (!comctl32) comctl32 = platform::LoadSystemLibrary(L"comctl32.dll");
    if (!lookup || !comctl32) {
        settled = true;
        return;
    }
    const ScrollBarHookResult result = InstallHostedScrollBar(comctl32, lookup);
    settled = result != ScrollBarHookResult::NotWritable;
    if (result == ScrollBarHookResult::Installed)
        log::DebugLogWrite(L"HostedScrollBar: OpenNcThemeData hook installed (comctl32).");
}

}  // namespace lumetra::palette
