#include "pinlister/pinned_folder.h"

#include "pinlister/pin_line.h"

namespace lumetra::pinlister {
namespace {

constexpr std::size_t kMaxPathUnits = 260;

}  // namespace

std::wstring PinnedFolderFromAppData(std::wstring_view appData) {
    if (appData.empty() || appData.size() >= kMaxPathUnits) return {};
    return std::wstring(appData) +
           L"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\TaskBar";
}

bool EndsWithLnk(std::wstring_view path) {
    constexpr std::wstring_view kExtension = L".lnk";
    return path.size() > 3 && path.size() >= kExtension.size() &&
           EqualsIgnoringCase(path.substr(path.size() - kExtension.size()), kExtension);
}

}  // namespace lumetra::pinlister
