#pragma once
// The hover-revealed close button in the palette's top-right corner and the
// 100 ms housekeeping of the palette.
#include <windows.h>

namespace lumetra::palette {

HWND CreateCloseButton(HWND palette, HINSTANCE instance);
void HideCloseButton();
// Follows the palette when it moves (only while the button is visible).
void MoveCloseButtonAlong();
// Timer 12: the scrub, deferred-reveal and overlay watchdogs, then, while the
// palette is shown, the close button's hover band and the list-or-details guard.
void HousekeepingTick();

}  // namespace lumetra::palette
