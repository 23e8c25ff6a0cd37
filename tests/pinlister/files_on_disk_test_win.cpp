// The cache and stamp files on a real disk, under Wine.
#include <gtest/gtest.h>

#include "pinlister/lister_host_win.h"
#include "pinlister/pin_cache.h"
#include "shortcut_test_support_win.h"
#include "support/temp_dir_win.h"

namespace lumetra::pinlister {
namespace {

using testing_support::TempDir;

std::vector<std::wstring> FolderContents(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (data.cFileName[0] != L'.') names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

TEST(FilesOnDisk, ReadsWritesReplacesAndRemovesWholeFiles) {
    TempDir dir;
    const FileStore files = FilesOnDisk();
    const std::string bytes("line\nwith\r\nzero\0byte\xC3\xA9", 22);
    ASSERT_TRUE(files.write(dir.file(L"a"), bytes));
    EXPECT_EQ(files.read(dir.file(L"a")), bytes) << "binary, nothing translated";
    ASSERT_TRUE(files.write(dir.file(L"a"), "short"));
    EXPECT_EQ(files.read(dir.file(L"a")), "short") << "truncated first";
    ASSERT_TRUE(files.write(dir.file(L"b"), ""));
    EXPECT_EQ(files.read(dir.file(L"b")), "");

    ASSERT_TRUE(files.replace(dir.file(L"b"), dir.file(L"a")));
    EXPECT_EQ(files.read(dir.file(L"a")), "");
    EXPECT_FALSE(files.read(dir.file(L"b")));
    EXPECT_FALSE(files.replace(dir.file(L"b"), dir.file(L"a"))) << "nothing to rename";

    EXPECT_TRUE(files.remove(dir.file(L"a")));
    EXPECT_TRUE(files.remove(dir.file(L"a"))) << "already gone counts as removed";
    EXPECT_TRUE(files.remove(dir.file(L"nowhere\\a"))) << "so does a missing folder";
    ASSERT_TRUE(CreateDirectoryW(dir.file(L"sub").c_str(), nullptr));
    EXPECT_FALSE(files.read(dir.file(L"sub"))) << "a folder is no readable file";
    EXPECT_FALSE(files.remove(dir.file(L"sub")));
}

TEST(SaveCacheOnDisk, WritesTheExactBytesAndNoTemporaryFileStays) {
    TempDir dir;
    const CachePaths paths = CachePathsIn(dir.path());
    const std::string list = "A|C:\\a.exe|C:\\a.exe\nB\xC3\xA9|C:\\b.exe|C:\\b.lnk\n";
    ASSERT_TRUE(SaveCache(FilesOnDisk(), paths, list, "C:\\P|1|2|comchg=3", L"5"));
    const auto cache = testing_support::ReadBytes(paths.cache);
    const auto stamp = testing_support::ReadBytes(paths.stamp);
    EXPECT_EQ(std::string(cache.begin(), cache.end()), list) << "LF only, no byte-order mark";
    EXPECT_EQ(std::string(stamp.begin(), stamp.end()), "C:\\P|1|2|comchg=3") << "no line end";
    EXPECT_EQ(FolderContents(dir.path()).size(), 2u);
    EXPECT_EQ(ReadMatchingCache(FilesOnDisk(), paths, "C:\\P|1|2|comchg=3"), list);
}

TEST(SaveCacheOnDisk, ACacheThatCannotBeWrittenTakesItsStampAlong) {
    TempDir dir;
    const CachePaths paths = CachePathsIn(dir.path());
    ASSERT_TRUE(SaveCache(FilesOnDisk(), paths, "old\n", "OLD", L"5"));
    // A folder where the cache file should be: the rename onto it fails.
    ASSERT_TRUE(DeleteFileW(paths.cache.c_str()));
    ASSERT_TRUE(CreateDirectoryW(paths.cache.c_str(), nullptr));

    EXPECT_FALSE(SaveCache(FilesOnDisk(), paths, "new\n", "NEW", L"5"));
    EXPECT_FALSE(testing_support::Exists(paths.stamp)) << "no stamp vouches for the old list";
    EXPECT_EQ(FolderContents(dir.path()), std::vector<std::wstring>{L"taskbar_pins.cache"})
        << "the temporary file is gone";
    EXPECT_FALSE(ReadMatchingCache(FilesOnDisk(), paths, "NEW"));
    EXPECT_FALSE(ReadMatchingCache(FilesOnDisk(), paths, "OLD"));
}

TEST(TackrollDataFolder, IsMadeBelowTheLocalApplicationDataFolder) {
    const std::wstring folder = TackrollDataFolder();
    ASSERT_GT(folder.size(), 16u);
    EXPECT_EQ(folder.substr(folder.size() - 16), L"\\veltor\\Tackroll");
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(MakeListerHost(RunMode::List).paths.cache, folder + L"\\taskbar_pins.cache");
    EXPECT_FALSE(MakeListerHost(RunMode::StampOnly).paths.known())
        << "the stamp alone needs no files";
}

TEST(CurrentStamp, DescribesThePinnedFolderAndACounterOfZeroWithoutAPinList) {
    fakes::PinnedFolderScope scope;
    EXPECT_EQ(CurrentStamp(), "no-folder|comchg=0");
    ASSERT_TRUE(fakes::CreateShortcut(scope.pin(L"A.lnk"), scope.app(L"A.exe")));
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(scope.pin(L"A.lnk").c_str(), GetFileExInfoStandard, &data));
    const std::uint64_t written =
        (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
        data.ftLastWriteTime.dwLowDateTime;
    std::string folder;
    for (wchar_t c : scope.pinned()) folder += static_cast<char>(c);  // ASCII in the temp folder
    EXPECT_EQ(CurrentStamp(), folder + "|" + std::to_string(written) + "|1|comchg=0");
}

}  // namespace
}  // namespace lumetra::pinlister
