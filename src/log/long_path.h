#pragma once
// Paths of any length. Calls that fill a caller's buffer are asked again with
// a bigger one until the text fits, and a long path is given the form that
// file calls accept beyond 260 units.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace lumetra::log {

// The longest path the system handles, in UTF-16 units with the terminator.
inline constexpr std::size_t kMaxPathUnits = 32768;
// From this length on, plain file and folder calls refuse a path.
inline constexpr std::size_t kLongPathUnits = 248;

// fill(buffer, capacity) returns the units it wrote without the terminator;
// a text that did not fit returns capacity or more (some calls answer with
// the size they need); 0 is failure or nothing.
using FillBuffer = std::function<std::size_t(wchar_t* buffer, std::size_t capacity)>;

// The whole text from fill, asked with a growing buffer; empty when fill
// fails or the text would exceed kMaxPathUnits.
std::wstring ReadGrowing(const FillBuffer& fill);

// The path without its last component and the separators before it.
std::wstring FolderOf(const std::wstring& path);

// A full path of kLongPathUnits or more in its extended-length form
// ("\\?\C:\...", "\\?\UNC\server\share\..."); anything else unchanged.
std::wstring ExtendedLengthForm(const std::wstring& fullPath);

// The folders from the first below the root down to the folder itself, each
// as a full path, for a folder in extended-length form; empty for any other.
std::vector<std::wstring> FolderChain(const std::wstring& extendedFolder);

}  // namespace lumetra::log
