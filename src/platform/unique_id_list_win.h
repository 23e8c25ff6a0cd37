#pragma once
// The one owner of an item id list the shell handed out (CoTaskMemFree, which
// is what ILFree does).
#include <windows.h>
#include <shlobj.h>

#include "platform/unique_handle_win.h"

namespace lumetra::platform {

struct IdListTraits {
    static LPITEMIDLIST Invalid() noexcept { return nullptr; }
    static bool IsValid(LPITEMIDLIST ids) noexcept { return ids != nullptr; }
    static void Close(LPITEMIDLIST ids) noexcept { ::CoTaskMemFree(ids); }
};
using UniqueIdList = UniqueResource<LPITEMIDLIST, IdListTraits>;

}  // namespace lumetra::platform
