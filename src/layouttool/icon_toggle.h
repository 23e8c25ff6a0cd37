#pragma once
// Switching the Desktop icons on and off: through the Desktop's view window
// when there is one, otherwise through the "HideIcons" setting alone.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "layouttool/desktop_windows.h"

namespace lumetra::layouttool {

// The command the Desktop's SHELLDLL_DefView answers by toggling its icons.
inline constexpr unsigned kToggleIconsCommand = 0x7402;
// Asks "Progman" to create the Desktop's worker windows.
inline constexpr unsigned kSpawnWorkerMessage = 0x052C;

struct HideIconsValue {
    bool ok = false;  // false only when the key cannot be opened
    std::uint32_t value = 0;
};

// A stored value counts only as a 4-byte REG_DWORD (type 4); anything else,
// and a missing value, reads as 0.
std::uint32_t HideIconsFromStored(bool present, std::uint32_t type, const std::uint8_t* data,
                                  std::size_t size);

struct ToggleSteps {
    std::function<DesktopViewWindows()> findDesktop;
    // Sends the worker-window request to "Progman" if it exists.
    std::function<void()> spawnWorkers;
    std::function<HideIconsValue()> readHideIcons;
    std::function<bool(std::uint32_t value)> writeHideIcons;
    std::function<void(WindowRef defView)> postToggleCommand;
    // Tells the shell that the setting changed (registry route only).
    std::function<void()> announceChange;
};

// Exit code 0, 10 or 11.
int RunToggle(const ToggleSteps& steps);

}  // namespace lumetra::layouttool
