#include "pinlister/pinned_item.h"

namespace lumetra::pinlister {
namespace {

bool EmitWithShortcut(const std::wstring& name, const std::wstring& target,
                      ShortcutFinder& shortcuts, PinnedLines& out) {
    std::wstring shortcut = shortcuts.find(name, target);
    return EmitPinnedLine(out, name, target, shortcut.empty() ? target : shortcut);
}

// The ID list alone, when the shell item gave no usable line.
bool EmitFromIdList(const PinnedItemSource& item, ShortcutFinder& shortcuts, PinnedLines& out) {
    const std::wstring name = item.nameFromIdList();
    if (name.empty()) return false;
    const std::wstring target = item.parsingPathFromIdList();
    if (target.empty()) return false;
    return EmitWithShortcut(name, target, shortcuts, out);
}

}  // namespace

bool ProcessPinnedItem(const PinnedItemSource& item, ShortcutFinder& shortcuts, PinnedLines& out) {
    if (!item.shellItemName) {
        const std::wstring name = item.nameFromIdList();
        if (name.empty()) return false;
        const std::wstring target = item.parsingPathFromIdList();
        return !target.empty() && EmitPinnedLine(out, name, target, target);
    }

    std::wstring name = item.shellItemName(ShellName::NormalDisplay);
    if (name.empty()) name = item.shellItemName(ShellName::ParentRelativeParsing);
    if (name.empty()) name = item.nameFromIdList();
    if (!name.empty()) {
        std::wstring target = item.shellItemName(ShellName::DesktopAbsoluteParsing);
        if (target.empty()) target = item.shellItemName(ShellName::FileSysPath);
        if (target.empty()) target = item.parsingPathFromIdList();
        if (!target.empty() && EmitWithShortcut(name, target, shortcuts, out)) return true;
    }
    return EmitFromIdList(item, shortcuts, out);
}

}  // namespace lumetra::pinlister
