// fake_desktop: stands in for the shell's Desktop windows in the end-to-end
// tests, which Wine does not have. It builds "Progman" / "WorkerW" windows
// holding a "SHELLDLL_DefView" with a real "FolderView" list view, and logs
// every command the views and Progman receive.
//
//   fake_desktop LOGFILE WINDOW...
//     progman               a top-level "Progman" window
//     progman-view=N        a view inside Progman with N items ("-": no list view)
//     progman-worker=N      a "WorkerW" child of Progman with a view of N items
//     worker=N              a top-level "WorkerW" with a view of N items
//     worker-empty          a top-level "WorkerW" without a view
//     spawn=N               Progman answers 0x052C by creating worker=N
//     hang                  the windows above stop answering, like a hung
//                           Explorer, until the program is told to end
// Views are titled view1, view2 ... in creation order. Posting WM_CLOSE to the
// window of class "Stilvane.FakeDesktop" ends the program; a hung desktop then
// first handles what was posted to it meanwhile.
// windows.h comes first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr UINT kSpawnWorkerMessage = 0x052C;
std::wstring logPath;
int viewCount = 0;
int spawnItems = -2;  // -2: no spawning

void Log(const std::string& line) {
    HANDLE file = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string TitleOf(HWND window) {
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

HWND MakeView(HWND parent, int items);

LRESULT CALLBACK ShellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        Log("command " + TitleOf(window) + " " +
            std::to_string(static_cast<unsigned>(LOWORD(wParam))));
        return 0;
    }
    if (message == kSpawnWorkerMessage) {
        Log("spawn-request " + TitleOf(window));
        if (spawnItems != -2) {
            HWND worker = CreateWindowExW(0, L"WorkerW", L"", WS_POPUP, 30, 40, 600, 400, nullptr,
                                          nullptr, GetModuleHandleW(nullptr), nullptr);
            MakeView(worker, spawnItems);
            spawnItems = -2;
        }
        return 0;
    }
    if (message == WM_SETTINGCHANGE && lParam) {
        Log("settingchange " + TitleOf(window));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClassNamed(const wchar_t* name, WNDPROC proc) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = proc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = name;
    RegisterClassW(&cls);
}

// A DefView at (100, 50) in its parent holding a list view at (5, 5).
HWND MakeView(HWND parent, int items) {
    const std::wstring title = L"view" + std::to_wstring(++viewCount);
    HWND view = CreateWindowExW(0, L"SHELLDLL_DefView", title.c_str(), WS_CHILD | WS_VISIBLE, 100,
                                50, 400, 300, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (items < 0) return view;
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 5,
                                5, 300, 200, view, nullptr, GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < items; ++i) {
        std::wstring label = L"item" + std::to_wstring(i);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = label.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    return view;
}

int ItemsOf(const wchar_t* arg) {
    const wchar_t* equals = std::wcschr(arg, L'=');
    if (!equals || equals[1] == L'-') return -1;
    return static_cast<int>(std::wcstol(equals + 1, nullptr, 10));
}

bool Starts(const wchar_t* text, const wchar_t* prefix) {
    return std::wcsncmp(text, prefix, std::wcslen(prefix)) == 0;
}

}  // namespace

// The control window on a thread of its own, so that it still answers while
// the shell windows' thread pumps nothing. Sets `woken` once it is closed.
DWORD WINAPI ControlThread(void* woken) {
    CreateWindowExW(0, L"Stilvane.FakeDesktop", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                    GetModuleHandleW(nullptr), nullptr);
    Log("ready");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    SetEvent(static_cast<HANDLE>(woken));
    return 0;
}

int Hang() {
    HANDLE woken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE control = CreateThread(nullptr, 0, ControlThread, woken, 0, nullptr);
    if (!woken || !control) return 3;
    // No message of this thread's windows is handled while it waits here.
    WaitForSingleObject(woken, INFINITE);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    WaitForSingleObject(control, INFINITE);
    CloseHandle(control);
    CloseHandle(woken);
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    logPath = argv[1];
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterClassNamed(L"Progman", ShellProc);
    RegisterClassNamed(L"WorkerW", ShellProc);
    RegisterClassNamed(L"SHELLDLL_DefView", ShellProc);
    RegisterClassNamed(L"Stilvane.FakeDesktop", ControlProc);
    const HINSTANCE self = GetModuleHandleW(nullptr);

    HWND progman = nullptr;
    bool hang = false;
    for (int i = 2; i < argc; ++i) {
        const wchar_t* arg = argv[i];
        if (std::wcscmp(arg, L"progman") == 0) {
            progman = CreateWindowExW(0, L"Progman", L"Program Manager", WS_POPUP, 10, 20, 600, 400,
                                      nullptr, nullptr, self, nullptr);
        } else if (Starts(arg, L"progman-view=") && progman) {
            MakeView(progman, ItemsOf(arg));
        } else if (Starts(arg, L"progman-worker=") && progman) {
            HWND worker = CreateWindowExW(0, L"WorkerW", L"", WS_CHILD, 0, 0, 600, 400, progman,
                                          nullptr, self, nullptr);
            MakeView(worker, ItemsOf(arg));
        } else if (Starts(arg, L"worker=")) {
            HWND worker = CreateWindowExW(0, L"WorkerW", L"", WS_POPUP, 30, 40, 600, 400, nullptr,
                                          nullptr, self, nullptr);
            MakeView(worker, ItemsOf(arg));
        } else if (std::wcscmp(arg, L"worker-empty") == 0) {
            CreateWindowExW(0, L"WorkerW", L"", WS_POPUP, 30, 40, 600, 400, nullptr, nullptr, self,
                            nullptr);
        } else if (Starts(arg, L"spawn=")) {
            spawnItems = ItemsOf(arg);
        } else if (std::wcscmp(arg, L"hang") == 0) {
            hang = true;
        }
    }
    if (hang) return Hang();
    CreateWindowExW(0, L"Stilvane.FakeDesktop", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, self,
                    nullptr);
    Log("ready");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
