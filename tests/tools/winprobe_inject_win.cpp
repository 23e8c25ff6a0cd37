// winprobe verbs that look into another program while it works:
//
//   winprobe inject CLASS DLL [WAIT_MS]   loads DLL into the process owning the
//                                         top-level window of CLASS (a remote
//                                         thread running LoadLibraryW), then
//                                         waits up to WAIT_MS (10000) for the
//                                         library to unload itself again
//   winprobe sample CLASS INTERVAL_MS DURATION_MS [nocount]
//                                         one JSON line every INTERVAL_MS for
//                                         DURATION_MS: visibility and screen
//                                         rectangles of the window of CLASS, of
//                                         its process's cover window and of its
//                                         shell view, and the list's item count
//                                         (-1 with "nocount": asking the list
//                                         waits for its thread, so a sample
//                                         could not fall inside its work)
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "winprobe_json_win.h"

namespace {

using lumetra::winprobe::Fail;

UINT Parse(const wchar_t* text) { return static_cast<UINT>(std::wcstoul(text, nullptr, 0)); }

struct Process {
    HANDLE handle = nullptr;
    explicit Process(DWORD pid)
        : handle(OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                 PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ,
                             FALSE, pid)) {}
    ~Process() {
        if (handle) CloseHandle(handle);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
};

// Base address of the module whose file name ends in NAME, in that process.
HMODULE RemoteModule(HANDLE process, const wchar_t* name) {
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!EnumProcessModulesEx(process, modules, sizeof modules, &bytes, LIST_MODULES_ALL))
        return nullptr;
    const DWORD count = bytes / sizeof(HMODULE);
    for (DWORD i = 0; i < count && i < 512; ++i) {
        wchar_t path[MAX_PATH] = {};
        if (!GetModuleFileNameExW(process, modules[i], path, MAX_PATH)) continue;
        const wchar_t* slash = std::wcsrchr(path, L'\\');
        if (_wcsicmp(slash ? slash + 1 : path, name) == 0) return modules[i];
    }
    return nullptr;
}

int Inject(const wchar_t* cls, const wchar_t* dll, DWORD waitMs) {
    HWND window = FindWindowW(cls, nullptr);
    if (!window) return Fail("window not found");
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    Process target(pid);
    if (!target.handle) return Fail("OpenProcess");

    wchar_t full[MAX_PATH] = {};
    if (!GetFullPathNameW(dll, MAX_PATH, full, nullptr)) return Fail("GetFullPathName");
    const wchar_t* slash = std::wcsrchr(full, L'\\');
    const wchar_t* dllName = slash ? slash + 1 : full;

    // LoadLibraryW is called at the address it has in the target: the same
    // as here when kernel32 sits at the same base, which is checked.
    HMODULE localKernel = GetModuleHandleW(L"kernel32.dll");
    HMODULE remoteKernel = RemoteModule(target.handle, L"kernel32.dll");
    if (!localKernel || !remoteKernel) return Fail("kernel32 not found");
    auto* loadLibrary = reinterpret_cast<char*>(GetProcAddress(localKernel, "LoadLibraryW"));
    const bool sameBase = localKernel == remoteKernel;
    auto* remoteLoadLibrary = reinterpret_cast<char*>(remoteKernel) +
                              (loadLibrary - reinterpret_cast<char*>(localKernel));

    const SIZE_T size = (std::wcslen(full) + 1) * sizeof(wchar_t);
    void* remotePath =
        VirtualAllocEx(target.handle, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remotePath) return Fail("VirtualAllocEx");
    if (!WriteProcessMemory(target.handle, remotePath, full, size, nullptr)) {
        VirtualFreeEx(target.handle, remotePath, 0, MEM_RELEASE);
        return Fail("WriteProcessMemory");
    }
    HANDLE thread = CreateRemoteThread(target.handle, nullptr, 0,
                                       reinterpret_cast<LPTHREAD_START_ROUTINE>(remoteLoadLibrary),
                                       remotePath, 0, nullptr);
    if (!thread) {
        VirtualFreeEx(target.handle, remotePath, 0, MEM_RELEASE);
        return Fail("CreateRemoteThread");
    }
    const bool ended = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0;
    DWORD exitCode = 0;  // the low half of the module handle; 0 = not loaded
    GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    if (ended) VirtualFreeEx(target.handle, remotePath, 0, MEM_RELEASE);

    bool unloaded = false;
    if (ended && exitCode != 0) {
        const ULONGLONG deadline = GetTickCount64() + waitMs;
        while (!(unloaded = RemoteModule(target.handle, dllName) == nullptr) &&
               GetTickCount64() < deadline)
            Sleep(20);
    }
    std::printf(
        "{\"pid\":%lu,\"kernel32_same_base\":%s,\"thread_ended\":%s,\"loaded\":%s,"
        "\"unloaded\":%s}\n",
        pid, sameBase ? "true" : "false", ended ? "true" : "false", exitCode ? "true" : "false",
        unloaded ? "true" : "false");
    return ended && exitCode && unloaded ? 0 : 1;
}

struct CoverSearch {
    DWORD pid;
    HWND found;
};

HWND FindCover(DWORD pid) {
    CoverSearch search{pid, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<CoverSearch*>(param);
            wchar_t cls[64] = {};
            DWORD owner = 0;
            GetClassNameW(hwnd, cls, 64);
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != s->pid || std::wcscmp(cls, L"Lumetra.Overlay") != 0) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDescendant(HWND top, const wchar_t* cls) {
    struct Search {
        const wchar_t* cls;
        HWND found;
    } search{cls, nullptr};
    EnumChildWindows(
        top,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (_wcsicmp(name, s->cls) != 0) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowState(HWND hwnd) {
    if (!hwnd) return "null";
    RECT r{};
    GetWindowRect(hwnd, &r);
    BYTE alpha = 255;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
        alpha = 255;
    char text[160];
    std::snprintf(text, sizeof text, "{\"visible\":%s,\"rect\":[%ld,%ld,%ld,%ld],\"alpha\":%u}",
                  IsWindowVisible(hwnd) ? "true" : "false", r.left, r.top, r.right, r.bottom,
                  static_cast<unsigned>(alpha));
    return text;
}

// Looked up again for every sample: a refresh may replace the view windows.
std::string Sample(const wchar_t* cls, ULONGLONG elapsed, bool count) {
    HWND palette = FindWindowW(cls, nullptr);
    DWORD pid = 0;
    if (palette) GetWindowThreadProcessId(palette, &pid);
    HWND view = palette ? FindDescendant(palette, L"SHELLDLL_DefView") : nullptr;
    HWND list = view ? FindDescendant(view, L"SysListView32") : nullptr;
    long items = -1;
    DWORD_PTR listed = 0;
    if (count && list &&
        SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 200, &listed))
        items = static_cast<long>(listed);
    char head[64];
    std::snprintf(head, sizeof head, "{\"t\":%llu,\"items\":%ld,", elapsed, items);
    return std::string(head) + "\"palette\":" + WindowState(palette) +
           ",\"cover\":" + WindowState(palette ? FindCover(pid) : nullptr) +
           ",\"view\":" + WindowState(view) + ",\"list\":" + WindowState(list) + "}";
}

int SampleWindows(const wchar_t* cls, UINT intervalMs, UINT durationMs, bool count) {
    const ULONGLONG start = GetTickCount64();
    ULONGLONG next = start;
    int samples = 0;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now - start > durationMs) break;
        std::printf("%s\n", Sample(cls, now - start, count).c_str());
        std::fflush(stdout);
        ++samples;
        next += intervalMs;
        const ULONGLONG after = GetTickCount64();
        if (next > after) Sleep(static_cast<DWORD>(next - after));
    }
    std::printf("{\"samples\":%d}\n", samples);
    return 0;
}

}  // namespace

int RunInjectVerb(const std::wstring& verb, int argc, wchar_t** argv) {
    if (verb == L"inject" && argc >= 4)
        return Inject(argv[2], argv[3], argc >= 5 ? Parse(argv[4]) : 10000);
    if (verb == L"sample" && argc >= 5)
        return SampleWindows(argv[2], Parse(argv[3]), Parse(argv[4]),
                             !(argc >= 6 && std::wstring(argv[5]) == L"nocount"));
    return -1;
}
