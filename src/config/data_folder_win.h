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
// The variable's whole value; empty when it is not set.
std::wstring EnvironmentVariable(const wchar_t* name);

bool FileExists(const std::wstring& path);

}  // namespace lumetra::config
