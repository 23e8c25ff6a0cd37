#pragma once
// Decisions of the palette's placement on monitors, from plain values: where a
// shown palette goes, when a monitor change counts during a drag, and what a
// WM_MOVING step does to the proposed rectangle.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/monitor_values.h"
#include "palette/placement.h"

namespace lumetra::palette {

using config::kUnknownMonitorKey;

struct PosMonitorInput {
    std::wstring key;                 // monitor under the cursor
    ScreenRect work;                  // its work area
    WindowRect windowSetting;         // [Window] X, Y, W, H
    std::optional<ScreenRect> entry;  // its MonitorPos entry
    std::size_t monitorPosCount = 0;  // entries in MonitorPos
    bool showAtCursor = false;
    ScreenPoint cursor;
};

struct PosMonitorPlan {
    WindowRect rect;  // where the palette goes
    bool shownAtCursor = false;
    std::vector<std::wstring> logLines;
};

PosMonitorPlan PlanPosMonitor(const PosMonitorInput& in);

// Two consecutive moves on a new monitor confirm a crossing during a drag.
struct CrossFilterState {
    std::wstring pendingKey;
    int pendingCount = 0;
};
enum class CrossFilterAction {
    kNone,            // nothing to do
    kUnknownMonitor,  // forget the queued size, stop the animation, drop the anchor's scaling
    kCross,           // switch to the new monitor
};
CrossFilterAction StepCrossFilter(CrossFilterState& state, const std::wstring& key,
                                  const std::wstring& currentKey, bool inSizeMove);

// The move/size loop while the palette is dragged.
struct DragState {
    bool inSizeMove = false;
    Size queuedCrossSize;
    SizeAnimation animation;
    DragAnchor anchor;
};

struct MovingStep {
    bool handled = false;                       // the proposed rectangle was replaced
    std::optional<Size> storeWindowSize;        // new [Window] W, H
    std::optional<ScreenPoint> storeWindowPos;  // new [Window] X, Y
};

// One WM_MOVING: may replace `proposed`. `window` and `cursor` are empty when
// they cannot be read.
MovingStep StepMoving(DragState& drag, std::uint32_t now, const std::optional<ScreenRect>& window,
                      const std::optional<ScreenPoint>& cursor, ScreenRect& proposed);

}  // namespace lumetra::palette
