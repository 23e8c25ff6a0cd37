#include "hostedview/path_rules.h"

namespace lumetra::hostedview {
namespace {

wchar_t FoldCase(wchar_t c) {
    if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - (L'a' - L'A'));
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 0x20);
    return c;
}

std::wstring_view TrimTrailingSeparators(std::wstring_view path) {
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.remove_suffix(1);
    return path;
}

std::wstring_view ParentOf(std::wstring_view path) {
    path = TrimTrailingSeparators(path);
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? std::wstring_view{} : path.substr(0, slash + 1);
}

}  // namespace

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::wstring ToBackslashes(std::wstring_view path) {
    std::wstring out(path);
    for (wchar_t& c : out)
        if (c == L'/') c = L'\\';
    return out;
}

std::wstring NormalizeFolderPath(std::wstring_view path) {
    std::wstring out = ToBackslashes(path);
    if (out.empty() || out.back() != L'\\') out += L'\\';
    return out;
}

bool SamePathIgnoringTrailingSeparators(std::wstring_view a, std::wstring_view b) {
    return EqualsNoCase(TrimTrailingSeparators(a), TrimTrailingSeparators(b));
}

bool IsBelowFolder(std::wstring_view path, std::wstring_view folder) {
    if (TrimTrailingSeparators(folder).empty()) return false;
    return StartsWithNoCase(ToBackslashes(path), folder);
}

bool IsDesktopOwnedPath(const DesktopPaths& paths, std::wstring_view path, bool userFilesShown) {
    if (path.empty()) return false;
    if (IsBelowFolder(path, paths.desktop) || IsBelowFolder(path, paths.publicDesktop)) return true;
    return userFilesShown && !TrimTrailingSeparators(paths.profile).empty() &&
           SamePathIgnoringTrailingSeparators(ToBackslashes(path), ToBackslashes(paths.profile));
}

bool IsCloudStoragePath(const DesktopPaths& paths, std::wstring_view path) {
    const std::wstring p = ToBackslashes(path);
    path = p;
    if (path.empty() || TrimTrailingSeparators(paths.profile).empty()) return false;
    for (std::wstring_view leaf : {L"\\OneDrive", L"\\Dropbox"}) {
        const std::wstring folder =
            NormalizeFolderPath(std::wstring(paths.profile) + std::wstring(leaf));
        // The root itself counts too: it is what the Desktop namespace lists.
        if (StartsWithNoCase(ToBackslashes(path), folder) ||
            SamePathIgnoringTrailingSeparators(path, folder))
            return true;
    }
    return false;
}

bool IsDesktopChildPathText(const DesktopPaths& paths, std::wstring_view path) {
    if (!IsBelowFolder(path, paths.desktop) && !IsBelowFolder(path, paths.publicDesktop))
        return false;
    const std::wstring parent = NormalizeFolderPath(ParentOf(ToBackslashes(path)));
    for (const std::wstring* folder : {&paths.desktop, &paths.publicDesktop})
        if (!TrimTrailingSeparators(*folder).empty() &&
            SamePathIgnoringTrailingSeparators(parent, *folder))
            return true;
    return false;
}

}  // namespace lumetra::hostedview
