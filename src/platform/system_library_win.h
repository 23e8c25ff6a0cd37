#pragma once
// DLLs that the loader does not always take from the system folder (every DLL
// outside the known-DLL list) are loaded at run time from System32 only, so a
// file of the same name planted beside the program or in the current
// directory never runs inside it.
#include <windows.h>

namespace lumetra::platform {

// Call first in every entry point: takes the current directory out of the
// DLL search. The process-wide default search stays as it is, since shell
// extensions that the hosted view loads may need their own folder.
inline void RemoveCurrentDirectoryFromDllSearch() { SetDllDirectoryW(L""); }

inline HMODULE LoadSystemLibrary(const wchar_t* name) {
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// An export of a system DLL that stays loaded for the rest of the process, or
// null. Fn is the function pointer type.
template <typename Fn>
Fn SystemExport(const wchar_t* dll, const char* name) {
    const HMODULE module = LoadSystemLibrary(dll);
    if (!module) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The version Windows really runs, from ntdll (the documented calls report an
// older one to programs that do not declare the newer); zeros when unknown.
struct WindowsVersion {
    DWORD major = 0;
    DWORD build = 0;
};
inline WindowsVersion RunningWindowsVersion() {
    using Fn = LONG(WINAPI*)(OSVERSIONINFOW*);
    static const Fn getVersion = SystemExport<Fn>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!getVersion || getVersion(&info) != 0) return {};
    return {info.dwMajorVersion, info.dwBuildNumber};
}

// DwmSetWindowAttribute without importing dwmapi.dll; E_NOTIMPL where it is missing.
inline HRESULT SetDwmWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
    using Fn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const Fn setAttribute = SystemExport<Fn>(L"dwmapi.dll", "DwmSetWindowAttribute");
    return setAttribute ? setAttribute(window, attribute, value, size) : E_NOTIMPL;
}

}  // namespace lumetra::platform
