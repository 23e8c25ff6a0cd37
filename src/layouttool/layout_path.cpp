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

}  // namespace lumetra::layouttool
