#pragma once
// The palette's keyboard and mouse rules for the shell's list view, decided
// without the windows themselves.

namespace lumetra::hostedview {

enum class ListKeyAction {
    PassOn,        // the list view's own procedure handles the key
    Hide,          // Esc
    Rename,        // F2; passed on when the rename does not start
    Refresh,       // F5
    Delete,        // the shell's "delete" on the selection
    CtrlShortcut,  // passed on when the palette has no such shortcut
    ContextMenu,   // Apps or Shift+F10: the item menu at the cursor
};

struct ListKeyContext {
    bool paletteVisible = false;
    // The About window, a label edit or one of the palette's menus takes Esc.
    bool modalStateOpen = false;
    bool ctrlDown = false;
    bool shiftDown = false;
};

ListKeyAction DecideListKey(unsigned virtualKey, const ListKeyContext& context);

// Presses this close to the palette's edge go through the view to the
// palette's resize border.
inline constexpr int kEdgeBandPixels = 10;

struct EdgeRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

bool InPaletteEdgeBand(const EdgeRect& window, int x, int y);

// The scroll bar's show request (0x00E8 with wParam 1 or 3) is refused while
// a refresh keeps the view busy, so no bar flashes up behind the cover.
inline constexpr unsigned kScrollBarShowMessage = 0x00E8;
bool RefusesScrollBarShow(unsigned wParam, bool refreshBusy);

}  // namespace lumetra::hostedview
