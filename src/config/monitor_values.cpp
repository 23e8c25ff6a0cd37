#include "config/monitor_values.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "config/decimal.h"
#include "config/ini_document.h"
#include "log/bounded_format.h"

namespace lumetra::config {
namespace {

constexpr std::size_t kLayoutUnits = 384;
constexpr std::size_t kLayoutFields = 6;

bool IsCSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// One "%d" of a scan format: blanks, a sign, at least one digit; advances pos.
std::optional<std::int32_t> ScanInt(std::wstring_view text, std::size_t& pos) {
    std::size_t i = pos;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    std::size_t digits = i;
    if (digits < text.size() && (text[digits] == L'+' || text[digits] == L'-')) ++digits;
    std::size_t end = digits;
    while (end < text.size() && text[end] >= L'0' && text[end] <= L'9') ++end;
    if (end == digits) return std::nullopt;
    pos = end;
    return ParseDecimal(text.substr(i, end - i));
}

// Within the bounds of [Window], so that placement's sums of a coordinate and
// a size stay inside 32 bits.
bool IsStorableRect(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
    const auto coordinate = [](std::int64_t v) {
        return v >= -kMaxWindowCoordinate && v <= kMaxWindowCoordinate;
    };
    const auto extent = [](std::int64_t v) {
        return v >= kMinStoredExtent && v <= kMaxWindowExtent;
    };
    return coordinate(left) && coordinate(top) && extent(width) && extent(height);
}

// The longest group key a written value holds after its five numbers (both
// sizes count a terminator).
constexpr std::size_t kStorableGroupKeyUnits = kLayoutUnits - std::size(L"0|0|0|0|0|");

}  // namespace

std::optional<ScreenRect> ParseMonitorPos(std::wstring_view text) {
    std::int32_t v[4];
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != L',') return std::nullopt;
            ++pos;
        }
        const auto n = ScanInt(text, pos);
        if (!n) return std::nullopt;
        v[i] = *n;
    }
    if (!IsStorableRect(v[0], v[1], v[2], v[3])) return std::nullopt;
    return ScreenRect{v[0], v[1], v[0] + v[2], v[1] + v[3]};
}

std::optional<std::wstring> FormatMonitorPos(const ScreenRect& rect) {
    const std::int64_t width = std::int64_t{rect.right} - rect.left;
    const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
    if (!IsStorableRect(rect.left, rect.top, width, height)) return std::nullopt;
    wchar_t text[64];
    log::FormatToBuffer(text, std::size(text), L"%d,%d,%d,%d", rect.left, rect.top,
                        static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    return std::wstring(text);
}

std::optional<std::int32_t> ParseMonitorView(std::wstring_view text) {
    const std::int32_t view = ParseDecimal(text).value_or(0);
    if (!IsValidView(view)) return std::nullopt;
    return view;
}

std::optional<MonitorLayout> ParseMonitorLayout(std::wstring_view text) {
    std::wstring_view fields[kLayoutFields];
    std::size_t count = 0;
    std::size_t pos = 0;
    while (count < kLayoutFields) {
        const std::size_t bar = text.find(L'|', pos);
        fields[count++] = text.substr(pos, bar == std::wstring_view::npos ? text.npos : bar - pos);
        if (bar == std::wstring_view::npos) break;
        pos = bar + 1;
    }
    if (count < 5) return std::nullopt;
    const std::int32_t sort = ParseDecimal(fields[0]).value_or(0);
    if (sort < 0 || sort > 2) return std::nullopt;
    auto flag = [](std::wstring_view field) { return field != L"0"; };
    MonitorLayout layout;
    layout.sort = sort;
    layout.sortAscending = flag(fields[1]);
    layout.groupBy = flag(fields[2]);
    layout.groupAscending = flag(fields[3]);
    layout.persisted = flag(fields[4]);
    if (count == kLayoutFields) layout.groupKey = CutValue(fields[5], kStorableGroupKeyUnits);
    return layout;
}

std::wstring FormatMonitorLayout(const MonitorLayout& layout) {
    wchar_t numbers[64];
    log::FormatToBuffer(numbers, std::size(numbers), L"%d|%d|%d|%d|%d|", layout.sort,
                        layout.sortAscending ? 1 : 0, layout.groupBy ? 1 : 0,
                        layout.groupAscending ? 1 : 0, layout.persisted ? 1 : 0);
    std::wstring text(numbers);
    const std::size_t room = kLayoutUnits - 1 - std::min(text.size(), kLayoutUnits - 1);
    text.append(CutValue(layout.groupKey, room));
    return text;
}

std::wstring MonitorKeyFromDeviceName(std::wstring_view deviceName) {
    const std::size_t slash = deviceName.rfind(L'\\');
    const std::wstring_view key =
        slash == std::wstring_view::npos ? deviceName : deviceName.substr(slash + 1);
    return key.empty() ? std::wstring(kUnknownMonitorKey) : std::wstring(key);
}

bool IsStorableMonitorKey(std::wstring_view key) {
    return !key.empty() && key != kUnknownMonitorKey;
}

}  // namespace lumetra::config
