#include "hostedview/item_filter.h"

namespace lumetra::hostedview {
namespace {

bool Matches(std::wstring_view name, IconIdMatches matches, DesktopIcon icon) {
    return (matches & IconBit(icon)) != 0 || NameHasClsid(name, ClsidOf(icon));
}

}  // namespace

bool NameHasClsid(std::wstring_view parsingName, std::wstring_view clsid) {
    constexpr std::wstring_view kPrefix = L"::";
    if (clsid.empty()) return false;
    while (!parsingName.empty()) {
        const std::size_t end = parsingName.find(L'\\');
        const std::wstring_view element = parsingName.substr(0, end);
        if (element.size() == kPrefix.size() + clsid.size() && element.substr(0, 2) == kPrefix &&
            EqualsNoCase(element.substr(kPrefix.size()), clsid))
            return true;
        if (end == std::wstring_view::npos) break;
        parsingName.remove_prefix(end + 1);
    }
    return false;
}

bool IsControlPanelName(std::wstring_view parsingName) {
    return NameHasClsid(parsingName, kClsidAllControlPanelItems) ||
           NameHasClsid(parsingName, kClsidControlPanelCategory);
}

bool IsExcludedSpecialFolder(const DesktopPaths& paths, std::wstring_view parsingName,
                             std::wstring_view path) {
    if (NameHasClsid(parsingName, kClsidLibraries)) return true;
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
        if (NameHasClsid(name, kClsidControlPanelIcon) && !IsControlPanelName(name)) return true;
    }
    if (userFilesShown &&
        (NameHasClsid(name, kClsidProfileFolder) || NameHasClsid(name, kClsidDocumentsFolder)))
        return true;
    return false;
}

FilterVerdict ClassifyDesktopItem(const FilterContext& context, const ItemFacts& item) {
    if (!context.sets || !context.paths || IsControlPanelName(item.parsingName))
        return FilterVerdict::Hide;
    if (context.mode == config::DesktopItemsMode::AllItems) return FilterVerdict::Show;
    for (const std::wstring& hidden : context.sets->all)
        if (NameHasClsid(item.parsingName, hidden)) return FilterVerdict::Hide;
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
