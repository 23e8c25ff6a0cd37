#pragma once
// Where Lumetra keeps its files: the per-user roaming data root, the data
// folder below it, and the files of the maker's earlier products that seed a
// first configuration.
#include <functional>
#include <string>
#include <vector>

namespace lumetra::config {

// Candidate roots in order of preference; each returns an empty string when
// its source has nothing.
struct DataRootSources {
    std::function<std::wstring()> knownFolder;          // roaming app-data known folder
    std::function<std::wstring()> shellFolder;          // CSIDL_APPDATA
    std::function<std::wstring()> appDataVariable;      // %APPDATA%
    std::function<std::wstring()> userProfileVariable;  // %USERPROFILE%
    std::function<std::wstring()> executableFolder;
};

// The first usable root, ending with a backslash; empty when none is usable.
std::wstring ChooseDataRoot(const DataRootSources& sources);

std::wstring DataFolderFromRoot(const std::wstring& root);  // root + "veltor\Lumetra\"
std::wstring ConfigPathFromRoot(const std::wstring& root);  // ... + "config.ini"
std::wstring LogPathFromRoot(const std::wstring& root);     // ... + "toggle-debug.log"
// Older products' configurations, most preferred first.
std::vector<std::wstring> MigrationSourcesFromRoot(const std::wstring& root);

}  // namespace lumetra::config
