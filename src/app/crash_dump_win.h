#pragma once
// The process's last resort: an exception nothing handled is written as a
// minidump into the data folder and the process ends without the system's
// error dialog.
#include <windows.h>

namespace lumetra::app {

// Prepares everything the filter needs (the dump writer from System32, the
// dump folder) and installs it as the unhandled-exception filter. First thing
// at start-up, so even a fault in the rest of start-up leaves a dump.
void InstallCrashFilter();

// Writes "crash-YYYYMMDD-HHMMSS.dmp" when it can; always
// EXCEPTION_EXECUTE_HANDLER, so the process ends quietly.
LONG WINAPI CrashFilter(EXCEPTION_POINTERS* exception);

}  // namespace lumetra::app
