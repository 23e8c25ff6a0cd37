#include "config/monitor_win.h"

#include "config/monitor_prefs.h"
#include "config/monitor_values.h"
#include "config/settings.h"
#include "platform/monitors_win.h"

namespace lumetra::config {
namespace {

HWND (*gPaletteWindow)() = nullptr;
HMONITOR gCurrentMonitor = nullptr;

HWND Palette() {
    const HWND palette = gPaletteWindow ? gPaletteWindow() : nullptr;
    return palette && IsWindow(palette) ? palette : nullptr;
}

}  // namespace

void SetPaletteWindowSource(HWND (*paletteWindow)()) { gPaletteWindow = paletteWindow; }

std::wstring MonitorKeyOf(HMONITOR monitor) {
    MONITORINFOEXW info{};
    if (!platform::ReadMonitorInfo(monitor, info)) return kUnknownMonitorKey;
    return MonitorKeyFromDeviceName(info.szDevice);
}

HMONITOR PaletteMonitor() {
    const HWND palette = Palette();
    if (!palette) return nullptr;
    POINT cursor{};
    if (GetCursorPos(&cursor))
        if (HMONITOR monitor = platform::MonitorAt(cursor, MONITOR_DEFAULTTONULL)) return monitor;
    RECT rect{};
    GetWindowRect(palette, &rect);
    const POINT centre{rect.left + (rect.right - rect.left) / 2,
                       rect.top + (rect.bottom - rect.top) / 2};
    return platform::MonitorAt(centre, MONITOR_DEFAULTTONEAREST);
}

HMONITOR CursorMonitorOrPalette() {
    POINT cursor{};
    if (GetCursorPos(&cursor))
        if (HMONITOR monitor = platform::MonitorAt(cursor, MONITOR_DEFAULTTONEAREST))
            return monitor;
    const HWND palette = Palette();
    return palette ? platform::MonitorOfWindow(palette, MONITOR_DEFAULTTONEAREST) : nullptr;
}

std::wstring CurrentMonitorKey() {
    const std::wstring& current = Session().currentMonitorKey;
    if (IsStorableMonitorKey(current)) return current;
    return ChooseCurrentMonitorKey(current, MonitorKeyOf(PaletteMonitor()));
}

std::wstring PaletteNearestMonitorKey() {
    const HWND palette = Palette();
    if (!palette) return {};
    return MonitorKeyOf(platform::MonitorOfWindow(palette, MONITOR_DEFAULTTONEAREST));
}

bool MonitorPrefsLoad(HMONITOR monitor) {
    const std::wstring key = MonitorKeyOf(monitor);
    if (!IsStorableMonitorKey(key)) return false;
    gCurrentMonitor = monitor;
    return MonitorPrefsLoadKey(key);
}

HMONITOR CurrentMonitor() { return gCurrentMonitor; }
void SetCurrentMonitor(HMONITOR monitor) { gCurrentMonitor = monitor; }

}  // namespace lumetra::config
