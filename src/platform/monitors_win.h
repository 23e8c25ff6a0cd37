#pragma once
// The monitors as the program sees them. Every monitor question goes through
// here, so that a test can put monitors of its own behind them: a machine
// with one screen cannot show what happens when the palette crosses to
// another.
#include <windows.h>

#include "platform/system_library_win.h"

namespace lumetra::platform {

// A null entry asks the system.
struct MonitorSource {
    HMONITOR (*fromPoint)(POINT point, DWORD flags) = nullptr;
    HMONITOR (*fromWindow)(HWND window, DWORD flags) = nullptr;
    bool (*info)(HMONITOR monitor, MONITORINFOEXW& info) = nullptr;
    UINT (*effectiveDpi)(HMONITOR monitor) = nullptr;  // 0 = unknown
};

inline MonitorSource& CurrentMonitorSource() {
    static MonitorSource source;
    return source;
}
inline void SetMonitorSource(const MonitorSource& source) { CurrentMonitorSource() = source; }

inline HMONITOR MonitorAt(POINT point, DWORD flags) {
    const MonitorSource& s = CurrentMonitorSource();
    return s.fromPoint ? s.fromPoint(point, flags) : MonitorFromPoint(point, flags);
}

inline HMONITOR MonitorOfWindow(HWND window, DWORD flags) {
    const MonitorSource& s = CurrentMonitorSource();
    return s.fromWindow ? s.fromWindow(window, flags) : MonitorFromWindow(window, flags);
}

inline bool ReadMonitorInfo(HMONITOR monitor, MONITORINFOEXW& info) {
    info.cbSize = sizeof(info);
    if (!monitor) return false;
    const MonitorSource& s = CurrentMonitorSource();
    if (s.info) return s.info(monitor, info);
    return GetMonitorInfoW(monitor, &info) != 0;
}

// The monitor's effective DPI; 0 when it cannot be read.
inline UINT MonitorEffectiveDpi(HMONITOR monitor) {
    const MonitorSource& s = CurrentMonitorSource();
    if (s.effectiveDpi) return s.effectiveDpi(monitor);
    using Fn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const Fn getDpi = SystemExport<Fn>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (!getDpi || FAILED(getDpi(monitor, 0 /* effective */, &x, &y))) return 0;
    return x;
}

}  // namespace lumetra::platform
