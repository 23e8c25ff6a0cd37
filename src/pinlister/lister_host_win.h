#pragma once
// The lister's files, standard output, stamp and enumeration on Windows.
#include <string>

#include "pinlister/command_line.h"
#include "pinlister/lister_run.h"
#include "pinlister/pin_cache.h"

namespace lumetra::pinlister {

// The local application-data folder + "\veltor\Tackroll", created on the way;
// empty when the local folder is unknown.
std::wstring TackrollDataFolder();

// Whole-file reads and writes, renames, removals and listings on disk.
FileStore FilesOnDisk();

// The lock every run of the lister holds while it stores its files.
inline constexpr const wchar_t* kSaveLockName = L"Local\\veltor.Tackroll.Save";

// UTF-8 stamp of the pinned-shortcut folder and the pin list's counter.
std::string CurrentStamp();

// Everything a run in `mode` needs, for this process; the data folder is
// neither made nor used for the stamp alone. Needs COM.
ListerHost MakeListerHost(RunMode mode);

}  // namespace lumetra::pinlister
