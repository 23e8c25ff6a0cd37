#pragma once
// Finding the Desktop's shell view window among "Progman" and the "WorkerW"
// windows. The walk is written against a small window-query seam so it can
// run over a scripted window tree.
#include <cstdint>
#include <functional>

namespace lumetra::layouttool {

// Every message sent to a shell window gives up after this long, and at once
// on a window the system already knows to be hung.
inline constexpr unsigned kShellMessageTimeoutMs = 2000;

// A window handle as a plain value; 0 is "no window".
using WindowRef = std::uintptr_t;

struct DesktopViewWindows {
    long long itemCount = 0;  // never negative
    WindowRef defView = 0;
    WindowRef listView = 0;
};

struct WindowQueries {
    // FindWindowExW: the next child of `parent` (0: the next top-level window)
    // after `after` with the class and, when `name` is not null, that name.
    std::function<WindowRef(WindowRef parent, WindowRef after, const wchar_t* cls,
                            const wchar_t* name)>
        findChild;
    // LVM_GETITEMCOUNT of a list view.
    std::function<long long(WindowRef listView)> itemCount;
};

// Among the candidate views the one whose list view reports the most items;
// ties keep the earlier candidate (Progman's own view, then Progman's WorkerW
// children, then the top-level WorkerW windows).
DesktopViewWindows FindDesktopListView(const WindowQueries& windows);

}  // namespace lumetra::layouttool
