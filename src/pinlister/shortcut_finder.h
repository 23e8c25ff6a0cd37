#pragma once
// Which pinned shortcut stands for a pinned item: one whose target is the
// item's target, else the first whose name before its first dot is the item's
// display name.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pinlister/pinned_folder.h"

namespace lumetra::pinlister {

struct ShortcutFolderAccess {
    std::wstring folder;  // empty: unknown, nothing is listed
    // Entries matching folder + "\*.lnk", in listing order.
    std::function<std::vector<FolderEntry>()> list;
    // Target of the shortcut at a full path; empty when it cannot be read.
    std::function<std::wstring(const std::wstring& path)> resolve;
};

// The text before the first '.' of a file name ("App.Beta.lnk" -> "App").
std::wstring_view NameStem(std::wstring_view fileName);

// Serves one enumeration: the folder is listed once and every shortcut is
// resolved at most once, however many items ask.
class ShortcutFinder {
  public:
    explicit ShortcutFinder(ShortcutFolderAccess access) : access_(std::move(access)) {}

    // Full path of the shortcut, or empty when none stands for the item. A
    // target that is itself a shortcut is its own answer.
    std::wstring find(std::wstring_view name, std::wstring_view target);

  private:
    struct Shortcut {
        std::wstring path;
        std::wstring stem;
        std::optional<std::wstring> target;
    };
    std::vector<Shortcut>& shortcuts();
    const std::wstring& targetOf(Shortcut& shortcut);

    ShortcutFolderAccess access_;
    std::optional<std::vector<Shortcut>> shortcuts_;
};

}  // namespace lumetra::pinlister
