#pragma once
// Where the layout file lives: below the roaming application-data folder.
#include <string>
#include <string_view>

namespace lumetra::layouttool {

inline constexpr const wchar_t* kLayoutFileName = L"desktop_layout.sv1";

// "<APPDATA>\veltor\Stilvane" without a final backslash; empty unless the
// variable holds 1 to 259 characters.
std::wstring LayoutFolderFromAppData(std::wstring_view appData);
// The file in that folder; empty when the folder is.
std::wstring LayoutFileInFolder(std::wstring_view folder);

}  // namespace lumetra::layouttool
