#pragma once
// Replacement window procedures of the view window and its list view.
#include <windows.h>

namespace lumetra::hostedview {

LRESULT CALLBACK ViewWindowSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListViewSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Gives the list view FindHostedListView finds now the palette's procedure,
// and one the shell replaced its own back.
void FollowHostedListView();
// Gives the list view and the view window their own procedures back.
void RestoreSubclassedWindows();

}  // namespace lumetra::hostedview
