#pragma once
// The user's settings: one process-wide record read by every part of Lumetra
// on the UI thread. Changes are followed by SaveConfig.
#include <cstdint>
#include <map>
#include <string>

namespace lumetra::config {

// Enumerations keep the numbers stored in config.ini.
enum class TriggerKey : std::int32_t { Ctrl = 0, Shift = 1, Alt = 2, Disabled = 3 };
enum class MouseButton : std::int32_t { X1 = 0, X2 = 1 };
enum class MouseMode : std::int32_t { DoubleClick = 0, LongPress = 1, Disabled = 2 };
enum class SortMode : std::int32_t { Name = 0, DateModified = 1, Size = 2 };
enum class ViewMode : std::int32_t { Large = 1, Medium = 2, Small = 3, ExtraLarge = 4 };
enum class DesktopItemsMode : std::int32_t { SameAsDesktop = 0, AllItems = 1 };
enum class DisplayMode : std::int32_t { FollowSystem = 0, Light = 1, Dark = 2 };

inline constexpr std::int32_t kOpacityLevels[] = {100, 75, 30};

// RegisterHotKey modifier bits.
inline constexpr std::uint32_t kModAlt = 0x1;
inline constexpr std::uint32_t kModControl = 0x2;
inline constexpr std::uint32_t kModShift = 0x4;
inline constexpr std::uint32_t kModWin = 0x8;
inline constexpr std::uint32_t kModCtrlAlt = kModAlt | kModControl;

// A toggle hotkey: modifier bits and a virtual-key code; key 0 is no hotkey.
struct Hotkey {
    std::uint32_t modifiers = kModCtrlAlt;
    std::uint32_t key = 0x44;  // D
    friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

// Outer window rectangle in screen pixels.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// Bounds of [Window]: far beyond any set of monitors, yet small enough that
// placement's sums of a coordinate and a size never leave 32 bits.
inline constexpr std::int32_t kMaxWindowCoordinate = 1 << 20;
inline constexpr std::int32_t kMaxWindowExtent = 1 << 20;

// Where [Window] puts a palette that was never moved.
inline constexpr ScreenRect kDefaultPaletteRect{120, 120, 1040, 700};

// A monitor's sort and grouping.
struct MonitorLayout {
    std::int32_t sort = 0;
    bool sortAscending = true;
    bool groupBy = false;
    bool groupAscending = true;
    bool persisted = false;
    std::wstring groupKey;
    friend bool operator==(const MonitorLayout&, const MonitorLayout&) = default;
};

// Keyed by monitor key ("DISPLAY1"), compared exactly.
using MonitorPosMap = std::map<std::wstring, ScreenRect>;
using MonitorViewMap = std::map<std::wstring, std::int32_t>;
using MonitorLayoutMap = std::map<std::wstring, MonitorLayout>;

inline constexpr std::size_t kGroupByKeyMaxLength = 79;
inline constexpr std::size_t kLanguageMaxLength = 63;

struct Settings {
    // [General]
    bool debugLog = false;
    bool runAtStartup = false;
    // [Window]
    std::int32_t x = 120;
    std::int32_t y = 120;
    std::int32_t w = 920;
    std::int32_t h = 580;
    std::int32_t opacity = 100;
    // [Hotkey]
    TriggerKey trigger = TriggerKey::Alt;
    MouseButton mouseButton = MouseButton::X2;
    MouseMode mouseMode = MouseMode::DoubleClick;
    std::int32_t mouseLongPressMs = 450;
    // [UI]
    SortMode sortMode = SortMode::Name;
    bool sortAscending = true;
    bool groupBy = false;
    bool groupByAscending = true;
    std::wstring groupByKey;
    bool uiLayoutPersisted = false;
    ViewMode viewMode = ViewMode::Medium;
    bool closeOnItemActivate = true;
    DesktopItemsMode desktopItemsMode = DesktopItemsMode::SameAsDesktop;
    DisplayMode displayMode = DisplayMode::FollowSystem;
    std::wstring language;  // empty: the system's language

    // [Hotkey] ToggleHotkey, and the MonitorPos, MonitorView and MonitorLayout sections.
    Hotkey toggleHotkey;
    MonitorPosMap monitorPos;
    MonitorViewMap monitorView;
    MonitorLayoutMap monitorLayout;
};

// The process-wide record.
Settings& Cfg();

// The configuration's run-time state, none of it stored in the file.
struct ConfigSession {
    std::wstring path;  // resolved on first use (EnsureConfigPath)
    // False after a failed load: writers wait for a good load or a deleted file.
    bool readable = true;
    std::int32_t pinnedViewMode = 0;  // last valid view, first fallback of EnsureCfgView
    std::wstring currentMonitorKey;   // monitor whose preferences were loaded or placed last
    std::wstring appliedPrefsKey;     // monitor whose view and layout are in the settings now
};
ConfigSession& Session();

inline bool IsValidView(std::int32_t view) { return view >= 1 && view <= 4; }
inline bool IsValidView(ViewMode view) { return IsValidView(static_cast<std::int32_t>(view)); }
inline std::int32_t ToInt(ViewMode view) { return static_cast<std::int32_t>(view); }
inline std::int32_t ToInt(SortMode sort) { return static_cast<std::int32_t>(sort); }

}  // namespace lumetra::config
