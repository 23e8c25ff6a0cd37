#include "hostedview/desktop_item_filter_win.h"

#include "config/settings.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/item_filter.h"

namespace lumetra::hostedview {
namespace {

std::wstring NameOf(PCIDLIST_ABSOLUTE full, SIGDN kind) {
    if (!full) return {};
    // The shell may leave garbage behind on failure: only a success is ours to free.
    PWSTR name = nullptr;
    if (FAILED(SHGetNameFromIDList(full, kind, &name))) return {};
    std::wstring text = name ? name : L"";
    CoTaskMemFree(name);
    return text;
}

std::wstring FileSystemPath(PCIDLIST_ABSOLUTE full) {
    wchar_t path[MAX_PATH] = {};
    if (!full || !SHGetPathFromIDListW(full, path)) return {};
    return path;
}

void ParseIconIdLists() {
    HostedView& v = View();
    if (v.iconIdListsParsed) return;
    v.iconIdListsParsed = true;
    for (std::size_t i = 0; i < kDesktopIconCount; ++i) {
        const std::wstring name = L"::" + std::wstring(kDesktopIconClsids[i]);
        PIDLIST_ABSOLUTE ids = nullptr;
        if (SUCCEEDED(SHParseDisplayName(name.c_str(), nullptr, &ids, 0, nullptr)))
            v.iconIdLists[i].reset(ids);
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

std::wstring ItemParsingName(PCIDLIST_ABSOLUTE full) {
    return NameOf(full, SIGDN_DESKTOPABSOLUTEPARSING);
}
std::wstring ItemDisplayName(PCIDLIST_ABSOLUTE full) { return NameOf(full, SIGDN_NORMALDISPLAY); }

bool IsControlPanelItem(PCIDLIST_ABSOLUTE full) {
    return IsControlPanelName(ItemParsingName(full));
}

bool ShouldShowDesktopItem(IShellFolder* desktop, PCUITEMID_CHILD child, PCIDLIST_ABSOLUTE full) {
    if (!desktop || !child || !full) return false;
    ItemFacts item;
    item.parsingName = ItemParsingName(full);
    const FilterContext context = CurrentContext();
    if (IsControlPanelName(item.parsingName)) return false;
    if (context.mode == config::DesktopItemsMode::AllItems) return true;
    item.path = FileSystemPath(full);
    SFGAOF attributes = SFGAO_FILESYSTEM;
    if (FAILED(desktop->GetAttributesOf(1, &child, &attributes)))
        item.fileSystem = FileSystemAttr::Unknown;
    else
        item.fileSystem =
            (attributes & SFGAO_FILESYSTEM) ? FileSystemAttr::Set : FileSystemAttr::Clear;
    switch (ClassifyDesktopItem(context, item)) {
        case FilterVerdict::Show:
            return true;
        case FilterVerdict::Hide:
            return false;
        case FilterVerdict::AskKnownIcons:
            break;
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

bool IsDesktopChildPath(PCIDLIST_ABSOLUTE ids) {
    return IsDesktopChildPathText(View().paths, FileSystemPath(ids));
}

}  // namespace lumetra::hostedview
