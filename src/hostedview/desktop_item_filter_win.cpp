#include "hostedview/desktop_item_filter_win.h"

#include <utility>

#include "config/settings.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/item_filter.h"

namespace lumetra::hostedview {
namespace {

void ParseIconIdLists() {
    HostedView& v = View();
    if (v.iconIdListsParsed) return;
    v.iconIdListsParsed = true;
    for (std::size_t i = 0; i < kDesktopIconCount; ++i) {
        const std::wstring name = L"::" + std::wstring(kDesktopIconClsids[i]);
        UniqueIdList ids;
        if (SUCCEEDED(SHParseDisplayName(name.c_str(), nullptr, ids.put(), 0, nullptr)))
            v.iconIdLists[i] = std::move(ids);
    }
}

IconIdMatches MatchIconIdLists(PCIDLIST_ABSOLUTE full) {
    ParseIconIdLists();
    IconIdMatches matches = 0;
    for (std::size_t i = 0; i < kDesktopIconCount; ++i) {
        const UniqueIdList& ids = View().iconIdLists[i];
        if (ids && ILIsEqual(full, ids.get())) matches |= 1u << i;
    }
    return matches;
}

FilterContext CurrentContext() {
    const HostedView& v = View();
    return {config::Cfg().desktopItemsMode, &v.iconRegistry.sets, &v.paths};
}

}  // namespace

std::wstring ShellItemName(PCIDLIST_ABSOLUTE full, SIGDN kind) {
    if (!full) return {};
    // The shell may leave garbage behind on failure: only a success is ours to free.
    PWSTR name = nullptr;
    if (FAILED(SHGetNameFromIDList(full, kind, &name))) return {};
    std::wstring text = name ? name : L"";
    CoTaskMemFree(name);
    return text;
}

std::wstring ItemParsingName(PCIDLIST_ABSOLUTE full) {
    return ShellItemName(full, SIGDN_DESKTOPABSOLUTEPARSING);
}
std::wstring ItemDisplayName(PCIDLIST_ABSOLUTE full) {
    return ShellItemName(full, SIGDN_NORMALDISPLAY);
}

bool IsControlPanelItem(PCIDLIST_ABSOLUTE full) {
    return IsControlPanelName(ItemParsingName(full));
}

bool ShouldShowDesktopItem(IShellFolder* desktop, PCUITEMID_CHILD child, PCIDLIST_ABSOLUTE full,
                           ItemNameReader readName) {
    if (!desktop || !child || !full) return false;
    ItemFacts item;
    item.parsingName = readName(full, SIGDN_DESKTOPABSOLUTEPARSING);
    const FilterContext context = CurrentContext();
    if (IsControlPanelName(item.parsingName)) return false;
    if (context.mode == config::DesktopItemsMode::AllItems) return true;
    item.path = readName(full, SIGDN_FILESYSPATH);
    SFGAOF attributes = SFGAO_FILESYSTEM;
    if (FAILED(desktop->GetAttributesOf(1, &child, &attributes)))
        item.fileSystem = FileSystemAttr::Unknown;
    else
        item.fileSystem =
            (attributes & SFGAO_FILESYSTEM) ? FileSystemAttr::Set : FileSystemAttr::Clear;
    switch (ClassifyDesktopItem(context, item)) {
        case FilterVerdict::Show: return true;
        case FilterVerdict::Hide: return false;
        case FilterVerdict::AskKnownIcons: break;
    }
    return FinishKnownIconDecision(context, item, MatchIconIdLists(full));
}

bool IsExcludedSpecialFolder(PCIDLIST_ABSOLUTE full, const std::wstring& path) {
    return lumetra::hostedview::IsExcludedSpecialFolder(View().paths, ItemParsingName(full), path);
}

bool IsShownKnownDesktopIcon(PCIDLIST_ABSOLUTE full) {
    if (!full) return false;
    return lumetra::hostedview::IsShownKnownDesktopIcon(
        View().iconRegistry.sets, ItemParsingName(full), MatchIconIdLists(full));
}

bool IsDesktopChildPath(PCIDLIST_ABSOLUTE ids, ItemNameReader readName) {
    return IsDesktopChildPathText(View().paths, readName(ids, SIGDN_FILESYSPATH));
}

}  // namespace lumetra::hostedview
