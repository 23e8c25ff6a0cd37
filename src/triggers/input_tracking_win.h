#pragma once
// Process-wide state of the input triggers and the small Win32 queries the
// hooks, the raw input sink, the poll and the resync timer share.
#include <windows.h>

#include <cstdint>

#include "platform/unique_handle_win.h"
#include "triggers/double_tap.h"
#include "triggers/hook_watchdog.h"
#include "triggers/input_triggers_win.h"
#include "triggers/mouse_gesture.h"

namespace lumetra::triggers {

// Main thread only.
struct InputTracking {
    TriggerTarget target;
    KeyboardTracking keyboard;
    platform::UniqueHook keyboardHook;
    platform::UniqueHook mouseHook;
    HANDLE pollTimer = nullptr;
    bool rawSinkRegistered = false;      // mouse: long press, or the mouse hook's witness
    bool rawKeyboardRegistered = false;  // the keyboard hook's witness
    // Bumped by the hook procedures and WM_INPUT. All of them run on this
    // thread, so plain counters do: nothing on the hook path takes a lock.
    HookCounts keyboardCounts;
    HookCounts mouseCounts;
    HookWatch keyboardWatch;
    HookWatch mouseWatch;
};
InputTracking& Tracking();

// The gesture state the long-press poll thread shares with the main thread.
// Every access holds `lock`; nothing that can wait (logging, posting, deleting
// the poll timer) happens while it is held.
struct SharedMouse {
    SRWLOCK lock = SRWLOCK_INIT;
    MouseGestureState state;
    MouseSettings settings;  // snapshot for the poll thread, refreshed by the main thread
    HWND palette = nullptr;
};
SharedMouse& Mouse();

class MouseLock {
  public:
    MouseLock() { AcquireSRWLockExclusive(&Mouse().lock); }
    ~MouseLock() { ReleaseSRWLockExclusive(&Mouse().lock); }
    MouseLock(const MouseLock&) = delete;
    MouseLock& operator=(const MouseLock&) = delete;
};

// Settings, window and last toggle as they stand on the main thread; the
// double-click window only when asked for (it is a system query).
MouseSettings ReadMouseSettings(bool withWindow);
// Main thread: copies ReadMouseSettings() and the palette into Mouse(); caller holds the lock.
void RefreshMouseSnapshot();
std::uint32_t CurrentDoubleTapWindow();

inline bool AsyncKeyUp(int vk) {
    return (static_cast<unsigned short>(GetAsyncKeyState(vk)) & 0x8000u) == 0;
}
inline int ButtonVirtualKey(std::uint32_t button) {
    return button == 1 ? VK_XBUTTON1 : VK_XBUTTON2;
}
// Both the thread's and the asynchronous key state report the button up.
inline bool ButtonReportedUp(std::uint32_t button) {
    const int vk = ButtonVirtualKey(button);
    return (static_cast<unsigned short>(GetKeyState(vk)) & 0x8000u) == 0 && AsyncKeyUp(vk);
}

// Install the hook into its (empty) record and restart its watch; false with
// the system's error left for GetLastError.
bool InstallLowLevelHook(int type, HOOKPROC proc, platform::UniqueHook& hook, HookWatch& watch,
                         const HookCounts& counts);
bool InstallKeyboardHook();
bool InstallMouseHook();

// A raw input registration of the generic desktop page: usage 2 mouse, 6 keyboard.
inline constexpr USHORT kRawUsageMouse = 2;
inline constexpr USHORT kRawUsageKeyboard = 6;
inline bool RegisterRawDevice(USHORT usage, DWORD flags, HWND target) {
    RAWINPUTDEVICE device{};
    device.usUsagePage = 1;
    device.usUsage = usage;
    device.dwFlags = flags;
    device.hwndTarget = target;
    return RegisterRawInputDevices(&device, 1, sizeof(device)) != FALSE;
}

// Teardown pieces of RemoveInputTriggers and the mouse route.
void RemoveKeyboardHook();
void StartLongPressPoll();
// Waits for a running poll callback; never call it holding MouseLock.
void StopLongPressPoll();

// The target window when it exists.
HWND TargetWindow();
// The target's last toggle tick; 0 (no cooldown) without a target.
std::uint32_t LastToggleTick();
void PostToggle(HWND palette, unsigned source);

}  // namespace lumetra::triggers
