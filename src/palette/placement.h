#pragma once
// Rectangles of the palette in physical screen pixels.

namespace lumetra::palette {

struct WindowRect {
    int x = 120;
    int y = 120;
    int width = 920;
    int height = 580;
};

}  // namespace lumetra::palette
