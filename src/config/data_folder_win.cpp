#include "config/data_folder_win.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "config/data_folder.h"
#include "log/debug_log.h"

namespace lumetra::config {
namespace {

constexpr DWORD kPathUnits = MAX_PATH;

std::wstring KnownRoamingFolder() {
    PWSTR raw = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &raw)) && raw)
        folder = raw;
    CoTaskMemFree(raw);
    return folder;
}

std::wstring ShellAppDataFolder() {
    wchar_t buffer[kPathUnits] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, buffer))) return {};
    return buffer;
}

std::wstring Variable(const wchar_t* name) {
    wchar_t buffer[kPathUnits] = {};
    const DWORD n = GetEnvironmentVariableW(name, buffer, kPathUnits);
    return n >= 1 && n < kPathUnits ? std::wstring(buffer, n) : std::wstring();
}

void CreateFolderTree(const std::wstring& folder) {
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
}

}  // namespace

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ExecutableFolder() {
    wchar_t buffer[kPathUnits] = {};
    const DWORD n = GetModuleFileNameW(nullptr, buffer, kPathUnits);
    if (n == 0 || n >= kPathUnits) return {};
    PathRemoveFileSpecW(buffer);
    return buffer;
}

std::wstring ResolveDataRoot() {
    return ChooseDataRoot({KnownRoamingFolder, ShellAppDataFolder,
                           [] { return Variable(L"APPDATA"); },
                           [] { return Variable(L"USERPROFILE"); }, ExecutableFolder});
}

void MigrateConfig() {
    const std::wstring root = ResolveDataRoot();
    const std::wstring target = ConfigPathFromRoot(root);
    if (FileExists(target)) return;
    for (const std::wstring& source : MigrationSourcesFromRoot(root)) {
        if (!FileExists(source)) continue;
        CreateFolderTree(DataFolderFromRoot(root));
        if (CopyFileW(source.c_str(), target.c_str(), FALSE))
            log::DebugLogFormat<512>(L"MigrateConfig: copied %ls -> Lumetra\\", source.c_str());
        return;
    }
}

std::wstring ResolveConfigPath() {
    MigrateConfig();
    const std::wstring root = ResolveDataRoot();
    CreateFolderTree(DataFolderFromRoot(root));
    return ConfigPathFromRoot(root);
}

}  // namespace lumetra::config
