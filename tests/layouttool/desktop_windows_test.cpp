#include "layouttool/desktop_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::layouttool {
namespace {

struct FakeWindow {
    WindowRef parent;
    std::wstring cls;
    std::wstring name;
    long long items;  // for list views
};

// Windows in creation order; a window's reference is its index + 1.
struct FakeTree {
    std::vector<FakeWindow> windows;

    WindowRef Add(WindowRef parent, const wchar_t* cls, const wchar_t* name = L"",
                  long long items = 0) {
        windows.push_back({parent, cls, name, items});
        return windows.size();
    }
    // A DefView with a "FolderView" list view holding `items`.
    WindowRef View(WindowRef parent, long long items) {
        const WindowRef defView = Add(parent, L"SHELLDLL_DefView");
        Add(defView, L"SysListView32", L"FolderView", items);
        return defView;
    }
    WindowRef ListOf(WindowRef defView) const {
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (windows[i].parent == defView && windows[i].cls == L"SysListView32") return i + 1;
        return 0;
    }

    WindowQueries Queries() const {
        WindowQueries q;
        q.findChild = [this](WindowRef parent, WindowRef after, const wchar_t* cls,
                             const wchar_t* name) -> WindowRef {
            for (std::size_t i = after; i < windows.size(); ++i) {
                const FakeWindow& w = windows[i];
                if (w.parent == parent && w.cls == cls && (!name || w.name == name)) return i + 1;
            }
            return 0;
        };
        q.itemCount = [this](WindowRef listView) { return windows.at(listView - 1).items; };
        return q;
    }
};

TEST(FindDesktopListView, NoShellWindowsAtAll) {
    FakeTree tree;
    tree.Add(0, L"Shell_TrayWnd");
    const DesktopViewWindows found = FindDesktopListView(tree.Queries());
    EXPECT_EQ(found.defView, 0u);
    EXPECT_EQ(found.listView, 0u);
    EXPECT_EQ(found.itemCount, 0);
}

TEST(FindDesktopListView, PicksTheCandidateWithTheMostItems) {
    struct Case {
        const char* name;
        long long progmanView;    // -1: Progman has no view of its own
        long long progmanWorker;  // -1: none
        long long topWorkers[2];  // -1: none
        int expected;             // 0 Progman's view, 1 its WorkerW, 2/3 top-level WorkerW
        long long count;
    };
    const Case cases[] = {
        {"Progman's own view only", 5, -1, {-1, -1}, 0, 5},
        {"a WorkerW child with more items wins", 5, 9, {-1, -1}, 1, 9},
        {"a tie keeps Progman's view", 7, 7, {-1, -1}, 0, 7},
        {"top-level WorkerW with the most", 2, 3, {4, 1}, 2, 4},
        {"tie among top-level keeps the first", 0, -1, {6, 6}, 2, 6},
        {"second top-level beats the first", -1, -1, {1, 8}, 3, 8},
        {"an empty view still beats no view", -1, -1, {0, -1}, 2, 0},
    };
    for (const Case& c : cases) {
        FakeTree tree;
        WindowRef expected[4] = {};
        const WindowRef progman = tree.Add(0, L"Progman", L"Program Manager");
        if (c.progmanView >= 0) expected[0] = tree.View(progman, c.progmanView);
        if (c.progmanWorker >= 0)
            expected[1] = tree.View(tree.Add(progman, L"WorkerW"), c.progmanWorker);
        for (int i = 0; i < 2; ++i)
            if (c.topWorkers[i] >= 0)
                expected[2 + i] = tree.View(tree.Add(0, L"WorkerW"), c.topWorkers[i]);
        const DesktopViewWindows found = FindDesktopListView(tree.Queries());
        EXPECT_EQ(found.defView, expected[c.expected]) << c.name;
        EXPECT_EQ(found.listView, tree.ListOf(expected[c.expected])) << c.name;
        EXPECT_EQ(found.itemCount, c.count) << c.name;
    }
}

TEST(FindDesktopListView, PrefersTheListViewNamedFolderView) {
    FakeTree tree;
    const WindowRef progman = tree.Add(0, L"Progman");
    const WindowRef defView = tree.Add(progman, L"SHELLDLL_DefView");
    tree.Add(defView, L"SysListView32", L"Other", 50);
    const WindowRef named = tree.Add(defView, L"SysListView32", L"FolderView", 3);
    const DesktopViewWindows found = FindDesktopListView(tree.Queries());
    EXPECT_EQ(found.listView, named);
    EXPECT_EQ(found.itemCount, 3);
}

TEST(FindDesktopListView, FallsBackToTheFirstUnnamedListView) {
    FakeTree tree;
    const WindowRef worker = tree.Add(0, L"WorkerW");
    const WindowRef defView = tree.Add(worker, L"SHELLDLL_DefView");
    const WindowRef first = tree.Add(defView, L"SysListView32", L"", 2);
    tree.Add(defView, L"SysListView32", L"", 40);
    const DesktopViewWindows found = FindDesktopListView(tree.Queries());
    EXPECT_EQ(found.listView, first);
    EXPECT_EQ(found.itemCount, 2);
}

TEST(FindDesktopListView, DefViewWithoutListViewIsKeptWithNoItems) {
    FakeTree tree;
    const WindowRef progman = tree.Add(0, L"Progman");
    const WindowRef defView = tree.Add(progman, L"SHELLDLL_DefView");
    tree.Add(0, L"WorkerW");  // no view inside: never a candidate
    const DesktopViewWindows found = FindDesktopListView(tree.Queries());
    EXPECT_EQ(found.defView, defView);
    EXPECT_EQ(found.listView, 0u);
    EXPECT_EQ(found.itemCount, 0);

    // A WorkerW whose view has any items replaces it.
    const WindowRef better = tree.View(tree.Add(0, L"WorkerW"), 1);
    EXPECT_EQ(FindDesktopListView(tree.Queries()).defView, better);
}

TEST(FindDesktopListView, NegativeCountOnProgmansViewIsForgotten) {
    FakeTree tree;
    const WindowRef progman = tree.Add(0, L"Progman");
    tree.View(progman, -3);
    DesktopViewWindows found = FindDesktopListView(tree.Queries());
    EXPECT_EQ(found.defView, 0u);
    EXPECT_EQ(found.itemCount, 0);

    const WindowRef worker = tree.View(tree.Add(0, L"WorkerW"), 0);
    found = FindDesktopListView(tree.Queries());
    EXPECT_EQ(found.defView, worker) << "an empty worker view beats a forgotten one";
}

TEST(FindDesktopListView, WorkerWChildrenOfOtherWindowsAreNotCandidates) {
    FakeTree tree;
    const WindowRef other = tree.Add(0, L"SomeApp");
    tree.View(tree.Add(other, L"WorkerW"), 99);
    const WindowRef worker = tree.View(tree.Add(0, L"WorkerW"), 1);
    EXPECT_EQ(FindDesktopListView(tree.Queries()).defView, worker);
}

}  // namespace
}  // namespace lumetra::layouttool
