// Mouse side-button routes: the low-level mouse hook for double clicks, the
// raw input sink (with the poll) for long presses. Neither consumes input.
#include <windows.h>

#include "config/settings.h"
#include "log/debug_log.h"
#include "protocol/messages.h"
#include "triggers/input_tracking_win.h"
#include "triggers/input_triggers_win.h"

namespace lumetra::triggers {
namespace {

constexpr unsigned kMouseSource = static_cast<unsigned>(protocol::ToggleSource::kMouseGesture);
constexpr WPARAM kNcMouseMove = 0xA0;

MouseEventKind Kind(WPARAM message) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case kNcMouseMove: return MouseEventKind::kPointerActivity;
        case WM_XBUTTONDOWN: return MouseEventKind::kXDown;
        case WM_XBUTTONUP: return MouseEventKind::kXUp;
        case WM_XBUTTONDBLCLK: return MouseEventKind::kXDoubleClick;
        default: return MouseEventKind::kOther;
    }
}

void HandleMouse(WPARAM message, const MSLLHOOKSTRUCT& info) {
    MouseHookEvent event;
    event.kind = Kind(message);
    if (event.kind == MouseEventKind::kOther) return;
    event.button = HIWORD(info.mouseData);
    const MouseSettings settings = ReadMouseSettings(event.kind == MouseEventKind::kXUp);

    MouseAction action;
    {
        MouseLock lock;
        MouseGestureState& state = Mouse().state;
        if (WantsStaleCheck(state, event.kind))
            event.selectedButtonUp = ButtonReportedUp(settings.button);
        action = StepMouseHook(state, event, settings, GetTickCount());
    }
    switch (action) {
        case MouseAction::kStaleReset: ForceResetInputTracking(kStaleButtonReason); break;
        case MouseAction::kDoubleClickMsg:
            log::DebugLogWrite(
                L"Mouse side-button double-click (XBUTTONDBLCLK). Posting WM_APP+99 "
                L"(source=mouse).");
            PostToggle(TargetWindow(), kMouseSource);
            break;
        case MouseAction::kDoubleClick:
            log::DebugLogWrite(
                L"Mouse side-button double-click detected. Posting WM_APP+99 (source=mouse).");
            PostToggle(TargetWindow(), kMouseSource);
            break;
        case MouseAction::kNone: break;
    }
}

LRESULT CALLBACK MouseGestureHookProc(int code, WPARAM message, LPARAM lParam) {
    ++Tracking().mouseCounts.hook;
    if (code == HC_ACTION) HandleMouse(message, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, message, lParam);
}

// The same sink serves long presses and, in double-click mode, witnesses the
// mouse hook for the watchdog; only the log line tells them apart.
void RegisterRawSink(HWND palette, const wchar_t* line) {
    if (RegisterRawDevice(kRawUsageMouse, RIDEV_INPUTSINK, palette)) {
        Tracking().rawSinkRegistered = true;
        log::DebugLogWrite(line);
    } else {
        log::DebugLogFormat(L"RegisterRawInputDevices(mouse) failed le=%lu", GetLastError());
    }
}

void RemoveRawSink() {
    if (RegisterRawDevice(kRawUsageMouse, RIDEV_REMOVE, nullptr)) {
        Tracking().rawSinkRegistered = false;
        log::DebugLogWrite(L"Raw Input mouse sink unregistered.");
    } else {
        log::DebugLogFormat(L"UnregisterRawInputDevices(mouse) failed le=%lu", GetLastError());
    }
}

void LogClusterStarts(std::uint8_t count) {
    for (std::uint8_t i = 0; i < count; ++i)
        log::DebugLogWrite(L"Mouse press cluster started (raw-input).");
}

void CountRawInput(DWORD type) {
    if (type == RIM_TYPEKEYBOARD)
        ++Tracking().keyboardCounts.raw;
    else if (type == RIM_TYPEMOUSE)
        ++Tracking().mouseCounts.raw;
}

}  // namespace

bool InstallMouseHook() {
    InputTracking& tracking = Tracking();
    return InstallLowLevelHook(WH_MOUSE_LL, MouseGestureHookProc, tracking.mouseHook,
                               tracking.mouseWatch, tracking.mouseCounts);
}

void ResetMouseGestureState() {
    MouseLock lock;
    Mouse().state = MouseGestureState{};
}

void UpdateMouseTrigger() {
    InputTracking& tracking = Tracking();
    const config::MouseMode mode = config::Cfg().mouseMode;
    HWND palette = TargetWindow();
    {
        MouseLock lock;
        RefreshMouseSnapshot();
    }

    if (mode != config::MouseMode::DoubleClick) {
        if (tracking.mouseHook) {
            tracking.mouseHook.reset();
            log::DebugLogWrite(L"WH_MOUSE_LL uninstalled.");
        }
    } else if (!tracking.mouseHook && GetModuleHandleW(nullptr)) {
        if (InstallMouseHook())
            log::DebugLogWrite(L"WH_MOUSE_LL installed (double-click mode).");
        else
            log::DebugLogFormat(L"SetWindowsHookEx(WH_MOUSE_LL) failed le=%lu", GetLastError());
    }

    if (mode == config::MouseMode::LongPress) {
        if (palette) RegisterRawSink(palette, L"Raw Input mouse sink registered.");
        StartLongPressPoll();
        return;
    }
    StopLongPressPoll();
    if (mode == config::MouseMode::DoubleClick && tracking.mouseHook && palette) {
        RegisterRawSink(palette, L"Raw Input mouse witness registered (double-click mode).");
        return;
    }
    RemoveRawSink();
}

void RemoveInputTriggers() {
    RemoveKeyboardHook();  // and its witness
    Tracking().mouseHook.reset();
    StopLongPressPoll();
    if (Tracking().rawSinkRegistered) RemoveRawSink();
}

void OnRawInput(HWND, LPARAM rawInput) {
    const auto handle = reinterpret_cast<HRAWINPUT>(rawInput);
    if (config::Cfg().mouseMode != config::MouseMode::LongPress) {
        // The witnesses need only the device type: one call per record.
        RAWINPUTHEADER header;
        UINT headerSize = sizeof(header);
        if (GetRawInputData(handle, RID_HEADER, &header, &headerSize, sizeof(RAWINPUTHEADER)) ==
            static_cast<UINT>(-1))
            return;
        CountRawInput(header.dwType);
        return;
    }
    // A mouse or keyboard record fits in RAWINPUT; anything larger is neither.
    RAWINPUT record;
    UINT size = 0;
    if (GetRawInputData(handle, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0) return;
    if (size == 0 || size > sizeof(record)) return;
    if (GetRawInputData(handle, RID_INPUT, &record, &size, sizeof(RAWINPUTHEADER)) ==
        static_cast<UINT>(-1))
        return;
    CountRawInput(record.header.dwType);
    if (record.header.dwType != RIM_TYPEMOUSE) return;
    const USHORT flags = record.data.mouse.usButtonFlags;
    if (flags == 0) return;

    LongPressOutput out;
    {
        MouseLock lock;
        RefreshMouseSnapshot();
        out = StepRawButtons(Mouse().state, flags, Mouse().settings, GetTickCount());
    }
    LogClusterStarts(out.clustersStarted);
    if (out.fired) {
        log::DebugLogWrite(
            L"Mouse side-button long-press detected (raw-input). Posting WM_APP+99.");
        PostToggle(TargetWindow(), kMouseSource);
    }
}

}  // namespace lumetra::triggers
