#pragma once
// The palette's process-wide state, touched only on the UI thread.
#include <windows.h>

#include <cstdint>
#include <string>

#include "palette/placement_plan.h"
#include "palette/show_finish.h"

namespace lumetra::palette {

// What the palette calls back in the program that created it.
struct PaletteHost {
    // In the destroy handling, before the quit message is posted.
    void (*onDestroy)() = nullptr;
};

struct PaletteState {
    HWND window = nullptr;
    PaletteHost host;

    // Visibility and activation.
    bool paletteShown = false;
    bool paletteActive = false;
    bool isWindows11 = false;
    int menuDepth = 0;
    bool menuResyncPosted = false;
    std::uint32_t lastToggleTick = 0;

    // The view work of a show, run from timer 25 once the show has returned.
    ShowFinish showFinish;

    // Fade-in after showing (timer 15).
    bool fading = false;
    std::uint32_t fadeStartTick = 0;

    // Configuration watch (command 2808, timer 21).
    std::uint64_t configWatchStamp = 0;
    std::uint32_t configWatchDeadline = 0;

    // Placement on monitors; drag.inSizeMove is true inside the move/size loop.
    bool shownAtCursor = false;
    CrossFilterState crossFilter;
    DragState drag;

    // Activation helpers.
    std::uint32_t lastRenameTick = 0;
    bool renameTickValid = false;
    bool selectAllBusy = false;
    bool pasteBusy = false;
};

PaletteState& Palette();

// True when the palette window exists.
inline bool PaletteExists() { return Palette().window && IsWindow(Palette().window); }

}  // namespace lumetra::palette
