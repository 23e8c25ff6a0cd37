#include "layouttool/desktop_windows_win.h"

#include <commctrl.h>

namespace lumetra::layouttool {

DesktopViewWindows FindDesktopListView() {
    WindowQueries queries;
    queries.findChild = [](WindowRef parent, WindowRef after, const wchar_t* cls,
                           const wchar_t* name) {
        return reinterpret_cast<WindowRef>(FindWindowExW(ToHwnd(parent), ToHwnd(after), cls, name));
    };
    queries.itemCount = [](WindowRef listView) {
        return static_cast<long long>(SendMessageW(ToHwnd(listView), LVM_GETITEMCOUNT, 0, 0));
    };
    return FindDesktopListView(queries);
}

}  // namespace lumetra::layouttool
