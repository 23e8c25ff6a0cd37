#pragma once
// Which Desktop-root items the palette shows, decided from plain facts about
// an item (its parsing name, file-system path and attributes).
#include <cstdint>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "hostedview/desktop_icons.h"
#include "hostedview/path_rules.h"

namespace lumetra::hostedview {

enum class FileSystemAttr : std::uint8_t { Set, Clear, Unknown };

struct ItemFacts {
    std::wstring parsingName;  // desktop-absolute parsing name; empty when unknown
    std::wstring path;         // file-system path; empty for virtual items
    FileSystemAttr fileSystem = FileSystemAttr::Unknown;
};

struct FilterContext {
    config::DesktopItemsMode mode = config::DesktopItemsMode::SameAsDesktop;
    const HiddenIconSets* sets = nullptr;
    const DesktopPaths* paths = nullptr;
};

// Bit (1 << DesktopIcon) set when the item's id list is the one parsed from
// "::" and that icon's CLSID.
using IconIdMatches = std::uint32_t;
inline constexpr IconIdMatches IconBit(DesktopIcon icon) {
    return 1u << static_cast<unsigned>(icon);
}

// True when "::" and `clsid` form a whole element of the parsing name
// (elements are separated by "\"), ignoring case: "::{X}" and "::{Y}\::{X}"
// name item X, a file whose name merely contains {X} does not.
bool NameHasClsid(std::wstring_view parsingName, std::wstring_view clsid);
bool IsControlPanelName(std::wstring_view parsingName);
bool IsExcludedSpecialFolder(const DesktopPaths& paths, std::wstring_view parsingName,
                             std::wstring_view path);
bool IsShownKnownDesktopIcon(const HiddenIconSets& sets, std::wstring_view parsingName,
                             IconIdMatches matches);

enum class FilterVerdict : std::uint8_t { Show, Hide, AskKnownIcons };
// Everything but the id-list comparisons, which cost a parse each: those are
// only needed for items that are not Desktop-owned files.
FilterVerdict ClassifyDesktopItem(const FilterContext& context, const ItemFacts& item);
// The whole decision once the id-list matches are known.
bool FinishKnownIconDecision(const FilterContext& context, const ItemFacts& item,
                             IconIdMatches matches);

}  // namespace lumetra::hostedview
