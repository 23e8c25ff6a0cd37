#include "ui/shell_menu_prune.h"

#include <algorithm>
#include <iterator>

#include "platform/ascii_case.h"

namespace lumetra::ui {
namespace {

constexpr int kViewModeThreshold = 2;

// ASCII only: the texts compared are English, European or East Asian, and
// the platform's locale is never consulted.
std::wstring Folded(std::wstring_view text) {
    std::wstring folded(StripAccelerator(text));
    for (wchar_t& c : folded) c = platform::FoldAsciiCase(c);
    return folded;
}

bool ContainsAny(const std::wstring& text, std::initializer_list<std::wstring_view> parts) {
    return std::any_of(parts.begin(), parts.end(), [&text](std::wstring_view part) {
        return text.find(part) != std::wstring::npos;
    });
}

bool EqualsAny(const std::wstring& text, std::initializer_list<std::wstring_view> words) {
    return std::find(words.begin(), words.end(), text) != words.end();
}

int ItemScore(const std::wstring& text) {
    int score = 0;
    if (ContainsAny(text, {L"large icons", L"medium icons", L"small icons", L"extra large"}))
        score += 2;
    if (ContainsAny(text, {L"details"})) score += 2;
    if (text == L"list") score += 2;
    if (ContainsAny(text, {L"大アイコン", L"中アイコン", L"小アイコン", L"特大"})) score += 2;
    if (ContainsAny(text, {L"詳細", L"一覧", L"並べて表示", L"コンテンツ"})) score += 2;
    if (ContainsAny(text, {L"タイル", L"tile"})) score += 1;
    if (ContainsAny(text, {L"content"})) score += 1;
    return score;
}

bool IsViewModeSubmenu(const MenuItem& item) {
    return item.kind == MenuItemKind::Submenu &&
           ViewModeSubmenuScore(item.items) > kViewModeThreshold;
}

void Remove(MenuModel& menu, std::size_t index, const MenuPath& path,
            std::vector<MenuPath>& removals) {
    menu.erase(menu.begin() + static_cast<std::ptrdiff_t>(index));
    removals.push_back(path);
}

// Last to first, so that a removal never moves an item still to be visited.
void RemoveViewModeSubmenus(MenuModel& menu, std::vector<MenuPath>& removals) {
    for (std::size_t i = menu.size(); i-- > 0;) {
        if (menu[i].kind != MenuItemKind::Submenu) continue;
        if (IsViewModeSubmenu(menu[i])) {
            Remove(menu, i, {i}, removals);
            continue;
        }
        MenuModel& inner = menu[i].items;
        for (std::size_t j = inner.size(); j-- > 0;)
            if (IsViewModeSubmenu(inner[j])) Remove(inner, j, {i, j}, removals);
    }
}

void RemoveRefreshItems(MenuModel& menu, MenuPath& at, int depth, std::vector<MenuPath>& removals) {
    for (std::size_t i = menu.size(); i-- > 0;) {
        at.push_back(i);
        if (menu[i].kind == MenuItemKind::Submenu) {
            if (depth < kShellMenuSearchDepth)
                RemoveRefreshItems(menu[i].items, at, depth + 1, removals);
        } else if (menu[i].kind == MenuItemKind::Command && IsRefreshText(menu[i].text)) {
            Remove(menu, i, at, removals);
        }
        at.pop_back();
    }
}

void TidySeparators(MenuModel& menu, std::vector<MenuPath>& removals) {
    bool afterSeparator = true;  // a separator first in the menu goes too
    for (std::size_t i = 0; i < menu.size();) {
        const bool separator = menu[i].kind == MenuItemKind::Separator;
        if (separator && afterSeparator) {
            Remove(menu, i, {i}, removals);
            continue;
        }
        afterSeparator = separator;
        ++i;
    }
    if (!menu.empty() && menu.back().kind == MenuItemKind::Separator)
        Remove(menu, menu.size() - 1, {menu.size() - 1}, removals);
}

}  // namespace

std::wstring StripAccelerator(std::wstring_view text) {
    // The shortcut key shown after a tab ("Refresh\tF5").
    text = text.substr(0, text.find(L'\t'));
    // A trailing "(&X)", as East Asian menus mark the key.
    if (text.size() >= 4 && text.back() == L')' && text[text.size() - 4] == L'(' &&
        text[text.size() - 3] == L'&')
        text.remove_suffix(4);
    std::wstring plain;
    plain.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'&') {
            plain.push_back(text[i]);
            continue;
        }
        // "&&" is a literal ampersand; a lone "&" marks the next key.
        if (i + 1 < text.size() && text[i + 1] == L'&') {
            plain.push_back(L'&');
            ++i;
        }
    }
    return plain;
}

int ViewModeSubmenuScore(const MenuModel& submenu) {
    int score = 0;
    for (const MenuItem& item : submenu) score += ItemScore(Folded(item.text));
    return score;
}

bool IsRefreshText(std::wstring_view text) {
    const std::wstring folded = Folded(text);
    return EqualsAny(folded, {L"refresh", L"aktualisieren", L"actualiser", L"actualizar",
                              L"aggiorna", L"刷新"}) ||
           ContainsAny(folded,
                       {L"最新の情報に更新", L"最新の状態に更新", L"새로 고침", L"重新整理"});
}

std::vector<MenuPath> PruneShellMenu(MenuModel& menu) {
    std::vector<MenuPath> removals;
    RemoveViewModeSubmenus(menu, removals);
    MenuPath at;
    RemoveRefreshItems(menu, at, 1, removals);
    TidySeparators(menu, removals);
    return removals;
}

}  // namespace lumetra::ui
