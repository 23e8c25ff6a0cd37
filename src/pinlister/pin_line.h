#pragma once
// The printed lines: "name|target|shortcut" in UTF-8, one per distinct target,
// with every character that would break that shape replaced.
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::pinlister {

struct PinnedLines {
    std::vector<std::string> lines;         // UTF-8, in the order the items came
    std::vector<std::wstring> seenTargets;  // cleaned targets already emitted, lower case

    void clear() {
        lines.clear();
        seenTargets.clear();
    }
};

// LF, CR and '|' become spaces; then spaces and tabs go from both ends.
std::wstring CleanField(std::wstring_view field);

// The one case rule of the lister: per unit, ASCII letters only.
std::wstring LowerCase(std::wstring_view text);
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b);

// Appends one line. False when the item is dropped: its cleaned name or target
// is empty, or its target was emitted before. An empty shortcut stands for the
// target.
bool EmitPinnedLine(PinnedLines& out, std::wstring_view name, std::wstring_view target,
                    std::wstring_view shortcut);

}  // namespace lumetra::pinlister
