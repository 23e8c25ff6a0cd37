#pragma once
// Windows' MulDiv without Windows, for scaling lengths by DPI.

namespace lumetra::platform {

// a * b / c rounded half away from zero; -1 when c is 0 or the result does
// not fit an int.
int MulDivRound(int a, int b, int c);

}  // namespace lumetra::platform
