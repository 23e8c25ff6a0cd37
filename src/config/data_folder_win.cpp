#include "config/data_folder_win.h"

#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <shlobj.h>

#include "config/data_folder.h"
#include "log/debug_log.h"
#include "log/long_path.h"
#include "log/long_path_win.h"

namespace lumetra::config {
namespace {

using log::PathForFileCalls;

std::wstring KnownRoamingFolder() {
    PWSTR raw = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &raw)) && raw)
        folder = raw;
    CoTaskMemFree(raw);
    return folder;
}

std::wstring ShellAppDataFolder() {
    wchar_t buffer[MAX_PATH] = {};  // the call's own fixed size
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, buffer))) return {};
    return buffer;
}

}  // namespace

std::wstring EnvironmentVariable(const wchar_t* name) {
    return log::ReadGrowing([name](wchar_t* buffer, std::size_t capacity) {
        return static_cast<std::size_t>(
            GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(capacity)));
    });
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(PathForFileCalls(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ExecutableFolder() {
    const std::wstring file = log::ReadGrowing([](wchar_t* buffer, std::size_t capacity) {
        return static_cast<std::size_t>(
            GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(capacity)));
    });
    return file.empty() ? file : log::FolderOf(file);
}

std::wstring ResolveDataRoot() {
    return ChooseDataRoot({KnownRoamingFolder, ShellAppDataFolder,
                           [] { return EnvironmentVariable(L"APPDATA"); },
                           [] { return EnvironmentVariable(L"USERPROFILE"); }, ExecutableFolder});
}

void MigrateConfig() {
    const std::wstring root = ResolveDataRoot();
    const std::wstring target = ConfigPathFromRoot(root);
    if (FileExists(target)) return;
    for (const std::wstring& source : MigrationSourcesFromRoot(root)) {
        if (!FileExists(source)) continue;
        log::CreateFolderTree(DataFolderFromRoot(root));
        if (CopyFileW(PathForFileCalls(source).c_str(), PathForFileCalls(target).c_str(), FALSE))
            log::DebugLogFormat<512>(L"MigrateConfig: copied %ls -> Lumetra\\", source.c_str());
        return;
    }
}

std::wstring ResolveConfigPath() {
    MigrateConfig();
    const std::wstring root = ResolveDataRoot();
    log::CreateFolderTree(DataFolderFromRoot(root));
    return ConfigPathFromRoot(root);
}

}  // namespace lumetra::config
