#include "layouttool/desktop_windows_win.h"

#include <commctrl.h>

namespace lumetra::layouttool {

DesktopViewWindows FindDesktopListView() {
    WindowQueries queries;
    queries.findChild = [](WindowRef parent, WindowRef after, const wchar_t* cls,
                           const wchar_t* name) {
        return reinterpret_cast<WindowRef>(FindWindowExW(ToHwnd(parent), ToHwnd(after), cls, name));
    };
    queries.itemCount = [](WindowRef listView) -> long long {
        // A hung Explorer must not hang the tool: a list view that does not
        // answer in time counts as empty.
        DWORD_PTR count = 0;
        if (!SendMessageTimeoutW(ToHwnd(listView), LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                                 kShellMessageTimeoutMs, &count))
            return 0;
        return static_cast<long long>(static_cast<LRESULT>(count));
    };
    return FindDesktopListView(queries);
}

}  // namespace lumetra::layouttool
