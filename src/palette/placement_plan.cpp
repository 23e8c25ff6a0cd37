#include "palette/placement_plan.h"

#include "log/bounded_format.h"

namespace lumetra::palette {
namespace {

std::wstring Format(const wchar_t* format, auto... args) {
    wchar_t text[384];
    log::FormatToBuffer(text, 384, format, args...);
    return text;
}

}  // namespace

PosMonitorPlan PlanPosMonitor(const PosMonitorInput& in) {
    PosMonitorPlan plan;
    WindowRect r = in.windowSetting;
    if (!in.entry) {
        if (in.key == kUnknownMonitorKey)
            plan.logLines.push_back(
                L"MonitorPos: could not resolve monitor device name; using [Window] X/Y/W/H.");
        else if (in.monitorPosCount > 0)
            plan.logLines.push_back(Format(
                L"MonitorPos: no entry for '%ls' (%zu keys in config); using [Window] X/Y/W/H.",
                in.key.c_str(), in.monitorPosCount));
    } else if (!(*in.entry == kDefaultMonitorRect)) {
        r = {in.entry->left, in.entry->top, in.entry->width(), in.entry->height()};
    }
    const Size size{r.width, r.height};

    if (in.showAtCursor) {
        const ScreenPoint p = CursorPlacement(in.cursor, size, in.work);
        plan.rect = {p.x, p.y, r.width, r.height};
        plan.shownAtCursor = true;
        plan.logLines.push_back(
            Format(L"PosMonitor: showAtCursor cursor=(%d,%d) -> (%d,%d,%dx%d) [not persisted]",
                   in.cursor.x, in.cursor.y, p.x, p.y, r.width, r.height));
        return plan;
    }

    const Placement placed = PlaceSavedRect(r, in.work);
    const ScreenRect saved = in.entry.value_or(ScreenRect{-1, -1, -1, -1});
    plan.logLines.push_back(Format(
        L"PosMonitor: mon='%ls' found=%d saved=(%d,%d,%d,%d) work=(%d,%d,%d,%d) win=(%d,%d,%d,%d) "
        L"-> %ls "
        L"(%d,%d,%dx%d)",
        in.key.c_str(), in.entry ? 1 : 0, saved.left, saved.top, saved.right, saved.bottom,
        in.work.left, in.work.top, in.work.right, in.work.bottom, placed.beforeClamp.left,
        placed.beforeClamp.top, placed.beforeClamp.right, placed.beforeClamp.bottom,
        PlacementKindName(placed.kind), placed.candidate.x, placed.candidate.y, r.width, r.height));
    plan.rect = {placed.position.x, placed.position.y, r.width, r.height};
    return plan;
}

CrossFilterAction StepCrossFilter(CrossFilterState& state, const std::wstring& key,
                                  const std::wstring& currentKey, bool inSizeMove) {
    CrossFilterAction action = CrossFilterAction::kNone;
    if (!config::IsStorableMonitorKey(key)) {
        action = CrossFilterAction::kUnknownMonitor;
    } else if (key != currentKey) {
        if (!inSizeMove) return CrossFilterAction::kCross;
        if (key != state.pendingKey) {
            state.pendingKey = key;
            state.pendingCount = 1;
            return CrossFilterAction::kNone;
        }
        if (++state.pendingCount < 2) return CrossFilterAction::kNone;
        state.pendingKey.clear();
        state.pendingCount = 0;
        return CrossFilterAction::kCross;
    }
    state.pendingKey.clear();
    state.pendingCount = 0;
    return action;
}

MovingStep StepMoving(DragState& drag, std::uint32_t now, const std::optional<ScreenRect>& window,
                      const std::optional<ScreenPoint>& cursor, ScreenRect& proposed) {
    MovingStep step;
    if (!drag.inSizeMove || !drag.anchor.valid) return step;

    auto windowSize = [&]() -> std::optional<Size> {
        if (!window || window->width() <= 99 || window->height() <= 99) return std::nullopt;
        return Size{window->width(), window->height()};
    };
    auto anchored = [&](Size size) {
        if (!cursor) return;
        if (auto r = CursorAnchoredRect(drag.anchor, size, *cursor, drag.animation.active))
            proposed = *r;
    };

    if (drag.queuedCrossSize.width > 99 && drag.queuedCrossSize.height > 99) {
        const Size queued = drag.queuedCrossSize;
        drag.queuedCrossSize = {};
        drag.animation.active = false;
        const auto current = windowSize();
        if (!current) return step;
        if (NearlySameSize(*current, queued)) {
            step.storeWindowSize = queued;
            return step;
        }
        if (cursor) AnchorDrag(drag.anchor, *window, *cursor);
        drag.animation = {true, *current, queued, now};
    } else if (!drag.animation.active) {
        const auto current = windowSize();
        if (!current) return step;
        anchored(*current);
        step.handled = true;
        return step;
    }

    const Size size = StepSizeAnimation(drag.animation, now);
    anchored(size);
    step.handled = true;
    step.storeWindowSize = size;
    step.storeWindowPos = ScreenPoint{proposed.left, proposed.top};
    return step;
}

}  // namespace lumetra::palette
