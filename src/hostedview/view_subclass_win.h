#pragma once
// Replacement window procedures of the view window and its list view.
#include <windows.h>

namespace lumetra::hostedview {

LRESULT CALLBACK ViewWindowSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListViewSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Subclasses `listView` (saving its procedure) and remembers it as the list view.
void SubclassListView(HWND listView);
// Gives the list view and the view window their own procedures back.
void RestoreSubclassedWindows();

}  // namespace lumetra::hostedview
