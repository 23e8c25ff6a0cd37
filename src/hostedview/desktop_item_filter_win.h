#pragma once
// The item filter's questions asked of real shell items.
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace lumetra::hostedview {

// The item's name of one kind, allocated by the shell so that no length is cut
// off; empty when the item has none (a virtual item has no file-system path).
std::wstring ShellItemName(PCIDLIST_ABSOLUTE full, SIGDN kind);
// Where the filter reads names: the shell in the program. Tests hand in names
// Wine cannot produce, such as paths longer than 260 characters.
using ItemNameReader = std::wstring (*)(PCIDLIST_ABSOLUTE full, SIGDN kind);

// Desktop-absolute parsing name; empty when the shell has none.
std::wstring ItemParsingName(PCIDLIST_ABSOLUTE full);
// Normal display name, for log lines.
std::wstring ItemDisplayName(PCIDLIST_ABSOLUTE full);

bool IsControlPanelItem(PCIDLIST_ABSOLUTE full);
bool ShouldShowDesktopItem(IShellFolder* desktop, PCUITEMID_CHILD child, PCIDLIST_ABSOLUTE full,
                           ItemNameReader readName = ShellItemName);
bool IsExcludedSpecialFolder(PCIDLIST_ABSOLUTE full, const std::wstring& path);
bool IsShownKnownDesktopIcon(PCIDLIST_ABSOLUTE full);
// True for items directly inside the Desktop or the Public Desktop folder.
bool IsDesktopChildPath(PCIDLIST_ABSOLUTE ids, ItemNameReader readName = ShellItemName);

}  // namespace lumetra::hostedview
