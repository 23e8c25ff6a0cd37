// The data folder's Windows side on real paths (run under Wine).
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "../support/temp_dir_win.h"
#include "config/data_folder_win.h"

namespace lumetra::config {
namespace {

using testing_support::TempDir;
using testing_support::WriteBytes;

TEST(DataFolderWin, ReadsLongValuesWhole) {
    const std::wstring value = L"C:\\" + std::wstring(600, L'r');
    ASSERT_TRUE(SetEnvironmentVariableW(L"LUMETRA_TEST_ROOT", value.c_str()));
    EXPECT_TRUE(EnvironmentVariable(L"LUMETRA_TEST_ROOT") == value)
        << EnvironmentVariable(L"LUMETRA_TEST_ROOT").size() << " units read";
    SetEnvironmentVariableW(L"LUMETRA_TEST_ROOT", nullptr);
    EXPECT_EQ(EnvironmentVariable(L"LUMETRA_TEST_ROOT"), L"");

    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    EXPECT_EQ(ExecutableFolder() + L"\\config_win_tests.exe", module);
}

TEST(DataFolderWin, FindsAFileBelowALongFolder) {
    TempDir dir;
    std::wstring folder = L"\\\\?\\" + dir.path();
    while (folder.size() < 300) {
        folder += L"\\" + std::wstring(50, L'f');
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    }
    const std::wstring file = folder + L"\\config.ini";
    ASSERT_TRUE(WriteBytes(file, "[Window]", 8));
    const std::wstring plain = file.substr(4);
    EXPECT_TRUE(FileExists(plain));
    EXPECT_FALSE(FileExists(plain + L"x"));
    DeleteFileW(file.c_str());
    for (; folder.size() > dir.path().size() + 4; folder.resize(folder.rfind(L'\\')))
        RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace lumetra::config
