// winprobe verbs about monitors and the cursor, as the programs see them:
//
//   winprobe monitor-at X Y   the monitor nearest the point: its rectangle and
//                             its work area from GetMonitorInfoW (which may
//                             differ from SPI_GETWORKAREA), and the cursor
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "winprobe_json_win.h"

namespace {

int MonitorAt(int x, int y) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromPoint({x, y}, MONITOR_DEFAULTTONEAREST), &info))
        return lumetra::winprobe::Fail("GetMonitorInfoW");
    POINT cursor{};
    GetCursorPos(&cursor);
    const RECT& m = info.rcMonitor;
    const RECT& w = info.rcWork;
    std::printf("{\"monitor\":[%ld,%ld,%ld,%ld],\"work\":[%ld,%ld,%ld,%ld],\"cursor\":[%ld,%ld]}\n",
                m.left, m.top, m.right, m.bottom, w.left, w.top, w.right, w.bottom, cursor.x,
                cursor.y);
    return 0;
}

}  // namespace

int RunMonitorVerb(const std::wstring& verb, int argc, wchar_t** argv) {
    if (verb == L"monitor-at" && argc >= 4)
        return MonitorAt(static_cast<int>(std::wcstol(argv[2], nullptr, 10)),
                         static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
    return -1;
}
