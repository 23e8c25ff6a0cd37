// winprobe verbs about hotkeys and the time a hotkey takes to show a window:
//
//   winprobe hotkey-free MODS VK          can this process register the hotkey?
//   winprobe hold-hotkey MODS VK MS       registers it and keeps it for MS ms
//   winprobe latency CLASS MODS VK COUNT [SETTLE_CLASS]
//                                         presses the hotkey with SendInput COUNT
//                                         times; each time measures until the
//                                         window of CLASS is visible and in the
//                                         foreground, and how long SendInput was
//                                         held up by hooks; then, once no window
//                                         of SETTLE_CLASS is shown, presses again
//                                         to hide
//   winprobe hotkey-window MODS VK [hooks] [alike]
//                                         a minimal window that only registers
//                                         the hotkey and shows itself (baseline);
//                                         with "hooks" its thread also holds
//                                         pass-through keyboard and mouse hooks,
//                                         as the palette's thread does; with
//                                         "alike" it is a layered window of the
//                                         palette's default size
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

UINT Parse(const wchar_t* text) { return static_cast<UINT>(std::wcstoul(text, nullptr, 0)); }

void Press(UINT mods, UINT vk) {
    std::vector<INPUT> inputs;
    auto key = [&inputs](WORD code, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = code;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    const WORD modifierKeys[] = {VK_CONTROL, VK_MENU, VK_SHIFT};
    const UINT modifierBits[] = {MOD_CONTROL, MOD_ALT, MOD_SHIFT};
    for (int i = 0; i < 3; ++i)
        if (mods & modifierBits[i]) key(modifierKeys[i], false);
    key(static_cast<WORD>(vk), false);
    key(static_cast<WORD>(vk), true);
    for (int i = 2; i >= 0; --i)
        if (mods & modifierBits[i]) key(modifierKeys[i], true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

double NowMs() {
    LARGE_INTEGER freq, now;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(freq.QuadPart);
}

bool WaitFor(const wchar_t* cls, bool shown, double timeoutMs) {
    const double start = NowMs();
    while (NowMs() - start < timeoutMs) {
        HWND w = FindWindowW(cls, nullptr);
        const bool visible = w && IsWindowVisible(w) && GetForegroundWindow() == w;
        if (visible == shown) return true;
        Sleep(1);
    }
    return false;
}

struct Stats {
    double median = 0, mean = 0, min = 0, max = 0;
};

Stats Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    double sum = 0;
    for (double s : samples) sum += s;
    return {samples[samples.size() / 2], sum / static_cast<double>(samples.size()), samples.front(),
            samples.back()};
}

// Watches from its own thread, because SendInput itself waits for every
// low-level hook in the system: the pressing thread only learns how long the
// input was held up, not when the window appeared.
struct ShowWatch {
    const wchar_t* cls = nullptr;
    double start = 0;
    double shownAt = -1;
};

DWORD WINAPI WatchForShow(void* param) {
    auto* watch = static_cast<ShowWatch*>(param);
    if (WaitFor(watch->cls, true, 5000)) watch->shownAt = NowMs() - watch->start;
    return 0;
}

// No window of `cls` on screen. Wine brings its key state in line with the X
// server's whenever the pointer crosses into a window, and the X server never
// saw the keys SendInput pressed: a press while a window under the pointer
// comes or goes can lose its modifiers.
bool WaitUntilGone(const wchar_t* cls, double timeoutMs) {
    const double start = NowMs();
    while (NowMs() - start < timeoutMs) {
        HWND w = cls ? FindWindowW(cls, nullptr) : nullptr;
        if (!w || !IsWindowVisible(w)) return true;
        Sleep(1);
    }
    return false;
}

int Latency(const wchar_t* cls, UINT mods, UINT vk, int count, const wchar_t* settleClass) {
    std::vector<double> shown, held;
    for (int i = 0; i < count; ++i) {
        if (!WaitFor(cls, false, 3000)) break;
        Sleep(250);  // past any cooldown of the previous toggle
        ShowWatch watch{cls, NowMs(), -1};
        HANDLE watcher = CreateThread(nullptr, 0, WatchForShow, &watch, 0, nullptr);
        if (!watcher) break;
        Press(mods, vk);
        held.push_back(NowMs() - watch.start);
        WaitForSingleObject(watcher, INFINITE);
        CloseHandle(watcher);
        if (watch.shownAt < 0) break;
        shown.push_back(watch.shownAt);
        if (!WaitUntilGone(settleClass, 5000)) break;
        Sleep(250);
        Press(mods, vk);
    }
    if (shown.empty()) {
        std::printf("{\"error\":\"window never showed\"}\n");
        return 1;
    }
    const Stats s = Summarise(shown), h = Summarise(held);
    std::printf(
        "{\"count\":%zu,\"median_ms\":%.2f,\"mean_ms\":%.2f,\"min_ms\":%.2f,\"max_ms\":%.2f,"
        "\"input_held_median_ms\":%.2f,\"input_held_max_ms\":%.2f}\n",
        shown.size(), s.median, s.mean, s.min, s.max, h.median, h.max);
    return 0;
}

LRESULT CALLBACK BaselineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY) {
        if (IsWindowVisible(hwnd)) {
            ShowWindow(hwnd, SW_HIDE);
        } else {
            ShowWindow(hwnd, SW_SHOWNORMAL);
            SetForegroundWindow(hwnd);
        }
        return 0;
    }
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PassKeyboard(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK PassMouse(int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int HotkeyWindow(UINT mods, UINT vk, bool withHooks, bool alike) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BaselineProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Winprobe.HotkeyBaseline";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    const DWORD layered = alike ? WS_EX_LAYERED : 0;
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | layered, wc.lpszClassName,
                                L"baseline", WS_POPUP, 100, 100, alike ? 920 : 400,
                                alike ? 580 : 300, nullptr, nullptr, wc.hInstance, nullptr);
    if (!hwnd || !RegisterHotKey(hwnd, 1, mods, vk)) return 1;
    if (alike) SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
    if (withHooks && (!SetWindowsHookExW(WH_KEYBOARD_LL, PassKeyboard, wc.hInstance, 0) ||
                      !SetWindowsHookExW(WH_MOUSE_LL, PassMouse, wc.hInstance, 0)))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

}  // namespace

// Returns the exit code, or -1 when the verb is not one of these.
int RunHotkeyVerb(const std::wstring& verb, int argc, wchar_t** argv) {
    if (verb == L"hotkey-free" && argc >= 4) {
        const BOOL ok = RegisterHotKey(nullptr, 0x7000, Parse(argv[2]), Parse(argv[3]));
        if (ok) UnregisterHotKey(nullptr, 0x7000);
        std::printf("{\"free\":%s}\n", ok ? "true" : "false");
        return 0;
    }
    if (verb == L"hold-hotkey" && argc >= 5) {
        if (!RegisterHotKey(nullptr, 0x7001, Parse(argv[2]), Parse(argv[3]))) return 1;
        Sleep(Parse(argv[4]));
        return 0;
    }
    if (verb == L"latency" && argc >= 6)
        return Latency(argv[2], Parse(argv[3]), Parse(argv[4]), static_cast<int>(Parse(argv[5])),
                       argc >= 7 ? argv[6] : nullptr);
    if (verb == L"hotkey-window" && argc >= 4) {
        const auto given = [&](const wchar_t* word) {
            return std::any_of(argv + 4, argv + argc,
                               [word](const wchar_t* arg) { return std::wcscmp(arg, word) == 0; });
        };
        return HotkeyWindow(Parse(argv[2]), Parse(argv[3]), given(L"hooks"), given(L"alike"));
    }
    return -1;
}
