#include "pinlister/stamp.h"

#include <algorithm>

namespace lumetra::pinlister {

// Written whole, never cut to a fixed buffer: a cut signature would lose the
// count and time, and then no change of the folder would ever show.
std::wstring FolderSignature(std::wstring_view folder, const std::vector<FolderEntry>& entries) {
    if (folder.empty() || entries.empty()) return L"no-folder";
    std::uint64_t newest = 0;
    std::uint32_t count = 0;
    for (const FolderEntry& entry : entries) {
        if (entry.isDirectory) continue;
        newest = std::max(newest, entry.lastWriteTime);
        ++count;
    }
    std::wstring text(folder);
    text += L'|';
    text += std::to_wstring(newest);
    text += L'|';
    text += std::to_wstring(count);
    return text;
}

std::wstring StampText(std::wstring_view signature, std::uint32_t changeCount) {
    std::wstring text(signature);
    text += L"|comchg=";
    text += std::to_wstring(changeCount);
    return text;
}

}  // namespace lumetra::pinlister
