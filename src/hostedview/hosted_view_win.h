#pragma once
// The hosted Desktop view: the one record that owns every shell interface
// pointer of the program.
#include <windows.h>
#include <shlobj.h>

#include "platform/com_ptr_win.h"

namespace lumetra::hostedview {

struct HostedView {
    platform::ComPtr<IShellFolder> desktopFolder;
    platform::ComPtr<IShellView> shellView;
    HWND viewWindow = nullptr;
    HWND listView = nullptr;
};

HostedView& View();

// Builds the shell view inside the palette; false when it cannot.
bool InitializeExplorerBrowser(HWND palette);
// Releases everything InitializeExplorerBrowser built.
void ReleaseExplorerBrowser();

inline bool HasListView() { return View().listView && IsWindow(View().listView); }
inline bool HasViewWindow() { return View().viewWindow && IsWindow(View().viewWindow); }
// True while the list view has an in-place label edit open.
bool ListViewEditing();

}  // namespace lumetra::hostedview
