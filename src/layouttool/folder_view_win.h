#pragma once
// windows.h comes first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <shobjidl.h>
// clang-format on

#include "platform/com_ptr_win.h"

namespace lumetra::layouttool {

// The IFolderView of the Desktop's active shell view, reached through the
// shell's window registry. A call that succeeds without an interface gives E_FAIL.
HRESULT GetDesktopFolderView(platform::ComPtr<IFolderView>& view);

}  // namespace lumetra::layouttool
