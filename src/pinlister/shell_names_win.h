#pragma once
// Names of shell items and ID lists; every function returns "" when the shell
// has no answer.
#include <windows.h>
#include <shobjidl.h>

#include <string>

namespace lumetra::pinlister {

// Normal display name, else the parent-relative parsing name, else the file
// information's display name.
std::wstring NameFromIdList(PCIDLIST_ABSOLUTE idList);
// Desktop-absolute parsing name, else the file-system path.
std::wstring ParsingPathFromIdList(PCIDLIST_ABSOLUTE idList);
std::wstring ShellItemName(IShellItem* item, SIGDN kind);

}  // namespace lumetra::pinlister
