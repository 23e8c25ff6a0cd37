#pragma once
// Info tips of the view's items, fetched from the shell once per item.
#include <windows.h>
#include <shlobj.h>

#include <string>

namespace lumetra::hostedview {

// The default tip, or the slow one when the default is missing or empty.
std::wstring QueryItemInfoTip(IQueryInfo* info);

}  // namespace lumetra::hostedview
