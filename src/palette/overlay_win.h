#pragma once
// The cover window that hides the hosted view while it redraws.
#include <windows.h>

#include <cstdint>

namespace lumetra::palette {

struct OverlayCover {
    HWND window = nullptr;
    std::uint32_t hideNotBefore = 0;  // tick before which the cover stays
};
OverlayCover& Overlay();

HWND CreateOverlayCover(HWND palette, HINSTANCE instance);
void HideOverlayCoverImmediate();

// Not built yet: each of these does nothing, so the cover never shows.
void ShowOverlayCover();
void PositionOverlayCover();
void HideOverlayCover();
void HideOverlayCoverAfterReveal();
void ForcePendingReveal();
void CoverMinTimeTick();  // timer 14
void OverlayFadeTick();   // timer 19

// Keeps the cover up for at least `ms` from now.
void RaiseHideNotBefore(std::uint32_t ms);

}  // namespace lumetra::palette
