#pragma once
// Small decisions of the view host: the folder settings the view is created
// with, the info-tip cache and the rate limit of the filter's log lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/settings.h"

namespace lumetra::hostedview {

inline constexpr unsigned kFvmIcon = 1;
inline constexpr unsigned kFvmSmallIcon = 2;
inline constexpr unsigned kFwfAutoArrange = 0x1;
inline constexpr unsigned kFwfSingleClickNoEdge =
    0x8200;  // FWF_SINGLECLICKACTIVATE | FWF_NOCLIENTEDGE

struct FolderSettingsChoice {
    unsigned viewMode = kFvmIcon;
    unsigned flags = kFwfAutoArrange;
};
// `doubleClickOpens` is the shell's fDoubleClickInWebView setting.
FolderSettingsChoice ChooseFolderSettings(config::ViewMode viewMode, bool doubleClickOpens);

// The tip of the item last asked for; item indices change on every refresh,
// so a refresh clears it.
struct InfoTipCache {
    int index = -1;
    std::wstring text;
};
void ClearInfoTipCache(InfoTipCache& cache);
// True (and the cache now keyed to `index`, empty) when the shell must be asked.
bool InfoTipCacheMiss(InfoTipCache& cache, int index);
// Copies `text` into buffer[0 .. capacity-1], cut to fit and always terminated;
// returns the units copied.
std::size_t CopyTipText(std::wstring_view text, wchar_t* buffer, int capacity);

// At most kFilterLogLines "Filtered from palette" lines per kFilterLogWindowMs.
inline constexpr int kFilterLogLines = 8;
inline constexpr std::uint32_t kFilterLogWindowMs = 5000;
struct FilterLogLimit {
    bool started = false;
    std::uint32_t windowStart = 0;
    int lines = 0;
};
// True when a line may be logged at tick `now` (counted).
bool TakeFilterLogLine(FilterLogLimit& limit, std::uint32_t now);

}  // namespace lumetra::hostedview
