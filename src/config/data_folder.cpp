#include "config/data_folder.h"

namespace lumetra::config {
namespace {

std::wstring WithBackslash(std::wstring folder) {
    if (folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring Query(const std::function<std::wstring()>& source) {
    return source ? source() : std::wstring();
}

}  // namespace

std::wstring ChooseDataRoot(const DataRootSources& sources) {
    if (std::wstring folder = Query(sources.knownFolder); !folder.empty())
        return WithBackslash(std::move(folder));
    if (std::wstring folder = Query(sources.shellFolder); !folder.empty())
        return WithBackslash(std::move(folder));
    if (std::wstring folder = Query(sources.appDataVariable); !folder.empty())
        return WithBackslash(std::move(folder));
    if (std::wstring profile = Query(sources.userProfileVariable); !profile.empty())
        return profile + L"\\AppData\\Roaming\\";
    if (std::wstring folder = Query(sources.executableFolder); !folder.empty())
        return WithBackslash(std::move(folder));
    return {};
}

std::wstring DataFolderFromRoot(const std::wstring& root) { return root + L"veltor\\Lumetra\\"; }

std::wstring ConfigPathFromRoot(const std::wstring& root) {
    return DataFolderFromRoot(root) + L"config.ini";
}

std::wstring LogPathFromRoot(const std::wstring& root) {
    return DataFolderFromRoot(root) + L"toggle-debug.log";
}

std::vector<std::wstring> MigrationSourcesFromRoot(const std::wstring& root) {
    return {root + L"veltor\\Corvanel\\config.ini", root + L"veltor\\Saffrel\\config.ini"};
}

}  // namespace lumetra::config
