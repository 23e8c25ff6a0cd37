#pragma once
// Text forms of the per-monitor values in config.ini:
//   [MonitorPos]    DISPLAY1=left,top,width,height
//   [MonitorView]   DISPLAY1=view (1..4)
//   [MonitorLayout] DISPLAY1=sort|sortAscending|groupBy|groupAscending|persisted|groupKey
#include <optional>
#include <string>
#include <string_view>

#include "config/settings.h"

namespace lumetra::config {

// Smallest width and height a stored palette rectangle may have.
inline constexpr std::int32_t kMinStoredExtent = 100;

// Empty for a malformed value, a rectangle narrower or lower than 100 pixels,
// or one outside the bounds of [Window] (kMaxWindowCoordinate, kMaxWindowExtent).
std::optional<ScreenRect> ParseMonitorPos(std::wstring_view text);
// Empty when the rectangle is too small or out of bounds to be stored.
std::optional<std::wstring> FormatMonitorPos(const ScreenRect& rect);

std::optional<std::int32_t> ParseMonitorView(std::wstring_view text);

std::optional<MonitorLayout> ParseMonitorLayout(std::wstring_view text);
// At most 383 units.
std::wstring FormatMonitorLayout(const MonitorLayout& layout);

// The part of a monitor's device name after its last backslash
// ("\\.\DISPLAY1" gives "DISPLAY1"); "_unknown" for an empty result.
std::wstring MonitorKeyFromDeviceName(std::wstring_view deviceName);
inline constexpr const wchar_t* kUnknownMonitorKey = L"_unknown";
// Neither empty nor "_unknown": a key that may own preferences.
bool IsStorableMonitorKey(std::wstring_view key);

}  // namespace lumetra::config
