#pragma once
// The pinned-shortcut folder on disk: where it is, what it holds, and where
// each of its shortcuts points.
// windows.h comes first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <shobjidl.h>
// clang-format on

#include <string>
#include <string_view>
#include <vector>

#include "pinlister/pinned_folder.h"
#include "pinlister/shortcut_finder.h"

namespace lumetra::pinlister {

// From %APPDATA%; empty when unknown.
std::wstring PinnedShortcutFolder();

// Everything matching folder + "\*.lnk", directories included and marked.
std::vector<FolderEntry> ListShortcutFolder(const std::wstring& folder);

// The target of a shortcut file: its path, else its ID list's parsing name,
// else the shortcut's own path; empty when the file cannot be loaded. Needs COM.
std::wstring ResolveShortcutTarget(const std::wstring& shortcutPath);

// Of a loaded shortcut: its path whatever its length, else its ID list's
// parsing name; empty when it has neither.
std::wstring ShortcutLinkPath(IShellLinkW* link);
std::wstring ShortcutLinkTarget(IShellLinkW* link);

// The real folder, listing and resolution for a ShortcutFinder.
ShortcutFolderAccess ShortcutFolderOnDisk(std::wstring folder);

// One lookup with a finder of its own (an enumeration keeps one finder).
std::wstring FindPinnedShortcut(std::wstring_view name, std::wstring_view target);

}  // namespace lumetra::pinlister
