#pragma once
// Showing, hiding and focusing the palette, and the keyboard commands that act
// on the hosted view from it.
#include <windows.h>

namespace lumetra::palette {

// Joins the foreground thread's input for the moment of a foreground switch;
// a background program may not take the foreground otherwise.
class ForegroundSwitch {
  public:
    ForegroundSwitch();
    ~ForegroundSwitch();
    ForegroundSwitch(const ForegroundSwitch&) = delete;
    ForegroundSwitch& operator=(const ForegroundSwitch&) = delete;

  private:
    DWORD foregroundThread_ = 0;
};

// The palette itself, one of its child windows or a window it owns.
bool IsPaletteOrDescendant(HWND window);

// Shows the palette under its cover and returns; the view work follows from
// timer 25 (FinishShowTick).
void ActivatePalette(bool showAtCursor);
void FinishShowTick();
void HidePalette();
void AbortViewTransitions();
void FocusPaletteList();
void ActivateForMenu();
bool RenameFocusedItem();
// Ctrl+A, C, X, V, Z on the palette or the list; true when handled.
bool HandleCtrlShortcut(UINT key);
bool InvokeVerbOnSelection(const char* verb);
bool PasteIntoDesktop();

}  // namespace lumetra::palette
