#pragma once
// The hover-revealed close button in the palette's top-right corner and the
// 100 ms housekeeping of the palette.
#include <windows.h>

namespace lumetra::palette {

HWND CreateCloseButton(HWND palette, HINSTANCE instance);
void HideCloseButton();
// Follows the palette when it moves (only while the button is visible). Not
// built yet: does nothing.
void MoveCloseButtonAlong();
// Timer 12: the scrub, deferred-reveal and overlay watchdogs, then the
// list-or-details guard. The close button's hover is not built yet.
void HousekeepingTick();

}  // namespace lumetra::palette
