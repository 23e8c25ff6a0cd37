#pragma once
// File calls on paths of any length.
#include <string>

namespace lumetra::log {

// The path as file calls take it whatever its length: a long one made full
// and put in extended-length form, anything else unchanged.
std::wstring PathForFileCalls(const std::wstring& path);

// Creates a folder and its missing parents; true when something exists at
// the folder's path afterwards.
bool CreateFolderTree(const std::wstring& folder);

}  // namespace lumetra::log
