#include "pinlister/pin_cache.h"

#include <gtest/gtest.h>

#include "memory_files.h"

namespace lumetra::pinlister {
namespace {

using fakes::MemoryFiles;
using fakes::ProcessDied;

const CachePaths kPaths = CachePathsIn(L"C:\\Data");

TEST(CachePaths, NamedInTheDataFolder) {
    EXPECT_EQ(kPaths.cache, L"C:\\Data\\taskbar_pins.cache");
    EXPECT_EQ(kPaths.stamp, L"C:\\Data\\taskbar_pins.stamp");
    EXPECT_TRUE(kPaths.known());
    EXPECT_FALSE(CachePathsIn(L"").known());
}

TEST(StampMatches, IgnoresOnlyLineEndsAtTheEnd) {
    const struct {
        const char* stored;
        bool matches;
    } cases[] = {
        {"s|comchg=1", true},      {"s|comchg=1\r\n", true},  {"s|comchg=1\n\r\n\r", true},
        {"s|comchg=10", false},    {"s|comchg=", false},      {"s|comchg=1 ", false},
        {"\r\ns|comchg=1", false}, {"s|com\r\nchg=1", false}, {"", false},
        {"\r\n", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StampMatches(c.stored, "s|comchg=1"), c.matches) << c.stored;
}

// Which stored files serve is part of the run's tests; here the stamp side.
TEST(ReadMatchingCache, AnEmptyStampOrUnknownPathsVouchForNothing) {
    MemoryFiles disk;
    disk.files = {{kPaths.stamp, ""}, {kPaths.cache, "x\n"}};
    EXPECT_FALSE(ReadMatchingCache(disk.store(), kPaths, ""));
    EXPECT_FALSE(ReadMatchingCache(disk.store(), CachePaths{}, ""));
    disk.files[kPaths.stamp] = "S";
    EXPECT_FALSE(ReadMatchingCache(disk.store(), CachePaths{}, "S"));
    EXPECT_EQ(ReadMatchingCache(disk.store(), kPaths, "S"), "x\n");
}

TEST(JoinLines, EveryLineEndsWithOneLf) {
    EXPECT_EQ(JoinLines({"a|b|c", "d|e|f"}), "a|b|c\nd|e|f\n");
    EXPECT_EQ(JoinLines({}), "");
}

const std::string kOldCache = "Old|C:\\old.exe|C:\\old.exe\n";
const std::string kNewCache = "New|C:\\new.exe|C:\\new.exe\nTwo|C:\\two.exe|C:\\two.exe\n";

MemoryFiles DiskWithOldPair() {
    MemoryFiles disk;
    disk.files = {{kPaths.cache, kOldCache}, {kPaths.stamp, "OLD"}};
    return disk;
}

TEST(SaveCache, StoresBothFilesExactlyAndLeavesNoTemporaryFile) {
    MemoryFiles disk = DiskWithOldPair();
    ASSERT_TRUE(SaveCache(disk.store(), kPaths, kNewCache, "NEW", L"42"));
    EXPECT_EQ(disk.files, (std::map<std::wstring, std::string>{{kPaths.cache, kNewCache},
                                                               {kPaths.stamp, "NEW"}}));
    EXPECT_FALSE(SaveCache(disk.store(), CachePaths{}, kNewCache, "NEW", L"42"));
}

// Whatever a reader finds must be a pair written together: no stamp, or the
// old stamp over the whole old list, or the new stamp over the whole new list.
void ExpectOnlyWholePairs(const MemoryFiles& disk, const std::string& what) {
    const auto stamp = disk.at(kPaths.stamp);
    if (!stamp) return;
    if (*stamp == "OLD") {
        EXPECT_EQ(disk.at(kPaths.cache), kOldCache) << what;
    } else {
        EXPECT_EQ(*stamp, "NEW") << what;
        EXPECT_EQ(disk.at(kPaths.cache), kNewCache) << what;
    }
    MemoryFiles copy = disk;
    for (const char* current : {"OLD", "NEW"}) {
        const auto served = ReadMatchingCache(copy.store(), kPaths, current);
        if (served) {
            EXPECT_TRUE(*served == kOldCache || *served == kNewCache) << what;
        }
    }
}

void ExpectOnlyTheTwoFiles(const MemoryFiles& disk, const std::string& what) {
    for (const auto& [path, bytes] : disk.files)
        EXPECT_TRUE(path == kPaths.cache || path == kPaths.stamp)
            << what << ": left " << testing::PrintToString(path);
}

TEST(SaveCache, AFailureOrACrashAtAnyStepNeverPairsAStampWithAForeignList) {
    MemoryFiles counting = DiskWithOldPair();
    ASSERT_TRUE(SaveCache(counting.store(), kPaths, kNewCache, "NEW", L"7"));
    const int steps = counting.operations;
    ASSERT_GE(steps, 5);

    for (const MemoryFiles::Fault fault : {MemoryFiles::Fault::Fail, MemoryFiles::Fault::Die}) {
        for (int step = 1; step <= steps; ++step) {
            const std::string what = (fault == MemoryFiles::Fault::Die ? "crash" : "failure") +
                                     std::string(" at step ") + std::to_string(step);
            MemoryFiles disk = DiskWithOldPair();
            disk.fault = fault;
            disk.faultAt = step;
            bool saved = false;
            try {
                saved = SaveCache(disk.store(), kPaths, kNewCache, "NEW", L"7");
            } catch (const ProcessDied&) {
            }
            EXPECT_FALSE(saved) << what;
            ExpectOnlyWholePairs(disk, what);
            if (fault == MemoryFiles::Fault::Fail) ExpectOnlyTheTwoFiles(disk, what);

            // The next run's save, with a tag of its own, leaves nothing of this one.
            disk.fault = MemoryFiles::Fault::None;
            EXPECT_TRUE(SaveCache(disk.store(), kPaths, kNewCache, "NEW", L"8")) << what;
            ExpectOnlyTheTwoFiles(disk, what + ", then saved again");
        }
    }
}

TEST(SaveCache, RemovesTheTemporaryFilesOfEarlierRunsAndNothingElse) {
    MemoryFiles disk = DiskWithOldPair();
    const std::vector<std::wstring> leftovers = {L"C:\\Data\\taskbar_pins.cache.4242.tmp",
                                                 L"C:\\Data\\taskbar_pins.stamp.1.tmp",
                                                 L"C:\\Data\\taskbar_pins.cache.x.y.tmp"};
    const std::vector<std::wstring> kept = {
        L"C:\\Data\\notes.tmp", L"C:\\Data\\taskbar_pins.cache.tmp",
        L"C:\\Data\\taskbar_pins.cache.7.tmpx", L"C:\\Data\\taskbar_pins.cache.7.tmp\\inner.tmp",
        L"C:\\Other\\taskbar_pins.cache.7.tmp"};
    for (const auto& path : leftovers) disk.files[path] = "half";
    for (const auto& path : kept) disk.files[path] = "keep";

    ASSERT_TRUE(SaveCache(disk.store(), kPaths, kNewCache, "NEW", L"42"));
    for (const auto& path : leftovers) EXPECT_FALSE(disk.at(path)) << testing::PrintToString(path);
    for (const auto& path : kept) EXPECT_EQ(disk.at(path), "keep") << testing::PrintToString(path);
    EXPECT_EQ(disk.at(kPaths.cache), kNewCache);
    EXPECT_EQ(disk.at(kPaths.stamp), "NEW");
}

TEST(ReadMatchingCache, StoredFilesOverTheirLimitsAreTakenAsMissing) {
    const std::string stampAtLimit(kMaxStampBytes, 'S');
    const std::string stampOver(kMaxStampBytes + 1, 'S');
    const std::string cacheAtLimit(kMaxCacheBytes, 'c');
    const struct {
        const char* what;
        const std::string& stamp;
        std::string cache;
        bool served;
    } cases[] = {
        {"both at their limits", stampAtLimit, cacheAtLimit, true},
        {"stamp one byte over", stampOver, "x\n", false},
        {"cache one byte over", stampAtLimit, cacheAtLimit + "c", false},
    };
    for (const auto& c : cases) {
        MemoryFiles disk;
        disk.files = {{kPaths.stamp, c.stamp}, {kPaths.cache, c.cache}};
        const auto served = ReadMatchingCache(disk.store(), kPaths, c.stamp);
        EXPECT_EQ(served.has_value(), c.served) << c.what;
        if (served) {
            EXPECT_EQ(served->size(), c.cache.size()) << c.what;
        }
    }
}

TEST(SaveCache, AFailedCacheWriteLeavesNoStampSoTheNextRunEnumerates) {
    MemoryFiles disk = DiskWithOldPair();
    disk.fault = MemoryFiles::Fault::Fail;
    disk.faultPathPart = L"taskbar_pins.cache";
    EXPECT_FALSE(SaveCache(disk.store(), kPaths, kNewCache, "NEW", L"7"));
    EXPECT_FALSE(disk.at(kPaths.stamp));
    EXPECT_FALSE(ReadMatchingCache(disk.store(), kPaths, "NEW"));
    EXPECT_FALSE(ReadMatchingCache(disk.store(), kPaths, "OLD"));
}

}  // namespace
}  // namespace lumetra::pinlister
