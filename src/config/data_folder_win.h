#pragma once
#include <string>

namespace lumetra::config {

// The roaming application-data root of this user, ending with a backslash.
std::wstring ResolveDataRoot();
// Copies an older product's configuration when Lumetra has none yet.
void MigrateConfig();
// Migrates, creates the data folder and returns the configuration file's path.
std::wstring ResolveConfigPath();
// The folder of the running executable, without a final backslash.
std::wstring ExecutableFolder();

bool FileExists(const std::wstring& path);

}  // namespace lumetra::config
