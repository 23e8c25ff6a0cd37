#include "app/crash_dump_name.h"

#include "config/data_folder.h"
#include "log/bounded_format.h"

namespace lumetra::app {

std::wstring CrashDumpFolderFromRoot(const std::wstring& root) {
    std::wstring folder = config::DataFolderFromRoot(root);
    folder.pop_back();  // the folder is created by name, without a final separator
    return folder;
}

bool FormatCrashDumpPath(wchar_t* out, std::size_t capacity, const wchar_t* folder,
                         const CrashTime& time) {
    return log::FormatToBufferSecure(out, capacity, L"%ls\\crash-%04u%02u%02u-%02u%02u%02u.dmp",
                                     folder, time.year, time.month, time.day, time.hour,
                                     time.minute, time.second) >= 0;
}

}  // namespace lumetra::app
