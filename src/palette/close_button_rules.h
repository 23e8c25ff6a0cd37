#pragma once
// Where the close button sits, when the cursor calls it up, and how it is
// drawn: the decisions of the close button without the window.
#include <cstdint>

#include "palette/placement.h"

namespace lumetra::palette {

// COLORREF values, 0x00BBGGRR.
struct CloseButtonColours {
    std::uint32_t background = 0;
    std::uint32_t cross = 0;     // not hot
    std::uint32_t disc = 0;      // hot
    std::uint32_t hotCross = 0;  // hot
};
CloseButtonColours CloseButtonColoursFor(bool dark);

// The 100 x 40 band at the palette's top-right corner: the right edge itself
// is inside, the point 100 pixels left of it is not.
inline constexpr int kCloseBandWidth = 100;
inline constexpr int kCloseBandHeight = 40;
bool InCloseButtonBand(const ScreenRect& palette, int x, int y);

// The 18 x 18 button, 28 pixels in from the right edge and 8 down from the top.
inline constexpr int kCloseButtonSize = 18;
ScreenRect CloseButtonRect(const ScreenRect& palette);

// The drawing, four times the client size (it is scaled down to smooth the
// edges): a disc when hot, and a cross through the centre.
inline constexpr int kCloseSupersample = 4;
struct CloseButtonDrawing {
    int centreX = 0, centreY = 0;
    int discRadius = 0;  // 0: no disc
    int halfLength = 0;
    // The two strokes: (x0, y0) to (x1, y1).
    struct Line {
        int x0, y0, x1, y1;
    } lines[2]{};
};
CloseButtonDrawing DrawCloseButton(int clientWidth, int clientHeight, bool hot);

}  // namespace lumetra::palette
