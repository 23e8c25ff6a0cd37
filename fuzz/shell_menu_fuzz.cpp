// The shell item menu's pruning on any menu: no crash; the removals it reports,
// replayed on the original menu, give the pruned menu; and what it leaves has
// no view-mode submenu where one is looked for, no Refresh item within the
// searched depth, and no separator first, last or next to another.
//
// Input: UTF-16 lines, one item each; the number of leading ">" is its depth
// below the item before it (a submenu opens where the next line is deeper),
// "-" is a separator.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "ui/shell_menu_prune.h"

using namespace lumetra::ui;

using lumetra::fuzzing::Check;
using lumetra::fuzzing::Utf16;

namespace {

constexpr std::size_t kMaxDepth = 12;

struct Line {
    std::size_t depth = 0;
    std::wstring text;
};

std::vector<Line> Lines(const std::wstring& input) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find(L'\n', start);
        if (end == std::wstring::npos) end = input.size();
        Line line;
        std::size_t i = start;
        while (i < end && input[i] == L'>') ++i;
        line.depth = std::min(i - start, kMaxDepth);
        line.text = input.substr(i, end - i);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Items from `next` on that lie at `depth` (deeper ones go into submenus).
MenuModel Build(const std::vector<Line>& lines, std::size_t& next, std::size_t depth) {
    MenuModel menu;
    while (next < lines.size() && lines[next].depth >= depth) {
        const Line& line = lines[next++];
        MenuItem item =
            line.text == L"-" ? Separator() : Command(static_cast<unsigned>(next), line.text);
        if (next < lines.size() && lines[next].depth > depth &&
            item.kind != MenuItemKind::Separator)
            item = Submenu(line.text, Build(lines, next, depth + 1));
        menu.push_back(std::move(item));
    }
    return menu;
}

bool Same(const MenuModel& a, const MenuModel& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || a[i].text != b[i].text || a[i].id != b[i].id ||
            !Same(a[i].items, b[i].items))
            return false;
    return true;
}

void Replay(MenuModel& menu, const std::vector<MenuPath>& removals) {
    for (const MenuPath& path : removals) {
        Check(!path.empty());
        MenuModel* level = &menu;
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            Check(path[i] < level->size() && (*level)[path[i]].kind == MenuItemKind::Submenu);
            level = &(*level)[path[i]].items;
        }
        Check(path.back() < level->size());
        level->erase(level->begin() + static_cast<std::ptrdiff_t>(path.back()));
    }
}

bool IsViewModeSubmenu(const MenuItem& item) {
    return item.kind == MenuItemKind::Submenu && ViewModeSubmenuScore(item.items) > 2;
}

void CheckNoRefresh(const MenuModel& menu, int level) {
    for (const MenuItem& item : menu) {
        if (item.kind == MenuItemKind::Command) Check(!IsRefreshText(item.text));
        if (item.kind == MenuItemKind::Submenu && level < kShellMenuSearchDepth)
            CheckNoRefresh(item.items, level + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring input = Utf16(data, size);
    const std::vector<Line> lines = Lines(input);
    std::size_t next = 0;
    const MenuModel original = Build(lines, next, 0);

    MenuModel pruned = original;
    const std::vector<MenuPath> removals = PruneShellMenu(pruned);
    MenuModel replayed = original;
    Replay(replayed, removals);
    Check(Same(replayed, pruned));

    for (std::size_t i = 0; i < pruned.size(); ++i) {
        const bool separator = pruned[i].kind == MenuItemKind::Separator;
        Check(!separator ||
              (i > 0 && i + 1 < pruned.size() && pruned[i - 1].kind != MenuItemKind::Separator));
        Check(!IsViewModeSubmenu(pruned[i]));
        for (const MenuItem& inner : pruned[i].items) Check(!IsViewModeSubmenu(inner));
    }
    CheckNoRefresh(pruned, 1);

    for (const Line& line : lines) Check(StripAccelerator(line.text).size() <= line.text.size());
    return 0;
}
