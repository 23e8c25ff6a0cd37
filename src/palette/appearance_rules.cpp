#include "palette/appearance_rules.h"

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

}  // namespace lumetra::palette
