#pragma once
// The item filter's questions asked of real shell items.
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace lumetra::hostedview {

// Desktop-absolute parsing name; empty when the shell has none.
std::wstring ItemParsingName(PCIDLIST_ABSOLUTE full);
// Normal display name, for log lines.
std::wstring ItemDisplayName(PCIDLIST_ABSOLUTE full);

bool IsControlPanelItem(PCIDLIST_ABSOLUTE full);
bool ShouldShowDesktopItem(IShellFolder* desktop, PCUITEMID_CHILD child, PCIDLIST_ABSOLUTE full);
bool IsExcludedSpecialFolder(PCIDLIST_ABSOLUTE full, const std::wstring& path);
bool IsShownKnownDesktopIcon(PCIDLIST_ABSOLUTE full);
// True for items directly inside the Desktop or the Public Desktop folder.
bool IsDesktopChildPath(PCIDLIST_ABSOLUTE ids);

}  // namespace lumetra::hostedview
