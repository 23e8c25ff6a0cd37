#include "palette/appearance_rules.h"

#include "platform/ascii_case.h"
#include "platform/mul_div.h"

namespace lumetra::palette {
namespace {

constexpr int kLight = 1;
constexpr int kDark = 2;
constexpr int kFullOpacity = 100;
constexpr int kFaintOpacity = 30;

}  // namespace

bool DecideDark(int displayMode, std::optional<std::uint32_t> appsUseLightTheme) {
    if (displayMode == kLight) return false;
    if (displayMode == kDark) return true;
    return appsUseLightTheme.has_value() && *appsUseLightTheme == 0;
}

int PreferredAppMode(int displayMode, bool systemDark) {
    if (displayMode == kLight) return 3;
    if (displayMode == kDark) return 2;
    return systemDark ? 1 : 0;
}

bool DarkModeEntryPointsUsable(std::uint32_t windowsBuild, bool appModeEntryResolved) {
    return windowsBuild >= kFirstDarkModeBuild && appModeEntryResolved;
}

ListViewLook ListViewLookFor(bool dark, int opacity, bool grouped) {
    ListViewLook look;
    look.text = dark ? 0xE6E6E6 : 0x202020;
    const bool opaque = opacity == kFullOpacity;
    look.background = opaque ? (dark ? 0x1C1C1C : 0xFFFFFF) : kColourNone;
    if (!opaque) look.extendedStyle |= kTransparentBackgroundStyle;
    if (opacity == kFaintOpacity) look.extendedStyle |= kTransparentShadowTextStyle;
    if (dark && grouped) look.groupHeaderColour = 0x1C1C1C;
    return look;
}

GroupHeaderDrawing GroupHeaderDrawingFor(const ScreenRect& header, int dpi, bool collapsed) {
    const auto scaled = [dpi](int length) { return platform::MulDivRound(length, dpi, 96); };
    GroupHeaderDrawing drawing;
    const int stripLeft = header.right - scaled(28);
    drawing.band = {header.left, header.top, stripLeft, header.bottom};
    drawing.text = {header.left + scaled(8), header.top + scaled(2), stripLeft,
                    header.bottom - scaled(2)};
    const int half = scaled(4);
    const int x = header.right - scaled(14);
    const int y = header.top + header.height() / 2;
    if (collapsed)
        drawing.triangle = {
            {{x - half / 2, y - half}, {x - half / 2, y + half}, {x + half / 2, y}}};
    else
        drawing.triangle = {
            {{x - half, y - half / 2}, {x + half, y - half / 2}, {x, y + half / 2}}};
    return drawing;
}

bool RedirectsScrollBarTheme(bool dark, std::wstring_view classList, bool hostedViewWindow) {
    return dark && hostedViewWindow &&
           platform::EqualsIgnoringAsciiCase(classList, std::wstring_view(L"ScrollBar"));
}

}  // namespace lumetra::palette
