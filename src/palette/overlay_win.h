#pragma once
// The cover window that hides the hosted view while it redraws: shown at
// once, removed at once or faded out in 16 ms steps.
#include <windows.h>

#include <cstdint>

namespace lumetra::palette {

struct OverlayCover {
    HWND window = nullptr;
    bool fading = false;
    int fadeAlpha = 255;
    int fadeSteps = 0;                 // 16 ms steps of the running fade; 0 = none
    std::uint32_t coverShownTick = 0;  // 0 = not shown
    std::uint32_t hideNotBefore = 0;   // tick before which no fade starts; 0 = none
};
OverlayCover& Overlay();

// Created hidden and opaque when the palette is created, after the hosted view.
HWND CreateOverlayCover(HWND palette, HINSTANCE instance);

void ShowOverlayCover();
// Fades out over 256 ms, not before hideNotBefore; nothing while a reveal is pending.
void HideOverlayCover();
void HideOverlayCoverImmediate();
// A fade-out of `ms`; `label` (may be null) names it in the log.
void StartOverlayFade(int ms, const wchar_t* label);
// The cover's hide after a reveal: the 180 ms cross-fade.
void HideOverlayCoverAfterReveal();
// Stops a running fade and its minimum-time wait at full opacity; a cover
// that stays up counts as shown from now when the fade had cleared its time.
void StopOverlayFade();
void PositionOverlayCover();
// A new opacity: the cover is opaque again (its alpha is its own, not the palette's).
void ResetOverlayCoverAlpha();
bool OverlayCoverShown();
// The palette's fade-in runs, the minimum time has not passed, or the cover
// went up less than 750 ms ago.
bool OverlayCoverRecentlyShown();
void CoverMinTimeTick();  // timer 14
void OverlayFadeTick();   // timer 19
// Housekeeping: a cover left up with no refresh or reveal behind it goes.
void OverlayWatchdogTick();

// Keeps the cover up for at least `ms` from now.
void RaiseHideNotBefore(std::uint32_t ms);

}  // namespace lumetra::palette
