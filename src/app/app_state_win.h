#pragma once
// Process-wide state of Lumetra's start-up, kept until exit.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/unique_handle_win.h"

namespace lumetra::app {

struct RegisteredMessages {
    UINT taskbarCreated = 0;
    UINT toggle[3] = {};  // WM_LUMETRA_TOGGLE, WM_CORVANEL_TOGGLE, WM_SAFFREL_TOGGLE
};

struct AppState {
    HINSTANCE instance = nullptr;
    platform::UniqueHandle singleInstanceMutex;
    std::wstring configPath;
    RegisteredMessages messages;
    HWND palette = nullptr;
    // The Desktop's item id list, taken once for the hosted view.
    LPITEMIDLIST desktopIdList = nullptr;
};

AppState& App();

// True when `message` is one of the registered toggle messages (0 never matches).
bool IsToggleMessage(UINT message);

}  // namespace lumetra::app
