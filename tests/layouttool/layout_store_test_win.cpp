#include <windows.h>
#include <gtest/gtest.h>

#include "layouttool/layout_store_win.h"
#include "support/temp_dir_win.h"

namespace lumetra::layouttool {
namespace {

using testing_support::Exists;
using testing_support::ReadBytes;
using testing_support::TempDir;
using Bytes = std::vector<std::uint8_t>;

const Bytes kOld = {'S', 'V', 'v', '1', 5, 0, 0, 0, 0, 0, 0, 0};
const Bytes kNew = {'S', 'V', 'v', '1', 5, 0, 0, 0, 1, 0, 0, 0, 2,
                    0,   0,   0,   0,   0, 7, 0, 0, 0, 8, 0, 0, 0};

TEST(LayoutStore, WritesAndReadsTheWholeFileLeavingNoTemporary) {
    TempDir dir;
    const std::wstring path = dir.file(L"desktop_layout.sv1");
    ASSERT_TRUE(WriteLayoutFile(path, kOld));
    ASSERT_TRUE(WriteLayoutFile(path, kNew)) << "replaces an existing file";
    Bytes read;
    ASSERT_EQ(ReadLayoutFile(path, read), FileRead::kOk);
    EXPECT_EQ(read, kNew);
    EXPECT_FALSE(Exists(path + L".tmp"));
}

TEST(LayoutStore, FailedSaveKeepsThePreviousLayout) {
    TempDir dir;
    const std::wstring path = dir.file(L"desktop_layout.sv1");
    ASSERT_TRUE(WriteLayoutFile(path, kOld));
    // The temporary file cannot be created where a folder of its name stands.
    ASSERT_TRUE(CreateDirectoryW((path + L".tmp").c_str(), nullptr));
    EXPECT_FALSE(WriteLayoutFile(path, kNew));
    EXPECT_EQ(ReadBytes(path), kOld);
    RemoveDirectoryW((path + L".tmp").c_str());
}

TEST(LayoutStore, FailedReplaceKeepsThePreviousLayoutAndRemovesTheTemporary) {
    TempDir dir;
    const std::wstring path = dir.file(L"desktop_layout.sv1");
    ASSERT_TRUE(WriteLayoutFile(path, kOld));
    // Another program holds the old file open without allowing deletion.
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteLayoutFile(path, kNew));
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_FALSE(Exists(path + L".tmp"));
}

TEST(LayoutStore, WriteIntoAMissingFolderFails) {
    TempDir dir;
    EXPECT_FALSE(WriteLayoutFile(dir.file(L"no-such-folder\\desktop_layout.sv1"), kNew));
}

TEST(LayoutStore, ReplaceSwapsInTheNewFileOrLeavesBothAsTheyWere) {
    TempDir dir;
    const std::wstring undo = dir.file(L"desktop_layout.undo.sv1");
    const std::wstring snapshot = undo + L".new";
    ASSERT_TRUE(WriteLayoutFile(undo, kOld));
    ASSERT_TRUE(WriteLayoutFile(snapshot, kNew));
    // Another program reads the undo file: it cannot be replaced now.
    HANDLE holder = CreateFileW(undo.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ReplaceLayoutFile(snapshot, undo));
    EXPECT_FALSE(DeleteLayoutFile(undo));
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(undo), kOld);
    EXPECT_EQ(ReadBytes(snapshot), kNew);

    EXPECT_TRUE(ReplaceLayoutFile(snapshot, undo));
    EXPECT_EQ(ReadBytes(undo), kNew);
    EXPECT_FALSE(Exists(snapshot));
    EXPECT_FALSE(ReplaceLayoutFile(dir.file(L"a.sv1.new"), dir.file(L"a.sv1")))
        << "nothing to move";
}

TEST(LayoutStore, DeleteCountsAFileThatIsGoneAsDone) {
    TempDir dir;
    const std::wstring path = dir.file(L"desktop_layout.undo.sv1");
    ASSERT_TRUE(WriteLayoutFile(path, kOld));
    EXPECT_TRUE(DeleteLayoutFile(path));
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(DeleteLayoutFile(path)) << "already gone";
    EXPECT_TRUE(DeleteLayoutFile(dir.file(L"no-such-folder\\x.sv1")));
}

void MakeFileOfSize(const std::wstring& path, LONGLONG size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER at;
    at.QuadPart = size;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

TEST(LayoutStore, ReadsUpTo64MiB) {
    TempDir dir;
    const std::wstring path = dir.file(L"big.sv1");
    Bytes read;
    EXPECT_EQ(ReadLayoutFile(dir.file(L"missing.sv1"), read), FileRead::kUnavailable);
    MakeFileOfSize(path, 0x4000000 + 1);
    EXPECT_EQ(ReadLayoutFile(path, read), FileRead::kUnavailable);
    EXPECT_TRUE(read.empty());
    MakeFileOfSize(path, 0x4000000);
    EXPECT_EQ(ReadLayoutFile(path, read), FileRead::kOk);
    EXPECT_EQ(read.size(), 0x4000000u);
    MakeFileOfSize(path, 0);
    EXPECT_EQ(ReadLayoutFile(path, read), FileRead::kOk)
        << "an empty file reads; the header check rejects it";
}

class AppDataVariable {
  public:
    AppDataVariable() {
        wchar_t buffer[MAX_PATH] = {};
        had_ = GetEnvironmentVariableW(L"APPDATA", buffer, MAX_PATH) > 0;
        saved_ = buffer;
    }
    ~AppDataVariable() { SetEnvironmentVariableW(L"APPDATA", had_ ? saved_.c_str() : nullptr); }

  private:
    bool had_ = false;
    std::wstring saved_;
};

TEST(LayoutStore, PathFollowsAppDataAndCreatesTheFolder) {
    TempDir dir;
    AppDataVariable restore;
    SetEnvironmentVariableW(L"APPDATA", dir.path().c_str());
    EXPECT_EQ(GetLayoutFilePath(), dir.path() + L"\\veltor\\Stilvane\\desktop_layout.sv1");
    EXPECT_TRUE(Exists(dir.path() + L"\\veltor\\Stilvane"));
    SetEnvironmentVariableW(L"APPDATA", nullptr);
    EXPECT_EQ(GetLayoutFilePath(), L"");
    SetEnvironmentVariableW(L"APPDATA", std::wstring(300, L'a').c_str());
    EXPECT_EQ(GetLayoutFilePath(), L"");
}

}  // namespace
}  // namespace lumetra::layouttool
