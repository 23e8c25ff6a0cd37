#include "layouttool/layout_path.h"

namespace lumetra::layouttool {

std::wstring LayoutFolderFromAppData(std::wstring_view appData) {
    if (appData.empty() || appData.size() > 259) return {};
    std::wstring folder(appData);
    if (folder.back() != L'\\') folder += L'\\';
    return folder + L"veltor\\Stilvane";
}

std::wstring LayoutFileInFolder(std::wstring_view folder) {
    if (folder.empty()) return {};
    return std::wstring(folder) + L"\\" + kLayoutFileName;
}

std::wstring UndoFileBeside(std::wstring_view layoutPath) {
    const std::size_t slash = layoutPath.rfind(L'\\');
    if (slash == std::wstring_view::npos) return {};
    return std::wstring(layoutPath.substr(0, slash + 1)) + kUndoFileName;
}

std::wstring SnapshotFileBeside(std::wstring_view layoutPath) {
    const std::wstring undo = UndoFileBeside(layoutPath);
    return undo.empty() ? undo : undo + L".new";
}

}  // namespace lumetra::layouttool
