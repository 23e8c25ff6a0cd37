#pragma once
// The dark theme hides the list view's own group header text in the
// background colour (ApplyListViewTheme); these draw the headers instead,
// after the list view has painted.
#include <windows.h>

namespace lumetra::palette {

// Draws onto the list view's window; does nothing unless dark and grouped.
void PaintGroupHeaders(HWND listView);
// The same onto a given device context.
void PaintGroupHeadersOn(HWND listView, HDC dc);

}  // namespace lumetra::palette
