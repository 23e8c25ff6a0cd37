#include "layouttool/desktop_windows.h"

namespace lumetra::layouttool {
namespace {

constexpr const wchar_t* kDefViewClass = L"SHELLDLL_DefView";
constexpr const wchar_t* kListViewClass = L"SysListView32";

struct Candidate {
    long long best = -1;
    WindowRef defView = 0;
    WindowRef listView = 0;
};

WindowRef ListViewOf(const WindowQueries& windows, WindowRef defView) {
    const WindowRef named = windows.findChild(defView, 0, kListViewClass, L"FolderView");
    return named ? named : windows.findChild(defView, 0, kListViewClass, nullptr);
}

void ConsiderWorker(const WindowQueries& windows, WindowRef worker, Candidate& chosen) {
    const WindowRef defView = windows.findChild(worker, 0, kDefViewClass, nullptr);
    if (!defView) return;
    const WindowRef listView = ListViewOf(windows, defView);
    const long long count = listView ? windows.itemCount(listView) : 0;
    if (chosen.best < count) chosen = {count, defView, listView};
}

void WalkWorkers(const WindowQueries& windows, WindowRef parent, Candidate& chosen) {
    for (WindowRef worker = windows.findChild(parent, 0, L"WorkerW", nullptr); worker;
         worker = windows.findChild(parent, worker, L"WorkerW", nullptr)) {
        ConsiderWorker(windows, worker, chosen);
    }
}

}  // namespace

DesktopViewWindows FindDesktopListView(const WindowQueries& windows) {
    Candidate chosen;
    const WindowRef progman = windows.findChild(0, 0, L"Progman", nullptr);
    if (progman) {
        const WindowRef defView = windows.findChild(progman, 0, kDefViewClass, nullptr);
        if (defView) {
            const WindowRef listView = ListViewOf(windows, defView);
            if (!listView) {
                chosen = {0, defView, 0};
            } else if (const long long count = windows.itemCount(listView); count >= 0) {
                chosen = {count, defView, listView};
            }
        }
        WalkWorkers(windows, progman, chosen);
    }
    WalkWorkers(windows, 0, chosen);
    return {chosen.best < 0 ? 0 : chosen.best, chosen.defView, chosen.listView};
}

}  // namespace lumetra::layouttool
