// The long-press poll: a timer-queue timer that fires a held side button at
// the hold time without waiting for its release.
#include <windows.h>

#include "log/debug_log.h"
#include "protocol/messages.h"
#include "triggers/input_tracking_win.h"

namespace lumetra::triggers {
namespace {

constexpr DWORD kPollPeriodMs = 50;

void CALLBACK LongPressPoll(PVOID, BOOLEAN) {
    LongPressOutput out;
    HWND palette = nullptr;
    {
        MouseLock lock;
        SharedMouse& mouse = Mouse();
        if (!PollWanted(mouse.state, mouse.settings)) return;
        const bool up = ButtonReportedUp(mouse.settings.button);
        out = StepLongPressPoll(mouse.state, mouse.settings, GetTickCount(), up);
        palette = mouse.palette;
    }
    if (!out.fired) return;
    log::DebugLogWrite(L"Mouse side-button long-press detected (poll hold). Posting WM_APP+99.");
    PostToggle(palette, static_cast<unsigned>(protocol::ToggleSource::kMouseGesture));
}

}  // namespace

void StartLongPressPoll() {
    InputTracking& tracking = Tracking();
    if (tracking.pollTimer) return;
    if (!CreateTimerQueueTimer(&tracking.pollTimer, nullptr, LongPressPoll, nullptr, kPollPeriodMs,
                               kPollPeriodMs, WT_EXECUTEINTIMERTHREAD)) {
        tracking.pollTimer = nullptr;
        log::DebugLogFormat(L"Mouse long-press poll timer failed le=%lu", GetLastError());
    }
}

void StopLongPressPoll() {
    InputTracking& tracking = Tracking();
    if (!tracking.pollTimer) return;
    // INVALID_HANDLE_VALUE: return only once a running callback has finished.
    DeleteTimerQueueTimer(nullptr, tracking.pollTimer, INVALID_HANDLE_VALUE);
    tracking.pollTimer = nullptr;
}

}  // namespace lumetra::triggers
