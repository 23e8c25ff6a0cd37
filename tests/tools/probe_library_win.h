#pragma once
// What the libraries "winprobe inject" loads into a running program share:
// their own path (requests and answers lie beside it) and an answer file a
// reader never sees half written.
#include <windows.h>

#include <string>

namespace lumetra::winprobe {

inline std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Written under a temporary name and renamed.
inline void WriteAnswer(const std::wstring& path, const std::string& text) {
    const std::wstring partial = path + L".writing";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// A probe library's DllMain: only a thread is started there, since loading
// libraries and sending messages are not allowed under the loader lock. The
// worker takes over the loader's reference and drops it when done
// (FreeLibraryAndExitThread), so that the next load runs anew.
inline BOOL StartProbeWorker(HINSTANCE instance, DWORD reason, LPTHREAD_START_ROUTINE worker) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    DisableThreadLibraryCalls(instance);
    HANDLE thread = CreateThread(nullptr, 0, worker, instance, 0, nullptr);
    if (thread) CloseHandle(thread);
    return TRUE;
}

}  // namespace lumetra::winprobe
