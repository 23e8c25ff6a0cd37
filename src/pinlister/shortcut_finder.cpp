#include "pinlister/shortcut_finder.h"

#include "pinlister/pin_line.h"

namespace lumetra::pinlister {

std::wstring_view NameStem(std::wstring_view fileName) {
    return fileName.substr(0, fileName.find(L'.'));
}

std::vector<ShortcutFinder::Shortcut>& ShortcutFinder::shortcuts() {
    if (shortcuts_) return *shortcuts_;
    shortcuts_.emplace();
    if (access_.folder.empty() || !access_.list) return *shortcuts_;
    for (const FolderEntry& entry : access_.list()) {
        if (entry.isDirectory) continue;
        shortcuts_->push_back({access_.folder + L"\\" + entry.name,
                               std::wstring(NameStem(entry.name)), std::nullopt});
    }
    return *shortcuts_;
}

const std::wstring& ShortcutFinder::targetOf(Shortcut& shortcut) {
    if (!shortcut.target) shortcut.target = access_.resolve ? access_.resolve(shortcut.path) : L"";
    return *shortcut.target;
}

std::wstring ShortcutFinder::find(std::wstring_view name, std::wstring_view target) {
    if (EndsWithLnk(target)) return std::wstring(target);
    const Shortcut* fallback = nullptr;
    for (Shortcut& shortcut : shortcuts()) {
        if (EqualsIgnoringCase(targetOf(shortcut), target)) return shortcut.path;
        if (!fallback && !name.empty() && EqualsIgnoringCase(shortcut.stem, name))
            fallback = &shortcut;
    }
    return fallback ? fallback->path : std::wstring();
}

}  // namespace lumetra::pinlister
