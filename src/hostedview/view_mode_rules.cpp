#include "hostedview/view_mode_rules.h"

#include <cstdlib>

namespace lumetra::hostedview {
namespace {

// Sizes in pixels of large, medium, small and extra large icons.
int IconPxOf(config::ViewMode view) {
    switch (view) {
        case config::ViewMode::Large: return 96;
        case config::ViewMode::Small: return kSmallIconPx;
        case config::ViewMode::ExtraLarge: return 128;
        default: return 48;
    }
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// `digits` hex digits from text[at]; false on anything else.
bool ReadHex(std::wstring_view text, std::size_t at, int digits, std::uint32_t& value) {
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int v = HexValue(text[at + static_cast<std::size_t>(i)]);
        if (v < 0) return false;
        value = (value << 4) | static_cast<std::uint32_t>(v);
    }
    return true;
}

// The 32-bit decimal number the text starts with, saturating like the C
// library; false without a digit.
bool ReadDecimal(std::wstring_view text, std::uint32_t& value) {
    if (text.empty() || text[0] < L'0' || text[0] > L'9') return false;
    std::uint64_t n = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') break;
        n = n * 10 + static_cast<std::uint64_t>(c - L'0');
        if (n > 0xFFFFFFFFu) n = 0xFFFFFFFFu;
    }
    value = static_cast<std::uint32_t>(n);
    return true;
}

constexpr std::size_t kGuidTextLength = 38;
// The longest FMTID text a key may carry before its colon.
constexpr std::size_t kGroupKeyFmtidMaxLength = 47;

}  // namespace

ViewModeTarget WantedViewMode(config::ViewMode view, bool grouped) {
    ViewModeTarget target{kFvmIcon, IconPxOf(view)};
    if (view == config::ViewMode::Small && !grouped) target.folderViewMode = kFvmSmallIcon;
    return target;
}

std::wstring FormatGuid(const Guid& guid) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring text = L"{";
    auto put = [&](std::uint32_t value, int digits) {
        for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
            text += kHex[(value >> shift) & 0xF];
    };
    put(guid.data1, 8);
    text += L'-';
    put(guid.data2, 4);
    text += L'-';
    put(guid.data3, 4);
    text += L'-';
    for (std::size_t i = 0; i < guid.data4.size(); ++i) {
        if (i == 2) text += L'-';
        put(guid.data4[i], 2);
    }
    text += L'}';
    return text;
}

bool ParseGuid(std::wstring_view text, Guid& guid) {
    if (text.size() != kGuidTextLength || text.front() != L'{' || text.back() != L'}' ||
        text[9] != L'-' || text[14] != L'-' || text[19] != L'-' || text[24] != L'-')
        return false;
    Guid parsed;
    std::uint32_t v = 0;
    if (!ReadHex(text, 1, 8, parsed.data1)) return false;
    if (!ReadHex(text, 10, 4, v)) return false;
    parsed.data2 = static_cast<std::uint16_t>(v);
    if (!ReadHex(text, 15, 4, v)) return false;
    parsed.data3 = static_cast<std::uint16_t>(v);
    static constexpr std::size_t kByteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (std::size_t i = 0; i < 8; ++i) {
        if (!ReadHex(text, kByteAt[i], 2, v)) return false;
        parsed.data4[i] = static_cast<std::uint8_t>(v);
    }
    guid = parsed;
    return true;
}

SortColumnSpec WantedSortColumn(config::SortMode sort, bool ascending) {
    const int direction = ascending ? kSortAscending : kSortDescending;
    switch (sort) {
        case config::SortMode::Name: return {kNameKey, direction};
        case config::SortMode::DateModified: return {kDateModifiedKey, direction};
        case config::SortMode::Size: return {kSizeKey, direction};
    }
    return {kNameKey, kSortAscending};
}

config::SortMode SortModeOfColumn(const PropKey& key) {
    if (key == kDateModifiedKey) return config::SortMode::DateModified;
    if (key == kSizeKey) return config::SortMode::Size;
    return config::SortMode::Name;
}

std::wstring FormatGroupByKey(const PropKey& key) {
    std::wstring text = FormatGuid(key.fmtid) + L':' + std::to_wstring(key.pid);
    if (text.size() > config::kGroupByKeyMaxLength) text.resize(config::kGroupByKeyMaxLength);
    return text;
}

bool ParseGroupByKeyString(const config::Settings& cfg, PropKey& key, bool& ascending) {
    if (!cfg.groupBy) return false;
    if (cfg.groupByKey.empty()) {
        key = kNameKey;
        ascending = cfg.groupByAscending;
        return true;
    }
    const std::wstring_view text = cfg.groupByKey;
    const std::size_t colon = text.rfind(L':');
    if (colon == std::wstring_view::npos || colon == 0 || colon > kGroupKeyFmtidMaxLength)
        return false;
    PropKey parsed;
    if (!ReadDecimal(text.substr(colon + 1), parsed.pid)) return false;
    if (!ParseGuid(text.substr(0, colon), parsed.fmtid)) return false;
    key = parsed;
    ascending = cfg.groupByAscending;
    return true;
}

bool IsShellViewModeAt(config::ViewMode view, const ViewReport& report) {
    if (!report.modeRead) return false;
    if (std::abs(report.iconPx - IconPxOf(view)) > kIconSizeTolerancePx) return false;
    if (report.folderViewMode == kFvmIcon) return true;
    return view == config::ViewMode::Small && report.folderViewMode == kFvmSmallIcon;
}

bool ReportGrouped(const ViewReport& report, bool groupBySetting) {
    return report.groupRead ? !report.groupKey.IsNull() : groupBySetting;
}

bool IsViewModeCommitted(const config::Settings& cfg, const ViewReport& report) {
    if (!IsShellViewModeAt(cfg.viewMode, report)) return false;
    if (!report.groupRead) {
        if (cfg.groupBy) return false;
    } else if (cfg.groupBy) {
        PropKey wanted;
        bool ascending = true;
        if (report.groupKey.IsNull() || !ParseGroupByKeyString(cfg, wanted, ascending) ||
            wanted != report.groupKey || ascending != report.groupAscending)
            return false;
    } else if (!report.groupKey.IsNull()) {
        return false;
    }
    if (cfg.uiLayoutPersisted) {
        if (!report.sortRead) return false;
        if (report.sort != WantedSortColumn(cfg.sortMode, cfg.sortAscending)) return false;
    }
    return true;
}

unsigned UnderlineStyleFor(std::uint32_t iconUnderline) {
    switch (iconUnderline) {
        case 0: return 0x800;
        case 1: return 0x1800;
        default: return 0;
    }
}

}  // namespace lumetra::hostedview
