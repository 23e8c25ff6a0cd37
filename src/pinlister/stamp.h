#pragma once
// The change stamp: what the pinned-shortcut folder looks like, and the pin
// list's own change counter. Equal stamps mean the stored list still holds.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pinlister/pinned_folder.h"

namespace lumetra::pinlister {

// "folder|newest write time|count" over the shortcut files (directories are
// not counted), or "no-folder" when the folder is unknown or nothing matched.
std::wstring FolderSignature(std::wstring_view folder, const std::vector<FolderEntry>& entries);

// "signature|comchg=counter"
std::wstring StampText(std::wstring_view signature, std::uint32_t changeCount);

}  // namespace lumetra::pinlister
