#pragma once
// Text rules for the paths of Desktop items: which belong to the Desktop, which
// are cloud-storage roots, which are direct children of a Desktop folder.
// Comparisons ignore case for ASCII and Latin-1 letters, without the locale.
#include <string>
#include <string_view>

namespace lumetra::hostedview {

// The folders the filter compares against, as the host resolved them.
struct DesktopPaths {
    std::wstring desktop;        // normalised, trailing "\"
    std::wstring publicDesktop;  // normalised, trailing "\"
    std::wstring profile;        // as the shell returns it; empty when unknown
};

bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix);
// Every "/" becomes "\" and a trailing "\" is added; "" becomes "\".
std::wstring NormalizeFolderPath(std::wstring_view path);
std::wstring ToBackslashes(std::wstring_view path);
bool SamePathIgnoringTrailingSeparators(std::wstring_view a, std::wstring_view b);
// True when `path` lies below `folder` (a normalised folder path). An unknown
// folder ("\" after normalising) contains nothing.
bool IsBelowFolder(std::wstring_view path, std::wstring_view folder);

// A file-system item owned by the Desktop: below the Desktop or the Public
// Desktop, or the profile folder itself while the user's-files icon shows.
bool IsDesktopOwnedPath(const DesktopPaths& paths, std::wstring_view path, bool userFilesShown);
// Below the profile's OneDrive or Dropbox folder.
bool IsCloudStoragePath(const DesktopPaths& paths, std::wstring_view path);
// Directly inside the Desktop or the Public Desktop (not in a sub-folder).
bool IsDesktopChildPathText(const DesktopPaths& paths, std::wstring_view path);

}  // namespace lumetra::hostedview
