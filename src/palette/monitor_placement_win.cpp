#include "palette/monitor_placement_win.h"

#include "config/monitor_prefs.h"
#include "config/monitor_values.h"
#include "config/monitor_win.h"
#include "config/settings.h"
#include "config/settings_store.h"
#include "hostedview/icon_grid_win.h"
#include "hostedview/view_mode_win.h"
#include "log/debug_log.h"
#include "palette/activation_win.h"
#include "palette/overlay_win.h"
#include "palette/palette_state_win.h"
#include "palette/placement_plan.h"
#include "platform/monitors_win.h"
#include "triggers/input_triggers_win.h"

namespace lumetra::palette {
namespace {

constexpr UINT kPlaceFlags = SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER;

ScreenRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

std::optional<ScreenRect> MonitorPosEntry(const std::wstring& key) {
    const auto& map = config::Cfg().monitorPos;
    const auto it = map.find(key);
    if (it == map.end()) return std::nullopt;
    return ScreenRect{it->second.left, it->second.top, it->second.right, it->second.bottom};
}

std::optional<ScreenRect> WorkArea(HMONITOR monitor) {
    MONITORINFOEXW info{};
    if (!platform::ReadMonitorInfo(monitor, info)) return std::nullopt;
    return FromRect(info.rcWork);
}

std::optional<ScreenRect> WindowRectOf(HWND window) {
    RECT r;
    if (!GetWindowRect(window, &r)) return std::nullopt;
    return FromRect(r);
}

std::optional<ScreenPoint> Cursor() {
    POINT p;
    if (!GetCursorPos(&p)) return std::nullopt;
    return ScreenPoint{p.x, p.y};
}

void StoreWindowSetting(const WindowRect& r) {
    config::Settings& cfg = config::Cfg();
    cfg.x = r.x;
    cfg.y = r.y;
    cfg.w = r.width;
    cfg.h = r.height;
}

std::optional<Size> SavedSizeFor(HMONITOR monitor) {
    const std::wstring key = config::MonitorKeyOf(monitor);
    const auto work = WorkArea(monitor);
    if (!work) return std::nullopt;
    return SavedSizeForMonitor(MonitorPosEntry(key), config::IsStorableMonitorKey(key), *work);
}

// Drops what a drag queued for a monitor change that will not happen.
void ForgetQueuedCross() {
    DragState& drag = Palette().drag;
    drag.queuedCrossSize = {};
    drag.animation.active = false;
    drag.anchor.scalable = false;
}

}  // namespace

void AnchorDragToCursor(HWND window) {
    const auto rect = WindowRectOf(window);
    const auto cursor = Cursor();
    if (rect && cursor) AnchorDrag(Palette().drag.anchor, *rect, *cursor);
}

HMONITOR PosMonitor(bool showAtCursor) {
    PaletteState& state = Palette();
    if (!PaletteExists()) return nullptr;
    const auto cursor = Cursor();
    if (!cursor) return nullptr;
    HMONITOR monitor = platform::MonitorAt({cursor->x, cursor->y}, MONITOR_DEFAULTTONEAREST);
    MONITORINFOEXW info{};
    if (!platform::ReadMonitorInfo(monitor, info)) return monitor;

    const config::Settings& cfg = config::Cfg();
    PosMonitorInput in;
    in.key = config::MonitorKeyFromDeviceName(info.szDevice);
    in.work = FromRect(info.rcWork);
    in.windowSetting = {cfg.x, cfg.y, cfg.w, cfg.h};
    in.entry = MonitorPosEntry(in.key);
    in.monitorPosCount = cfg.monitorPos.size();
    in.showAtCursor = showAtCursor;
    in.cursor = *cursor;
    const PosMonitorPlan plan = PlanPosMonitor(in);
    for (const std::wstring& line : plan.logLines) log::DebugLogWrite(line.c_str());
    state.shownAtCursor = plan.shownAtCursor;
    // Most shows land where the last one did; moving a window costs a round
    // trip to the window system even when nothing changes.
    RECT current{};
    if (GetWindowRect(state.window, &current) && current.left == plan.rect.x &&
        current.top == plan.rect.y && current.right - current.left == plan.rect.width &&
        current.bottom - current.top == plan.rect.height)
        return monitor;
    SetWindowPos(state.window, nullptr, plan.rect.x, plan.rect.y, plan.rect.width, plan.rect.height,
                 kPlaceFlags);
    return monitor;
}

void RelocatePaletteToCursorMonitor(bool showAtCursor) {
    PaletteState& state = Palette();
    if (!PaletteExists() || !IsWindowVisible(state.window)) return;
    hostedview::FlushPendingSortSync();
    HideOverlayCoverAfterReveal();

    config::Settings& cfg = config::Cfg();
    std::wstring old = config::Session().currentMonitorKey;
    if (!config::IsStorableMonitorKey(old))
        old =
            config::MonitorKeyOf(platform::MonitorOfWindow(state.window, MONITOR_DEFAULTTONEAREST));
    if (config::IsStorableMonitorKey(old)) {
        if (!state.shownAtCursor) {
            if (const auto rect = WindowRectOf(state.window))
                cfg.monitorPos[old] = {rect->left, rect->top, rect->right, rect->bottom};
        }
        config::Session().currentMonitorKey = old;
        config::PersistPaletteView(old);
    }
    hostedview::InvalidateAppliedViewGeometry();
    ShowOverlayCover();
    PosMonitor(showAtCursor);

    HMONITOR target = config::CursorMonitorOrPalette();
    const std::wstring key = config::MonitorKeyOf(target);
    if (config::IsStorableMonitorKey(key) && key != old &&
        key != config::Session().currentMonitorKey)
        MonitorChangeFilter(state.window, target);

    hostedview::SmallIconSizeMoveReflow();
    SetWindowPos(state.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    BringWindowToTop(state.window);
    {
        ForegroundSwitch attach;
        SetForegroundWindow(state.window);
        SetActiveWindow(state.window);
    }
    FocusPaletteList();
    triggers::ClearKeyboardTracking();
    triggers::ResetMouseGestureState();
    log::DebugLogWrite(L"RelocatePaletteToCursorMonitor: in-place (no hide/show)");
}

void MonitorChangeFilter(HWND window, HMONITOR monitor) {
    if (!window || !IsWindow(window) || !monitor) return;
    PaletteState& state = Palette();
    const std::wstring key = config::MonitorKeyOf(monitor);
    switch (StepCrossFilter(state.crossFilter, key, config::Session().currentMonitorKey,
                            state.drag.inSizeMove)) {
        case CrossFilterAction::kUnknownMonitor: ForgetQueuedCross(); break;
        case CrossFilterAction::kCross: PaletteMonitorCross(window, monitor); break;
        case CrossFilterAction::kNone: break;
    }
}

void PaletteMonitorCross(HWND window, HMONITOR monitor) {
    if (!window || !monitor) return;
    const std::wstring key = config::MonitorKeyOf(monitor);
    if (!config::IsStorableMonitorKey(key)) return;
    config::Settings& cfg = config::Cfg();
    if (config::IsStorableMonitorKey(config::Session().currentMonitorKey))
        config::PersistPaletteView(config::Session().currentMonitorKey);
    if (!config::MonitorPrefsLoad(monitor)) return;

    PaletteState& state = Palette();
    if (state.drag.inSizeMove) {
        const auto saved = SavedSizeFor(monitor);
        const auto rect = WindowRectOf(window);
        if (!saved) {
            state.drag.queuedCrossSize = {};
        } else if (rect && NearlySameSize(*saved, {rect->width(), rect->height()})) {
            state.drag.queuedCrossSize = {};
            log::DebugLogWrite(L"MonitorCrossSize: skip queue (already this size)");
        } else {
            state.drag.queuedCrossSize = *saved;
            log::DebugLogFormat(L"MonitorCrossSize: queued %dx%d for WM_MOVING", saved->width,
                                saved->height);
        }
    }
    hostedview::MonitorViewCross(window, monitor);
    if (!state.drag.inSizeMove) {
        MonitorCrossSize(window, monitor);
        hostedview::OnHostDpiChanged();
        config::SaveConfig();
    }
    log::DebugLogFormat(L"PaletteMonitorCross: key='%ls' view=%d sort=%d group=%d drag=%d",
                        key.c_str(), config::ToInt(cfg.viewMode), config::ToInt(cfg.sortMode),
                        cfg.groupBy ? 1 : 0, state.drag.inSizeMove ? 1 : 0);
}

void MonitorCrossSize(HWND window, HMONITOR monitor) {
    const auto saved = SavedSizeFor(monitor);
    const auto work = WorkArea(monitor);
    const auto rect = WindowRectOf(window);
    if (!saved || !work || !rect) {
        log::DebugLogWrite(L"MonitorCrossSize: skip (no saved size)");
        return;
    }
    const ScreenPoint p = ClampIntoWork({rect->left, rect->top}, *saved, *work);
    SetWindowPos(window, nullptr, p.x, p.y, saved->width, saved->height, kPlaceFlags);
    StoreWindowSetting({p.x, p.y, saved->width, saved->height});
    log::DebugLogFormat(L"MonitorCrossSize: key='%ls' panel=%dx%d keepPos=%d force=%d",
                        config::MonitorKeyOf(monitor).c_str(), saved->width, saved->height, 0, 1);
}

void OnEnterSizeMove(HWND window) {
    PaletteState& state = Palette();
    state.drag.inSizeMove = true;
    hostedview::ResetItemsPerRow();
    state.shownAtCursor = false;
    state.crossFilter = {};
    state.drag.queuedCrossSize = {};
    state.drag.animation.active = false;
    state.drag.anchor.scalable = false;
    AnchorDragToCursor(window);
    HMONITOR monitor = config::PaletteMonitor();
    config::SetCurrentMonitor(monitor);
    config::Session().currentMonitorKey = config::MonitorKeyOf(monitor);
}

void OnExitSizeMove(HWND) {
    PaletteState& state = Palette();
    state.drag.inSizeMove = false;
    state.crossFilter = {};
    state.drag.queuedCrossSize = {};
    state.drag.animation.active = false;
    state.drag.anchor.valid = false;
    state.drag.anchor.scalable = false;
    if (HMONITOR monitor = config::PaletteMonitor()) {
        config::SetCurrentMonitor(monitor);
        config::Session().currentMonitorKey = config::MonitorKeyOf(monitor);
    }
    if (config::IsStorableMonitorKey(config::Session().currentMonitorKey))
        config::PersistPaletteView(config::Session().currentMonitorKey);
    config::SaveConfig();
}

LRESULT OnMoving(HWND window, RECT* proposed) {
    if (!proposed) return FALSE;
    ScreenRect rect = FromRect(*proposed);
    const MovingStep step =
        StepMoving(Palette().drag, GetTickCount(), WindowRectOf(window), Cursor(), rect);
    config::Settings& cfg = config::Cfg();
    if (step.storeWindowSize) {
        cfg.w = step.storeWindowSize->width;
        cfg.h = step.storeWindowSize->height;
    }
    if (step.storeWindowPos) {
        cfg.x = step.storeWindowPos->x;
        cfg.y = step.storeWindowPos->y;
    }
    if (!step.handled) return FALSE;
    *proposed = {rect.left, rect.top, rect.right, rect.bottom};
    return TRUE;
}

}  // namespace lumetra::palette
