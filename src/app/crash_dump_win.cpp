#include "app/crash_dump_win.h"

#include <dbghelp.h>

#include <cwchar>

#include "app/crash_dump_name.h"
#include "config/data_folder_win.h"
#include "platform/system_library_win.h"
#include "platform/unique_handle_win.h"

namespace lumetra::app {
namespace {

using WriteDumpFn = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                  PMINIDUMP_EXCEPTION_INFORMATION,
                                  PMINIDUMP_USER_STREAM_INFORMATION,
                                  PMINIDUMP_CALLBACK_INFORMATION);

// Filled once at start-up: the filter neither loads a library (the loader
// lock may be held by the crashing thread) nor allocates.
WriteDumpFn g_writeDump = nullptr;
wchar_t g_dumpFolder[kCrashPathUnits] = {};

}  // namespace

void InstallCrashFilter() {
    SetUnhandledExceptionFilter(CrashFilter);
    g_writeDump = platform::SystemExport<WriteDumpFn>(L"dbghelp.dll", "MiniDumpWriteDump");
    const std::wstring folder = CrashDumpFolderFromRoot(config::ResolveDataRoot());
    // A folder too long for the dump path leaves the folder empty: no dump.
    if (folder.size() < kCrashPathUnits) std::wcscpy(g_dumpFolder, folder.c_str());
}

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* exception) {
    if (!exception || !exception->ExceptionRecord || !g_writeDump || !g_dumpFolder[0])
        return EXCEPTION_EXECUTE_HANDLER;
    // One level only: when the folder above is gone there is nowhere to write.
    CreateDirectoryW(g_dumpFolder, nullptr);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t path[kCrashPathUnits];
    if (!FormatCrashDumpPath(
            path, kCrashPathUnits, g_dumpFolder,
            {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond}))
        return EXCEPTION_EXECUTE_HANDLER;
    const platform::UniqueHandle file(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return EXCEPTION_EXECUTE_HANDLER;
    MINIDUMP_EXCEPTION_INFORMATION info{GetCurrentThreadId(), exception, FALSE};
    g_writeDump(GetCurrentProcess(), GetCurrentProcessId(), file.get(), MiniDumpWithDataSegs, &info,
                nullptr, nullptr);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace lumetra::app
