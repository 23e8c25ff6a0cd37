#pragma once
// A menu as plain data: which items, in which order, with which captions,
// marks and states. A thin Win32 adapter turns it into a real menu.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lumetra::ui {

enum class MenuItemKind : std::uint8_t { Command, Separator, Submenu };
enum class MenuMark : std::uint8_t { None, Check, Radio };

struct MenuItem {
    MenuItemKind kind = MenuItemKind::Command;
    unsigned id = 0;  // commands only
    std::wstring text;
    MenuMark mark = MenuMark::None;
    bool marked = false;  // the check mark or radio bullet is shown
    bool grayed = false;
    bool isDefault = false;
    std::vector<MenuItem> items;  // submenus only
};

using MenuModel = std::vector<MenuItem>;

inline MenuItem Command(unsigned id, std::wstring text) {
    MenuItem item;
    item.id = id;
    item.text = std::move(text);
    return item;
}

inline MenuItem Checked(unsigned id, std::wstring text, bool marked) {
    MenuItem item = Command(id, std::move(text));
    item.mark = MenuMark::Check;
    item.marked = marked;
    return item;
}

inline MenuItem Radio(unsigned id, std::wstring text, bool marked) {
    MenuItem item = Command(id, std::move(text));
    item.mark = MenuMark::Radio;
    item.marked = marked;
    return item;
}

inline MenuItem Separator() {
    MenuItem item;
    item.kind = MenuItemKind::Separator;
    return item;
}

inline MenuItem Submenu(std::wstring caption, MenuModel items) {
    MenuItem item;
    item.kind = MenuItemKind::Submenu;
    item.text = std::move(caption);
    item.items = std::move(items);
    return item;
}

}  // namespace lumetra::ui
