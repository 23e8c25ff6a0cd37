#include "layouttool/icon_toggle.h"

#include "layouttool/exit_codes.h"

namespace lumetra::layouttool {

std::uint32_t HideIconsFromStored(bool present, std::uint32_t type, const std::uint8_t* data,
                                  std::size_t size) {
    constexpr std::uint32_t kRegDword = 4;
    if (!present || type != kRegDword || size != 4 || !data) return 0;
    return static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
           static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

int RunToggle(const ToggleSteps& steps) {
    DesktopViewWindows desktop = steps.findDesktop();
    if (!desktop.defView || !desktop.listView) {
        steps.spawnWorkers();
        desktop = steps.findDesktop();
    }
    if (desktop.defView) {
        const HideIconsValue before = steps.readHideIcons();
        steps.postToggleCommand(desktop.defView);
        // The view toggles on its own; the setting only follows it.
        steps.writeHideIcons(before.ok && before.value != 0 ? 0 : 1);
        return kExitOk;
    }
    const HideIconsValue before = steps.readHideIcons();
    if (!before.ok) return kExitToggleKeyUnavailable;
    if (!steps.writeHideIcons(before.value == 0 ? 1 : 0)) return kExitToggleWriteFailed;
    steps.announceChange();
    return kExitOk;
}

}  // namespace lumetra::layouttool
