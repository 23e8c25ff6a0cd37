// IniDocument load and save on real files (run under Wine).
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "../support/temp_dir_win.h"
#include "config/ini_document.h"

namespace lumetra::config {
namespace {

using testing_support::Exists;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

std::string Content(const std::wstring& path) {
    const auto bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(IniFile, MissingFileLoadsEmptyAndSaveCreatesIt) {
    TempDir dir;
    IniDocument doc(dir.file(L"config.ini"));
    EXPECT_TRUE(doc.load());
    EXPECT_EQ(doc.get(L"General", L"DebugLog", L"0"), L"0");
    doc.set(L"General", L"DebugLog", L"1");
    ASSERT_TRUE(doc.save());
    EXPECT_EQ(Content(dir.file(L"config.ini")), "\xEF\xBB\xBF[General]\r\nDebugLog=1");
    EXPECT_FALSE(Exists(dir.file(L"config.ini.tmp")));
}

TEST(IniFile, UnusableFilesFailToLoad) {
    TempDir dir;
    IniDocument missingFolder(dir.file(L"nowhere\\config.ini"));
    EXPECT_FALSE(missingFolder.load()) << "a missing folder is not a missing file";

    const std::wstring path = dir.file(L"config.ini");
    ASSERT_TRUE(WriteBytes(path, "", 0));
    IniDocument empty(path);
    EXPECT_FALSE(empty.load());

    std::string big = "[S]\r\nk=";
    big.resize(kIniMaxFileBytes, 'v');
    ASSERT_TRUE(WriteBytes(path, big.data(), big.size()));
    IniDocument atLimit(path);
    EXPECT_TRUE(atLimit.load());
    big.push_back('v');
    ASSERT_TRUE(WriteBytes(path, big.data(), big.size()));
    IniDocument overLimit(path);
    EXPECT_FALSE(overLimit.load());
}

TEST(IniFile, FileOpenInAnotherProgramCanStillBeRead) {
    TempDir dir;
    const std::wstring path = dir.file(L"config.ini");
    ASSERT_TRUE(WriteBytes(path, "[A]\r\nk=v", 8));
    HANDLE editor =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(editor, INVALID_HANDLE_VALUE);
    IniDocument doc(path);
    EXPECT_TRUE(doc.load());
    EXPECT_EQ(doc.get(L"A", L"k", nullptr), L"v");
    CloseHandle(editor);
}

TEST(IniFile, DocumentWithoutSectionsWritesNothing) {
    TempDir dir;
    IniDocument doc(dir.file(L"config.ini"));
    EXPECT_FALSE(doc.save());
    EXPECT_FALSE(Exists(dir.file(L"config.ini")));
    EXPECT_FALSE(Exists(dir.file(L"config.ini.tmp")));
}

TEST(IniFile, FailedRenameKeepsTheOldFileAndRemovesTheTemporary) {
    TempDir dir;
    const std::wstring path = dir.file(L"config.ini");
    const std::string original = "\xEF\xBB\xBF[General]\r\nDebugLog=0";
    ASSERT_TRUE(WriteBytes(path, original.data(), original.size()));
    // A stale temporary from an earlier crash is simply overwritten.
    ASSERT_TRUE(WriteBytes(path + L".tmp", "junk", 4));

    // An open handle on the target makes the replacing rename fail.
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    IniDocument doc(path);
    ASSERT_TRUE(doc.load());
    doc.set(L"General", L"DebugLog", L"1");
    EXPECT_FALSE(doc.save());
    CloseHandle(holder);

    EXPECT_EQ(Content(path), original);
    EXPECT_FALSE(Exists(path + L".tmp"));

    EXPECT_TRUE(doc.save()) << "once the file is free the save goes through";
    EXPECT_EQ(Content(path), "\xEF\xBB\xBF[General]\r\nDebugLog=1");
}

TEST(IniFile, TargetThatIsAFolderIsLeftAlone) {
    TempDir dir;
    const std::wstring path = dir.file(L"config.ini");
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    IniDocument doc(path);
    doc.set(L"A", L"k", L"v");
    EXPECT_FALSE(doc.save());
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              DWORD{FILE_ATTRIBUTE_DIRECTORY});
    EXPECT_FALSE(Exists(path + L".tmp"));
}

}  // namespace
}  // namespace lumetra::config
