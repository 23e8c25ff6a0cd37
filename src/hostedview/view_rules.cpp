#include "hostedview/view_rules.h"

#include <algorithm>

namespace lumetra::hostedview {

FolderSettingsChoice ChooseFolderSettings(config::ViewMode viewMode, bool doubleClickOpens) {
    FolderSettingsChoice choice;
    choice.viewMode = viewMode == config::ViewMode::Small ? kFvmSmallIcon : kFvmIcon;
    choice.flags = kFwfAutoArrange | (doubleClickOpens ? 0u : kFwfSingleClickNoEdge);
    return choice;
}

void ClearInfoTipCache(InfoTipCache& cache) {
    cache.index = -1;
    cache.text.clear();
}

bool InfoTipCacheMiss(InfoTipCache& cache, int index) {
    if (cache.index == index) return false;
    cache.index = index;
    cache.text.clear();
    return true;
}

std::size_t CopyTipText(std::wstring_view text, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0) return 0;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(capacity) - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = L'\0';
    return n;
}

bool TakeFilterLogLine(FilterLogLimit& limit, std::uint32_t now) {
    if (!limit.started || now - limit.windowStart >= kFilterLogWindowMs) {
        limit.started = true;
        limit.windowStart = now;
        limit.lines = 0;
    }
    if (limit.lines >= kFilterLogLines) return false;
    ++limit.lines;
    return true;
}

}  // namespace lumetra::hostedview
