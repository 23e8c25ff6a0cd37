#pragma once
// Where the layout file lives: below the roaming application-data folder.
#include <string>
#include <string_view>

namespace lumetra::layouttool {

inline constexpr const wchar_t* kLayoutFileName = L"desktop_layout.sv1";
// What /undo restores: the layout from before the last restore that moved icons.
inline constexpr const wchar_t* kUndoFileName = L"desktop_layout.undo.sv1";

// "<APPDATA>\veltor\Stilvane" without a final backslash; empty unless the
// variable holds 1 to 259 characters.
std::wstring LayoutFolderFromAppData(std::wstring_view appData);
// The file in that folder; empty when the folder is.
std::wstring LayoutFileInFolder(std::wstring_view folder);

// The undo file in the layout file's folder; empty when the path names no folder.
std::wstring UndoFileBeside(std::wstring_view layoutPath);
// Where a restore keeps the layout it is about to replace until it knows
// whether it moved anything; empty when the path names no folder.
std::wstring SnapshotFileBeside(std::wstring_view layoutPath);

}  // namespace lumetra::layouttool
