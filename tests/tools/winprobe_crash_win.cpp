// winprobe verb that makes a running program fault, with nothing in the
// program written for it:
//
//   winprobe crash CLASS [WAIT_MS]   starts a thread in the process owning the
//                                    top-level window of CLASS at an address
//                                    where nothing is mapped, then waits up to
//                                    WAIT_MS (20000) for the process to end.
//                                    Prints the thread's id, whether and how
//                                    the process ended, and every visible
//                                    top-level window that appeared meanwhile
//                                    (an error dialog would be one).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>

#include "winprobe_json_win.h"

namespace {

using lumetra::winprobe::Fail;
using lumetra::winprobe::JsonString;

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM param) {
    if (IsWindowVisible(hwnd)) reinterpret_cast<std::set<HWND>*>(param)->insert(hwnd);
    return TRUE;
}

std::set<HWND> VisibleTopLevelWindows() {
    std::set<HWND> windows;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string Describe(HWND hwnd) {
    wchar_t cls[256] = {}, title[256] = {};
    GetClassNameW(hwnd, cls, 256);
    GetWindowTextW(hwnd, title, 256);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return "{\"class\":" + JsonString(cls) + ",\"title\":" + JsonString(title) +
           ",\"pid\":" + std::to_string(pid) + "}";
}

int Crash(HWND target, DWORD waitMs) {
    if (!target) return Fail("window not found");
    DWORD pid = 0;
    GetWindowThreadProcessId(target, &pid);
    HANDLE process =
        OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                        PROCESS_VM_WRITE | PROCESS_VM_READ | SYNCHRONIZE,
                    FALSE, pid);
    if (!process) return Fail("OpenProcess");
    const std::set<HWND> before = VisibleTopLevelWindows();
    // The first page is never mapped: the thread faults on its first instruction.
    const auto start = reinterpret_cast<LPTHREAD_START_ROUTINE>(static_cast<ULONG_PTR>(0x10));
    DWORD threadId = 0;
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, nullptr, 0, &threadId);
    if (!thread) {
        CloseHandle(process);
        return Fail("CreateRemoteThread");
    }
    CloseHandle(thread);
    const bool exited = WaitForSingleObject(process, waitMs) == WAIT_OBJECT_0;
    DWORD exitCode = 0;
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    std::string appeared;
    for (HWND hwnd : VisibleTopLevelWindows()) {
        if (before.count(hwnd)) continue;
        if (!appeared.empty()) appeared += ',';
        appeared += Describe(hwnd);
    }
    std::printf("{\"pid\":%lu,\"thread\":%lu,\"exited\":%s,\"exitCode\":%lu,\"newWindows\":[%s]}\n",
                pid, threadId, exited ? "true" : "false", exitCode, appeared.c_str());
    return 0;
}

}  // namespace

int RunCrashVerb(const std::wstring& verb, int argc, wchar_t** argv) {
    if (verb == L"crash" && argc >= 3)
        return Crash(FindWindowW(argv[2], nullptr),
                     argc >= 4 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 0)) : 20000);
    return -1;
}
