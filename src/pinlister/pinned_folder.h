#pragma once
// The folder of pinned shortcuts below the roaming application-data folder,
// and one entry of its "*.lnk" listing as the lister needs it.
#include <cstdint>
#include <string>
#include <string_view>

namespace lumetra::pinlister {

struct FolderEntry {
    std::wstring name;                // file name only
    std::uint64_t lastWriteTime = 0;  // FILETIME units
    bool isDirectory = false;
};

// Value of %APPDATA% -> the pinned-shortcut folder; empty (unknown) when the
// variable is missing or 260 units or longer.
std::wstring PinnedFolderFromAppData(std::wstring_view appData);

// Case-insensitive ".lnk" at the end of a path longer than 3 units.
bool EndsWithLnk(std::wstring_view path);

}  // namespace lumetra::pinlister
