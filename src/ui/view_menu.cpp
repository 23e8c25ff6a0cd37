#include "ui/view_menu.h"

#include "protocol/messages.h"
#include "ui/string_tables.h"

namespace lumetra::ui {
namespace {

unsigned IconSizeCommand(config::ViewMode viewMode) {
    switch (viewMode) {
        case config::ViewMode::Large: return protocol::kCmdViewLarge;
        case config::ViewMode::Medium: return protocol::kCmdViewMedium;
        case config::ViewMode::Small: return protocol::kCmdViewSmall;
        case config::ViewMode::ExtraLarge: return protocol::kCmdViewExtraLarge;
    }
    return protocol::kCmdViewMedium;
}

MenuItem CloseWindow(int language) {
    return Command(protocol::kCmdSaveAndHide, WindowCommandsText(language).closeWindow);
}

}  // namespace

MenuItem IconSizeSubmenu(int language, config::ViewMode viewMode) {
    const IconSizeLabels& labels = IconSizeLabelsText(language);
    const unsigned marked = IconSizeCommand(viewMode);
    auto entry = [marked](unsigned id, const wchar_t* text) {
        return Radio(id, text, id == marked);
    };
    return Submenu(labels.iconSizeTitle, {entry(protocol::kCmdViewExtraLarge, labels.extraLarge),
                                          entry(protocol::kCmdViewLarge, labels.large),
                                          entry(protocol::kCmdViewMedium, labels.medium),
                                          entry(protocol::kCmdViewSmall, labels.small)});
}

MenuModel BuildViewMenu(int language, config::ViewMode viewMode, config::SortMode sortMode) {
    const SortLabels& labels = SortLabelsText(language);
    const unsigned marked = protocol::kCmdSortName + static_cast<unsigned>(sortMode);
    auto entry = [marked](unsigned id, const wchar_t* text) {
        return Radio(id, text, id == marked);
    };
    return {IconSizeSubmenu(language, viewMode),
            Submenu(labels.sortTitle, {entry(protocol::kCmdSortName, labels.name),
                                       entry(protocol::kCmdSortDate, labels.dateModified),
                                       entry(protocol::kCmdSortSize, labels.size)}),
            Separator(), CloseWindow(language)};
}

MenuModel ShellMenuHead(int language, config::ViewMode viewMode) {
    return {IconSizeSubmenu(language, viewMode), Separator()};
}

MenuModel ShellMenuTail(int language) { return {Separator(), CloseWindow(language)}; }

}  // namespace lumetra::ui
