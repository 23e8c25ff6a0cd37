#pragma once
// The palette's look decided without Windows: light or dark, the app mode the
// system is asked for, the list view's colours and transparency at each
// opacity, and when the system's undocumented dark-mode entry points may be
// called at all.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "palette/placement.h"

namespace lumetra::palette {

// DisplayMode 1 is light and 2 dark; anything else follows the system, where
// "AppsUseLightTheme" 0 means dark and a missing value light.
bool DecideDark(int displayMode, std::optional<std::uint32_t> appsUseLightTheme);

// The preferred app mode handed to the system: 3 light, 2 dark, and when
// following the system 1 (allow dark) if it uses dark apps, else 0.
int PreferredAppMode(int displayMode, bool systemDark);

// The undocumented theme entry points mean other functions on older systems
// (and under Wine), where calling them crashes: they are used only from
// Windows 10 build 17763 on, and only when the app-mode entry point resolved.
inline constexpr std::uint32_t kFirstDarkModeBuild = 17763;
bool DarkModeEntryPointsUsable(std::uint32_t windowsBuild, bool appModeEntryResolved);

inline constexpr std::uint32_t kColourNone = 0xFFFFFFFF;  // CLR_NONE
inline constexpr std::uint32_t kTransparentBackgroundStyle = 0x400000;
inline constexpr std::uint32_t kTransparentShadowTextStyle = 0x800000;

// The hosted list view's colours and transparency for a theme and opacity.
struct ListViewLook {
    std::uint32_t text = 0;
    std::uint32_t background = 0;  // kColourNone below full opacity
    std::uint32_t textBackground = kColourNone;
    std::uint32_t extendedStyle = 0;  // of the two transparency styles
    // Dark group headers: the system's text hidden in this colour, drawn by the palette.
    std::optional<std::uint32_t> groupHeaderColour;
};
ListViewLook ListViewLookFor(bool dark, int opacity, bool grouped);

// The dark group header band and its text.
inline constexpr std::uint32_t kDarkGroupHeaderBand = 0x303030;
inline constexpr std::uint32_t kDarkGroupHeaderText = 0xE6E6E6;

// Where a dark group header is drawn inside the header rectangle the list
// view reports (its client coordinates), at the list view's DPI: the band
// stops short of a strip on the right, the text starts a little in and ends
// at the strip, and the triangle near the right edge points down for an
// expanded group and right for a collapsed one.
struct GroupHeaderDrawing {
    ScreenRect band;
    ScreenRect text;
    std::array<ScreenPoint, 3> triangle;
};
GroupHeaderDrawing GroupHeaderDrawingFor(const ScreenRect& header, int dpi, bool collapsed);

// The scroll-bar theme lookup of a hosted view window asks for the dark
// scroll bars while the theme is dark; every other lookup is left alone.
inline constexpr const wchar_t* kDarkScrollBarClass = L"DarkMode_Explorer::ScrollBar";
bool RedirectsScrollBarTheme(bool dark, std::wstring_view classList, bool hostedViewWindow);

}  // namespace lumetra::palette
