// The cache and stamp files on a real disk, under Wine.
#include <gtest/gtest.h>

#include <algorithm>

#include "pinlister/lister_host_win.h"
#include "pinlister/lister_run.h"
#include "pinlister/pin_cache.h"
#include "platform/unique_handle_win.h"
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
    EXPECT_EQ(files.read(dir.file(L"a"), 100), bytes) << "binary, nothing translated";
    ASSERT_TRUE(files.write(dir.file(L"a"), "short"));
    EXPECT_EQ(files.read(dir.file(L"a"), 100), "short") << "truncated first";
    ASSERT_TRUE(files.write(dir.file(L"b"), ""));
    EXPECT_EQ(files.read(dir.file(L"b"), 100), "");

    ASSERT_TRUE(files.replace(dir.file(L"b"), dir.file(L"a")));
    EXPECT_EQ(files.read(dir.file(L"a"), 100), "");
    EXPECT_FALSE(files.read(dir.file(L"b"), 100));
    EXPECT_FALSE(files.replace(dir.file(L"b"), dir.file(L"a"))) << "nothing to rename";

    EXPECT_TRUE(files.remove(dir.file(L"a")));
    EXPECT_TRUE(files.remove(dir.file(L"a"))) << "already gone counts as removed";
    EXPECT_TRUE(files.remove(dir.file(L"nowhere\\a"))) << "so does a missing folder";
    ASSERT_TRUE(CreateDirectoryW(dir.file(L"sub").c_str(), nullptr));
    EXPECT_FALSE(files.read(dir.file(L"sub"), 100)) << "a folder is no readable file";
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

// A file of `bytes` zero bytes, written without holding them in memory.
bool MakeZeroFile(const std::wstring& path, long long bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    size.QuadPart = bytes;
    const bool sized = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return sized;
}

TEST(FilesOnDisk, AFileOverTheLimitIsNotRead) {
    TempDir dir;
    const FileStore files = FilesOnDisk();
    ASSERT_TRUE(files.write(dir.file(L"a"), "12345"));
    EXPECT_EQ(files.read(dir.file(L"a"), 5), "12345");
    EXPECT_FALSE(files.read(dir.file(L"a"), 4));
    ASSERT_TRUE(MakeZeroFile(dir.file(L"huge"), 5'000'000'000LL));
    EXPECT_FALSE(files.read(dir.file(L"huge"), kMaxCacheBytes)) << "past 4 GiB";
}

// A run on real files, with the pins and the stamp made up.
struct RunOnDisk {
    CachePaths paths;
    std::string out;
    int enumerations = 0;

    explicit RunOnDisk(const std::wstring& folder) : paths(CachePathsIn(folder)) {}
    int run() {
        ListerHost host = MakeListerHost(RunMode::List);
        host.paths = paths;
        host.currentStamp = [] { return std::string("S1"); };
        host.enumerate = [this](PinnedLines& pins) {
            ++enumerations;
            pins.lines = {"A|C:\\a.exe|C:\\a.exe"};
        };
        host.write = [this](std::string_view bytes) {
            out += bytes;
            return true;
        };
        return RunLister(RunMode::List, host);
    }
};

TEST(ListerOnDisk, AHugeCacheUnderAMatchingStampIsEnumeratedAndStoredAnew) {
    TempDir dir;
    RunOnDisk lister(dir.path());
    ASSERT_TRUE(testing_support::WriteBytes(lister.paths.stamp, "S1", 2));
    ASSERT_TRUE(MakeZeroFile(lister.paths.cache, 17LL << 20));
    EXPECT_EQ(lister.run(), 0);
    EXPECT_EQ(lister.enumerations, 1);
    EXPECT_TRUE(lister.out == "A|C:\\a.exe|C:\\a.exe\n") << lister.out.size() << " bytes printed";
    const auto cache = testing_support::ReadBytes(lister.paths.cache);
    EXPECT_EQ(std::string(cache.begin(), cache.end()), lister.out);

    lister.out.clear();
    EXPECT_EQ(lister.run(), 0);
    EXPECT_EQ(lister.enumerations, 1) << "the stored list serves again";
    EXPECT_EQ(lister.out, "A|C:\\a.exe|C:\\a.exe\n");
}

TEST(ListerOnDisk, SavingRemovesTheTemporaryFilesEarlierRunsLeft) {
    TempDir dir;
    RunOnDisk lister(dir.path());
    for (const wchar_t* name : {L"taskbar_pins.cache.4242.tmp", L"taskbar_pins.stamp.17.tmp",
                                L"notes.tmp", L"taskbar_pins.cache.tmp"})
        ASSERT_TRUE(testing_support::WriteBytes(dir.file(name), "half", 4));
    EXPECT_EQ(lister.run(), 0);
    std::vector<std::wstring> left = FolderContents(dir.path());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::wstring>{L"notes.tmp", L"taskbar_pins.cache",
                                               L"taskbar_pins.cache.tmp", L"taskbar_pins.stamp"}));
}

TEST(ListerOnDisk, ARunStoresOnlyOnceNoOtherRunHoldsTheSaveLock) {
    // Another run, in the middle of its save.
    platform::UniqueHandle other(CreateMutexW(nullptr, TRUE, kSaveLockName));
    ASSERT_TRUE(other);
    ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

    struct Shared {
        ListerHost host = MakeListerHost(RunMode::List);
        LONG saved = 0;
        bool locked = false;
    } shared;
    auto save = [](void* context) -> DWORD {
        auto* s = static_cast<Shared*>(context);
        s->locked = s->host.exclusively([s] { InterlockedExchange(&s->saved, 1); });
        return 0;
    };
    platform::UniqueHandle thread(CreateThread(nullptr, 0, save, &shared, 0, nullptr));
    ASSERT_TRUE(thread);
    // Whenever this wait ends, the save must not have run meanwhile.
    WaitForSingleObject(thread.get(), 1000);
    EXPECT_EQ(InterlockedCompareExchange(&shared.saved, 0, 0), 0);

    ReleaseMutex(other.get());
    ASSERT_EQ(WaitForSingleObject(thread.get(), 60000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(shared.locked);
    EXPECT_EQ(shared.saved, 1);
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
