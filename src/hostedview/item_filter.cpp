#include "hostedview/item_filter.h"

namespace lumetra::hostedview {
namespace {

bool Matches(std::wstring_view name, IconIdMatches matches, DesktopIcon icon) {
    return (matches & IconBit(icon)) != 0 || (!name.empty() && ContainsNoCase(name, ClsidOf(icon)));
}

}  // namespace

bool IsControlPanelName(std::wstring_view parsingName) {
    return !parsingName.empty() && (ContainsNoCase(parsingName, kClsidAllControlPanelItems) ||
                                    ContainsNoCase(parsingName, kClsidControlPanelCategory));
}

bool IsExcludedSpecialFolder(const DesktopPaths& paths, std::wstring_view parsingName,
                             std::wstring_view path) {
    if (!parsingName.empty() && ContainsNoCase(parsingName, kClsidLibraries)) return true;
    if (path.empty()) return false;
    if (IsBelowFolder(path, paths.desktop) || IsBelowFolder(path, paths.publicDesktop))
        return false;
    return IsCloudStoragePath(paths, path);
}

bool IsShownKnownDesktopIcon(const HiddenIconSets& sets, std::wstring_view name,
                             IconIdMatches matches) {
    const bool userFilesShown = !IsIconHidden(sets, DesktopIcon::UserFiles);
    if (!IsIconHidden(sets, DesktopIcon::ThisPc) && Matches(name, matches, DesktopIcon::ThisPc))
        return true;
    if (userFilesShown && Matches(name, matches, DesktopIcon::UserFiles)) return true;
    if (!IsNetworkHidden(sets) && (Matches(name, matches, DesktopIcon::NetworkOld) ||
                                   Matches(name, matches, DesktopIcon::Network)))
        return true;
    if (!IsIconHidden(sets, DesktopIcon::RecycleBin) &&
        Matches(name, matches, DesktopIcon::RecycleBin))
        return true;
    if (!IsIconHidden(sets, DesktopIcon::ControlPanel)) {
        if (matches & IconBit(DesktopIcon::ControlPanel)) return true;
        if (!name.empty() && ContainsNoCase(name, kClsidControlPanelIcon) &&
            !IsControlPanelName(name))
            return true;
    }
    if (userFilesShown && !name.empty() &&
        (ContainsNoCase(name, kClsidProfileFolder) || ContainsNoCase(name, kClsidDocumentsFolder)))
        return true;
    return false;
}

FilterVerdict ClassifyDesktopItem(const FilterContext& context, const ItemFacts& item) {
    if (!context.sets || !context.paths || IsControlPanelName(item.parsingName))
        return FilterVerdict::Hide;
    if (context.mode == config::DesktopItemsMode::AllItems) return FilterVerdict::Show;
    if (!item.parsingName.empty())
        for (const std::wstring& hidden : context.sets->all)
            if (ContainsNoCase(item.parsingName, hidden)) return FilterVerdict::Hide;
    if (item.fileSystem != FileSystemAttr::Clear && !item.path.empty()) {
        const bool userFilesShown = !IsIconHidden(*context.sets, DesktopIcon::UserFiles);
        if (IsDesktopOwnedPath(*context.paths, item.path, userFilesShown))
            return IsExcludedSpecialFolder(*context.paths, item.parsingName, item.path)
                       ? FilterVerdict::Hide
                       : FilterVerdict::Show;
    }
    return FilterVerdict::AskKnownIcons;
}

bool FinishKnownIconDecision(const FilterContext& context, const ItemFacts& item,
                             IconIdMatches matches) {
    if (!context.sets || !context.paths) return false;
    return IsShownKnownDesktopIcon(*context.sets, item.parsingName, matches) &&
           !IsExcludedSpecialFolder(*context.paths, item.parsingName, item.path);
}

}  // namespace lumetra::hostedview
