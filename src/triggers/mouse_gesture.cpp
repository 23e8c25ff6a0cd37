#include "triggers/mouse_gesture.h"

#include "triggers/double_tap.h"

namespace lumetra::triggers {
namespace {

bool LongPressMode(const MouseSettings& settings) {
    return settings.mode == config::MouseMode::LongPress;
}

void StartPressCluster(MouseGestureState& state, const MouseSettings& settings, std::uint32_t now,
                       LongPressOutput& out) {
    if (!LongPressMode(settings) || state.clusterOpen) return;
    state.clusterStartTick = RecordedTick(now);
    state.clusterOpen = true;
    state.longPressFired = false;
    ++out.clustersStarted;
}

void CheckLongPress(MouseGestureState& state, const MouseSettings& settings, std::uint32_t now,
                    LongPressOutput& out) {
    if (!state.clusterOpen || state.longPressFired || state.clusterStartTick == 0) return;
    if (now - state.clusterStartTick < settings.holdMs) return;
    state.longPressFired = true;
    state.clusterOpen = false;
    state.firstClickPending = false;
    out.fired = true;
}

void ClearFirstClick(MouseGestureState& state) {
    state.firstClickPending = false;
    state.firstClickButton = 0;
    state.firstClickTick = 0;
}

// The down and up edges of one button, each acted on only when it changes the flag.
void RawButtonEdges(MouseGestureState& state, bool& rawDown, std::uint32_t button, bool down,
                    bool up, const MouseSettings& settings, std::uint32_t now,
                    LongPressOutput& out) {
    const bool selected = button == settings.button;
    if (down && !rawDown) {
        rawDown = true;
        if (selected) {
            // Every fresh press restarts the timing.
            state.clusterOpen = false;
            state.firstClickPending = false;
            StartPressCluster(state, settings, now, out);
        }
    }
    if (up && rawDown) {
        rawDown = false;
        if (selected) {
            StartPressCluster(state, settings, now, out);
            state.releaseTick = RecordedTick(now);
            CheckLongPress(state, settings, now, out);
        }
    }
}

}  // namespace

bool WantsStaleCheck(const MouseGestureState& state, MouseEventKind kind) {
    return kind == MouseEventKind::kPointerActivity &&
           (state.firstClickPending || state.clusterOpen);
}

MouseAction StepMouseHook(MouseGestureState& state, const MouseHookEvent& event,
                          const MouseSettings& settings, std::uint32_t now) {
    if (WantsStaleCheck(state, event.kind)) {
        if (!RawReportsDown(state, settings.button) && event.selectedButtonUp)
            return MouseAction::kStaleReset;
        return MouseAction::kNone;
    }
    // A hook left behind by a mode change (or a reload) must not toggle: the
    // long-press route times its clicks through raw input instead.
    if (settings.mode != config::MouseMode::DoubleClick) return MouseAction::kNone;
    if (event.button != settings.button) return MouseAction::kNone;
    switch (event.kind) {
        case MouseEventKind::kXDoubleClick:
            if (WithinToggleGuard(now, settings.lastToggleTick)) return MouseAction::kNone;
            ClearFirstClick(state);
            return MouseAction::kDoubleClickMsg;
        case MouseEventKind::kXUp:
            if (WithinToggleGuard(now, settings.lastToggleTick)) return MouseAction::kNone;
            // Clicks are timed release to release.
            if (state.firstClickPending && state.firstClickButton == event.button &&
                now - state.firstClickTick <= settings.windowMs) {
                ClearFirstClick(state);
                return MouseAction::kDoubleClick;
            }
            state.firstClickPending = true;
            state.firstClickButton = event.button;
            state.firstClickTick = RecordedTick(now);
            return MouseAction::kNone;
        default: return MouseAction::kNone;
    }
}

LongPressOutput StepRawButtons(MouseGestureState& state, std::uint16_t buttonFlags,
                               const MouseSettings& settings, std::uint32_t now) {
    LongPressOutput out;
    if (!LongPressMode(settings) || buttonFlags == 0) return out;
    RawButtonEdges(state, state.rawX1Down, 1, buttonFlags & kRawX1Down, buttonFlags & kRawX1Up,
                   settings, now, out);
    RawButtonEdges(state, state.rawX2Down, 2, buttonFlags & kRawX2Down, buttonFlags & kRawX2Up,
                   settings, now, out);
    return out;
}

bool PollWanted(const MouseGestureState& state, const MouseSettings& settings) {
    return LongPressMode(settings) && state.clusterOpen;
}

LongPressOutput StepLongPressPoll(MouseGestureState& state, const MouseSettings& settings,
                                  std::uint32_t now, bool systemReportsUp) {
    LongPressOutput out;
    if (!PollWanted(state, settings)) return out;
    // The fire check comes first: a release shortly before the hold time
    // still fires at the poll that reaches it.
    if (!state.longPressFired) CheckLongPress(state, settings, now, out);
    if (state.clusterOpen && state.releaseTick != 0 && !RawReportsDown(state, settings.button) &&
        systemReportsUp && now - state.releaseTick > kClusterCloseMs) {
        state.clusterOpen = false;
        state.clusterStartTick = 0;
    }
    return out;
}

bool RawReportsDown(const MouseGestureState& state, std::uint32_t button) {
    return button == 1 ? state.rawX1Down : state.rawX2Down;
}

void SweepStaleClick(MouseGestureState& state, std::uint32_t now, std::uint32_t windowMs) {
    if (state.firstClickPending && state.firstClickTick != 0 &&
        now - state.firstClickTick > windowMs + kStaleSlackMs)
        ClearFirstClick(state);
}

void SweepLongPress(MouseGestureState& state, const MouseSettings& settings,
                    const MouseSweepFacts& facts) {
    if (!LongPressMode(settings)) return;
    if (facts.x1Up) state.rawX1Down = false;
    if (facts.x2Up) state.rawX2Down = false;
    if (!RawReportsDown(state, settings.button) && facts.selectedUp && state.clusterOpen) {
        state.clusterOpen = false;
        state.clusterStartTick = 0;
        state.releaseTick = 0;
    }
}

void SweepHiddenMouse(MouseGestureState& state, const MouseSweepFacts& facts) {
    if (!facts.paletteVisible && !state.clusterOpen) state = MouseGestureState{};
}

}  // namespace lumetra::triggers
