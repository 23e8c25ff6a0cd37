#pragma once
// From one pinned item to its line: the display name, the target and the
// pinned shortcut, each taken from the first source that has an answer.
#include <functional>
#include <string>

#include "pinlister/pin_line.h"
#include "pinlister/shortcut_finder.h"

namespace lumetra::pinlister {

enum class ShellName { NormalDisplay, ParentRelativeParsing, DesktopAbsoluteParsing, FileSysPath };

// What the shell tells about one item; every call returns "" when it has no
// answer.
struct PinnedItemSource {
    // Names of the shell item made from the item's ID list; null when no shell
    // item could be made.
    std::function<std::wstring(ShellName)> shellItemName;
    std::function<std::wstring()> nameFromIdList;
    std::function<std::wstring()> parsingPathFromIdList;
};

// True when a line was added for the item.
bool ProcessPinnedItem(const PinnedItemSource& item, ShortcutFinder& shortcuts, PinnedLines& out);

}  // namespace lumetra::pinlister
