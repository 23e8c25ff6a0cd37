#include "ui/shell_item_menu.h"

#include "platform/ascii_case.h"

namespace lumetra::ui {
namespace {

constexpr unsigned kScopeBackground = 0;
constexpr unsigned kScopeSelection = 1;
constexpr unsigned kQueryNormal = 0;
constexpr unsigned kQueryCanRename = 0x10;

// Verbs are ASCII; the platform's locale is never consulted.
bool SameVerb(std::wstring_view verb, std::wstring_view word) {
    return platform::EqualsIgnoringAsciiCase(verb, word);
}

}  // namespace

unsigned ShellMenuItemScope(int selectedCount) {
    return selectedCount > 0 ? kScopeSelection : kScopeBackground;
}

unsigned ShellMenuQueryFlags(int selectedCount) {
    return selectedCount >= 1 ? kQueryCanRename : kQueryNormal;
}

ItemMenuChoice ClassifyItemMenuChoice(unsigned id, std::wstring_view verb) {
    if (id == 0) return ItemMenuChoice::Nothing;
    if (id < kShellMenuFirstId) return ItemMenuChoice::OwnCommand;
    return SameVerb(verb, L"rename") ? ItemMenuChoice::Rename : ItemMenuChoice::InvokeShell;
}

bool HidesAfterShellCommand(std::wstring_view verb, bool invoked, bool closeOnItemActivate,
                            bool paletteVisible) {
    return invoked && closeOnItemActivate && paletteVisible &&
           (SameVerb(verb, L"open") || SameVerb(verb, L"explore"));
}

}  // namespace lumetra::ui
