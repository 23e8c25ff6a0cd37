// winprobe: a small console helper for the end-to-end tests. Each call answers
// one question about the windows of the session (or posts one message) and
// prints exactly one line of JSON, so the tests never guess at Wine internals.
//
//   winprobe find CLASS [TITLE]        first top-level window of that class (with
//                                      its layered alpha, null when none is set)
//   winprobe count CLASS               number of top-level windows of that class
//   winprobe post CLASS MSG [W [L]]    PostMessageW; MSG is a number or reg:NAME
//   winprobe send CLASS MSG [W [L]]    SendMessageTimeoutW (2 s)
//   winprobe post-repeat CLASS MSG N MS  posts MSG N times, MS milliseconds apart
//   winprobe foreground                the foreground window
//   winprobe shortcut LINK TARGET      creates a shell link
//   winprobe texts CLASS [TITLE]       the class and text of every descendant window
//   winprobe quit CLASS [TITLE]        posts WM_QUIT to the thread owning the window
//   winprobe click CLASS TITLE TEXT    BM_CLICK on the descendant button with that text
//   winprobe workarea                  SPI_GETWORKAREA
//   winprobe watch CLASS MAXMS [X Y]   samples the window of CLASS every 16 ms
//                                      and prints each change of its visibility,
//                                      rectangle, alpha, foreground and active
//                                      state, until it was seen shown and hidden
//                                      again or MAXMS passed; with X Y, left-clicks
//                                      there (SendInput) as soon as it is shown.
//                                      Prints {"watching":true} once it samples.
//   winprobe stay                      a hidden window that lives until the session
//                                      ends: Wine ends its desktop process a few
//                                      seconds after the last program with a window,
//                                      and the X keyboard focus goes with it, so keys
//                                      sent later reach no program. Windows always
//                                      has its shell running; the session keeps this.
//   (hotkey verbs: see winprobe_hotkeys_win.cpp; monitor-at: winprobe_monitor_win.cpp)
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "winprobe_json_win.h"

namespace {

using lumetra::winprobe::Fail;
using lumetra::winprobe::JsonString;
using lumetra::winprobe::Utf8;

// Xvfb draws no transparency: the alpha a window asked for is read back
// instead; -1 when it set none.
int Stay() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"Winprobe.Stay";
    if (!RegisterClassW(&wc) ||
        !CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                         nullptr, wc.hInstance, nullptr))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

int LayeredAlpha(HWND hwnd) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) && (flags & LWA_ALPHA))
        return alpha;
    return -1;
}

std::string Describe(HWND hwnd) {
    if (!hwnd) return "{\"found\":false}";
    wchar_t cls[256] = {}, title[512] = {};
    GetClassNameW(hwnd, cls, 256);
    GetWindowTextW(hwnd, title, 512);
    RECT r{};
    GetWindowRect(hwnd, &r);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char buffer[512];
    std::snprintf(buffer, sizeof buffer,
                  "{\"found\":true,\"hwnd\":%llu,\"visible\":%s,\"rect\":[%ld,%ld,%ld,%ld],"
                  "\"foreground\":%s,\"pid\":%lu,\"style\":%lu,\"exstyle\":%lu,",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)),
                  IsWindowVisible(hwnd) ? "true" : "false", r.left, r.top, r.right, r.bottom,
                  GetForegroundWindow() == hwnd ? "true" : "false", pid,
                  static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongW(hwnd, GWL_EXSTYLE)));
    const int alpha = LayeredAlpha(hwnd);
    const std::string alphaText = alpha >= 0 ? std::to_string(alpha) : "null";
    return std::string(buffer) + "\"alpha\":" + alphaText + ",\"class\":" + JsonString(cls) +
           ",\"title\":" + JsonString(title) + "}";
}

struct CountContext {
    const wchar_t* cls;
    int count;
};

BOOL CALLBACK CountWindows(HWND hwnd, LPARAM param) {
    auto* ctx = reinterpret_cast<CountContext*>(param);
    wchar_t cls[256] = {};
    GetClassNameW(hwnd, cls, 256);
    if (std::wcscmp(cls, ctx->cls) == 0) ++ctx->count;
    return TRUE;
}

UINT MessageId(const wchar_t* text) {
    if (std::wcsncmp(text, L"reg:", 4) == 0) return RegisterWindowMessageW(text + 4);
    return static_cast<UINT>(std::wcstoul(text, nullptr, 0));
}

ULONG_PTR Number(int argc, wchar_t** argv, int index) {
    return index < argc ? static_cast<ULONG_PTR>(std::wcstoull(argv[index], nullptr, 0)) : 0;
}

int CreateShortcut(const wchar_t* link, const wchar_t* target) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* shellLink = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&shellLink));
    if (FAILED(hr)) return Fail("CoCreateInstance");
    shellLink->SetPath(target);
    IPersistFile* file = nullptr;
    hr = shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(hr)) {
        hr = file->Save(link, TRUE);
        file->Release();
    }
    shellLink->Release();
    std::printf("{\"saved\":%s}\n", SUCCEEDED(hr) ? "true" : "false");
    return SUCCEEDED(hr) ? 0 : 1;
}

BOOL CALLBACK CollectText(HWND hwnd, LPARAM param) {
    auto* out = reinterpret_cast<std::string*>(param);
    wchar_t cls[256] = {}, text[1024] = {};
    GetClassNameW(hwnd, cls, 256);
    GetWindowTextW(hwnd, text, 1024);
    if (out->size() > 1) *out += ",";
    *out += "{\"class\":" + JsonString(cls) + ",\"text\":" + JsonString(text) +
            ",\"visible\":" + (IsWindowVisible(hwnd) ? "true" : "false") + "}";
    return TRUE;
}

int DescendantTexts(HWND hwnd) {
    if (!hwnd) return Fail("window not found");
    std::string list = "[";
    EnumChildWindows(hwnd, CollectText, reinterpret_cast<LPARAM>(&list));
    std::printf("{\"texts\":%s]}\n", list.c_str());
    return 0;
}

int QuitThread(HWND hwnd) {
    if (!hwnd) return Fail("window not found");
    const BOOL ok = PostThreadMessageW(GetWindowThreadProcessId(hwnd, nullptr), WM_QUIT, 0, 0);
    std::printf("{\"posted\":%s}\n", ok ? "true" : "false");
    return ok ? 0 : 1;
}

struct ButtonSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK FindButton(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ButtonSearch*>(param);
    wchar_t cls[64] = {}, text[256] = {};
    GetClassNameW(hwnd, cls, 64);
    GetWindowTextW(hwnd, text, 256);
    if (_wcsicmp(cls, L"Button") == 0 && std::wcscmp(text, search->text) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

int ClickButton(HWND hwnd, const wchar_t* text) {
    if (!hwnd) return Fail("window not found");
    ButtonSearch search{text, nullptr};
    EnumChildWindows(hwnd, FindButton, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return Fail("button not found");
    const BOOL ok = PostMessageW(search.found, BM_CLICK, 0, 0);
    std::printf("{\"clicked\":%s}\n", ok ? "true" : "false");
    return ok ? 0 : 1;
}

struct WatchSample {
    bool found = false;
    bool visible = false;
    RECT rect{};
    int alpha = -1;
    bool foreground = false;
    bool active = false;  // the active window of its own thread
    bool operator==(const WatchSample& o) const {
        return found == o.found && visible == o.visible && EqualRect(&rect, &o.rect) &&
               alpha == o.alpha && foreground == o.foreground && active == o.active;
    }
};

WatchSample Sample(const wchar_t* cls) {
    WatchSample s;
    HWND hwnd = FindWindowW(cls, nullptr);
    if (!hwnd) return s;
    s.found = true;
    s.visible = IsWindowVisible(hwnd) != FALSE;
    GetWindowRect(hwnd, &s.rect);
    s.alpha = LayeredAlpha(hwnd);
    s.foreground = GetForegroundWindow() == hwnd;
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    s.active =
        GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) && info.hwndActive == hwnd;
    return s;
}

// The press and release carry the point themselves: a press sent after
// SetCursorPos alone may land where the pointer was before (the warp is
// asynchronous under X).
void LeftClickAt(int x, int y) {
    SetCursorPos(x, y);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN),
              height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    INPUT in[3]{};
    const DWORD flags[3] = {at, at | MOUSEEVENTF_LEFTDOWN, at | MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 3; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dx = MulDiv(x - left, 65535, width > 1 ? width - 1 : 1);
        in[i].mi.dy = MulDiv(y - top, 65535, height > 1 ? height - 1 : 1);
        in[i].mi.dwFlags = flags[i];
    }
    SendInput(3, in, sizeof(INPUT));
}

// A window too short-lived for one probe per question: watched from inside
// one process, so that no process start falls between two samples.
int Watch(const wchar_t* cls, DWORD maxMs, bool click, int x, int y) {
    std::printf("{\"watching\":true}\n");
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    std::string samples;
    WatchSample last;
    bool first = true, seenShown = false, clicked = false;
    int count = 0;
    const char* ended = "timeout";
    while (GetTickCount() - start < maxMs) {
        const WatchSample s = Sample(cls);
        bool clickedNow = false;
        if (click && !clicked && s.visible) {
            LeftClickAt(x, y);
            clicked = clickedNow = true;
        }
        if ((first || !(s == last) || clickedNow) && count < 400) {
            char line[320];
            std::snprintf(line, sizeof line,
                          "%s{\"t\":%lu,\"found\":%s,\"visible\":%s,\"rect\":[%ld,%ld,%ld,%ld],"
                          "\"alpha\":%d,\"foreground\":%s,\"active\":%s,\"clicked\":%s}",
                          first ? "" : ",", GetTickCount() - start, s.found ? "true" : "false",
                          s.visible ? "true" : "false", s.rect.left, s.rect.top, s.rect.right,
                          s.rect.bottom, s.alpha, s.foreground ? "true" : "false",
                          s.active ? "true" : "false", clickedNow ? "true" : "false");
            samples += line;
            ++count;
        }
        first = false;
        last = s;
        seenShown = seenShown || s.visible;
        if (seenShown && !s.visible) {
            ended = "hidden";
            break;
        }
        Sleep(16);
    }
    std::printf("{\"ended\":\"%s\",\"samples\":[%s]}\n", ended, samples.c_str());
    return 0;
}

}  // namespace

int RunHotkeyVerb(const std::wstring& verb, int argc, wchar_t** argv);
int RunInputVerb(const std::wstring& verb, int argc, wchar_t** argv);
int RunListViewVerb(const std::wstring& verb, int argc, wchar_t** argv);
int RunMenuVerb(const std::wstring& verb, int argc, wchar_t** argv);
int RunInjectVerb(const std::wstring& verb, int argc, wchar_t** argv);
int RunCrashVerb(const std::wstring& verb, int argc, wchar_t** argv);
int RunMonitorVerb(const std::wstring& verb, int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Fail("usage");
    const std::wstring verb = argv[1];
    if (verb == L"find" && argc >= 3) {
        std::printf("%s\n", Describe(FindWindowW(argv[2], argc >= 4 ? argv[3] : nullptr)).c_str());
        return 0;
    }
    if (verb == L"count" && argc >= 3) {
        CountContext ctx{argv[2], 0};
        EnumWindows(CountWindows, reinterpret_cast<LPARAM>(&ctx));
        std::printf("{\"count\":%d}\n", ctx.count);
        return 0;
    }
    if ((verb == L"post" || verb == L"send") && argc >= 4) {
        HWND hwnd = FindWindowW(argv[2], nullptr);
        if (!hwnd) return Fail("window not found");
        const UINT msg = MessageId(argv[3]);
        const WPARAM w = Number(argc, argv, 4);
        const auto l = static_cast<LPARAM>(Number(argc, argv, 5));
        if (verb == L"post") {
            const BOOL ok = PostMessageW(hwnd, msg, w, l);
            std::printf("{\"posted\":%s,\"message\":%u}\n", ok ? "true" : "false", msg);
            return ok ? 0 : 1;
        }
        DWORD_PTR result = 0;
        const LRESULT ok = SendMessageTimeoutW(hwnd, msg, w, l, SMTO_ABORTIFHUNG, 2000, &result);
        std::printf("{\"sent\":%s,\"result\":%llu}\n", ok ? "true" : "false",
                    static_cast<unsigned long long>(result));
        return ok ? 0 : 1;
    }
    if (verb == L"post-repeat" && argc >= 6) {
        // The same message COUNT times, GAPMS apart, from one process: timing
        // that separate processes cannot promise.
        HWND hwnd = FindWindowW(argv[2], nullptr);
        if (!hwnd) return Fail("window not found");
        const UINT msg = MessageId(argv[3]);
        const auto count = Number(argc, argv, 4), gap = Number(argc, argv, 5);
        for (ULONG_PTR i = 0; i < count; ++i) {
            if (i) Sleep(static_cast<DWORD>(gap));
            PostMessageW(hwnd, msg, 0, 0);
        }
        std::printf("{\"posted\":%llu}\n", static_cast<unsigned long long>(count));
        return 0;
    }
    if (verb == L"foreground") {
        std::printf("%s\n", Describe(GetForegroundWindow()).c_str());
        return 0;
    }
    if (verb == L"shortcut" && argc >= 4) return CreateShortcut(argv[2], argv[3]);
    if (verb == L"texts" && argc >= 3)
        return DescendantTexts(FindWindowW(argv[2], argc >= 4 ? argv[3] : nullptr));
    if (verb == L"click" && argc >= 5) return ClickButton(FindWindowW(argv[2], argv[3]), argv[4]);
    if (verb == L"workarea") {
        RECT area{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        std::printf("{\"rect\":[%ld,%ld,%ld,%ld]}\n", area.left, area.top, area.right, area.bottom);
        return 0;
    }
    if (verb == L"watch" && argc >= 4) {
        const bool click = argc >= 6;
        return Watch(argv[2], static_cast<DWORD>(Number(argc, argv, 3)), click,
                     click ? static_cast<int>(std::wcstol(argv[4], nullptr, 10)) : 0,
                     click ? static_cast<int>(std::wcstol(argv[5], nullptr, 10)) : 0);
    }
    if (verb == L"stay") return Stay();
    if (verb == L"quit" && argc >= 3)
        return QuitThread(FindWindowW(argv[2], argc >= 4 ? argv[3] : nullptr));
    if (const int rc = RunHotkeyVerb(verb, argc, argv); rc >= 0) return rc;
    if (const int rc = RunInputVerb(verb, argc, argv); rc >= 0) return rc;
    if (const int rc = RunListViewVerb(verb, argc, argv); rc >= 0) return rc;
    if (const int rc = RunMenuVerb(verb, argc, argv); rc >= 0) return rc;
    if (const int rc = RunInjectVerb(verb, argc, argv); rc >= 0) return rc;
    if (const int rc = RunCrashVerb(verb, argc, argv); rc >= 0) return rc;
    if (const int rc = RunMonitorVerb(verb, argc, argv); rc >= 0) return rc;
    return Fail("usage");
}
