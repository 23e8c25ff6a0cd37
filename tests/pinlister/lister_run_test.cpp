#include "pinlister/lister_run.h"

#include <gtest/gtest.h>

#include "memory_files.h"

namespace lumetra::pinlister {
namespace {

using fakes::MemoryFiles;
using fakes::ProcessDied;

// The world one run sees: the pins, their stamp, the data folder and the
// standard output.
struct World {
    std::vector<std::string> pins = {"A|C:\\a.exe|C:\\a.exe", "B|C:\\b.exe|C:\\b.exe"};
    std::string stamp = "S1";
    bool dataFolderKnown = true;
    MemoryFiles disk;
    bool hasOutput = true;
    int failingWrite = 0;  // the write call (from 1) that fails
    std::function<void()> duringEnumeration;
    bool lockAvailable = true;
    int storeStepsInsideTheLock = 0;  // writes, renames and removals

    std::string out;
    int writes = 0;
    int enumerations = 0;
    int stampReads = 0;

    ListerHost host() {
        ListerHost h;
        if (dataFolderKnown) h.paths = CachePathsIn(L"C:\\Data");
        h.files = disk.store();
        h.tempTag = L"99";
        h.currentStamp = [this] {
            ++stampReads;
            return stamp;
        };
        h.enumerate = [this](PinnedLines& lines) {
            ++enumerations;
            lines.lines = pins;
            if (duringEnumeration) duringEnumeration();
        };
        h.exclusively = [this](const std::function<void()>& save) {
            if (!lockAvailable) return false;
            const int before = disk.operations;
            save();
            storeStepsInsideTheLock += disk.operations - before;
            return true;
        };
        if (hasOutput)
            h.write = [this](std::string_view bytes) {
                if (++writes == failingWrite) return false;
                out += bytes;
                return true;
            };
        return h;
    }
    int run(RunMode mode) {
        out.clear();
        writes = 0;
        return RunLister(mode, host());
    }
    std::optional<std::string> file(const wchar_t* name) const {
        return disk.at(std::wstring(L"C:\\Data\\") + name);
    }
};

const std::string kListed = "A|C:\\a.exe|C:\\a.exe\nB|C:\\b.exe|C:\\b.exe\n";

TEST(ListerRun, EnumeratesPrintsAndStoresThenServesTheStoredList) {
    World world;
    EXPECT_EQ(world.run(RunMode::List), 0);
    EXPECT_EQ(world.out, kListed);
    EXPECT_EQ(world.file(L"taskbar_pins.cache"), kListed);
    EXPECT_EQ(world.file(L"taskbar_pins.stamp"), "S1");

    world.pins = {"C|C:\\c.exe|C:\\c.exe"};  // the shell's list moves, the stamp does not
    EXPECT_EQ(world.run(RunMode::List), 0);
    EXPECT_EQ(world.out, kListed) << "served from the cache";
    EXPECT_EQ(world.enumerations, 1);

    world.stamp = "S2";
    world.run(RunMode::List);
    EXPECT_EQ(world.out, "C|C:\\c.exe|C:\\c.exe\n") << "a new stamp defeats the cache";
    EXPECT_EQ(world.file(L"taskbar_pins.stamp"), "S2");
}

TEST(ListerRun, RefreshAlwaysEnumeratesAndRewrites) {
    World world;
    world.run(RunMode::List);
    world.pins = {"C|C:\\c.exe|C:\\c.exe"};
    EXPECT_EQ(world.run(RunMode::RefreshList), 0);
    EXPECT_EQ(world.out, "C|C:\\c.exe|C:\\c.exe\n");
    EXPECT_EQ(world.file(L"taskbar_pins.cache"), "C|C:\\c.exe|C:\\c.exe\n");
    EXPECT_EQ(world.enumerations, 2);
}

TEST(ListerRun, StoredFilesDecideWhetherTheCacheServes) {
    const struct {
        const char* what;
        std::optional<std::string> stamp;
        std::optional<std::string> cache;
        bool served;
    } cases[] = {
        {"stamp ending in CR LF", "S1\r\n", "old\n", true},
        {"corrupt stamp", "S\x01garbage", "old\n", false},
        {"stamp without cache", "S1", std::nullopt, false},
        {"empty cache", "S1", "", false},
        {"cache without stamp", std::nullopt, "old\n", false},
    };
    for (const auto& c : cases) {
        World world;
        if (c.stamp) world.disk.files[L"C:\\Data\\taskbar_pins.stamp"] = *c.stamp;
        if (c.cache) world.disk.files[L"C:\\Data\\taskbar_pins.cache"] = *c.cache;
        EXPECT_EQ(world.run(RunMode::List), 0) << c.what;
        EXPECT_EQ(world.out, c.served ? "old\n" : kListed) << c.what;
        EXPECT_EQ(world.enumerations, c.served ? 0 : 1) << c.what;
    }
}

TEST(ListerRun, StoredFilesOverTheirLimitsAreEnumeratedAndStoredAnew) {
    const struct {
        const char* what;
        std::string stamp;
        std::string cache;
    } cases[] = {
        {"huge cache", "S1", std::string(kMaxCacheBytes + 1, '\0')},
        {"huge stamp", "S1" + std::string(kMaxStampBytes, '\n'), "old\n"},
    };
    for (const auto& c : cases) {
        World world;
        world.disk.files = {{L"C:\\Data\\taskbar_pins.stamp", c.stamp},
                            {L"C:\\Data\\taskbar_pins.cache", c.cache}};
        EXPECT_EQ(world.run(RunMode::List), 0) << c.what;
        // Compared, not printed: a failure would show megabytes.
        EXPECT_TRUE(world.out == kListed) << c.what << ": printed " << world.out.size() << " bytes";
        EXPECT_EQ(world.enumerations, 1) << c.what;
        EXPECT_TRUE(world.file(L"taskbar_pins.cache") == kListed) << c.what;
        EXPECT_EQ(world.file(L"taskbar_pins.stamp"), "S1") << c.what;
    }
}

TEST(ListerRun, StoresOnlyWhileHoldingTheSharedLock) {
    World world;
    world.disk.files[L"C:\\Data\\taskbar_pins.cache.17.tmp"] = "left by a crash";
    world.run(RunMode::List);
    EXPECT_GT(world.storeStepsInsideTheLock, 0);
    EXPECT_EQ(world.disk.operations, world.storeStepsInsideTheLock)
        << "every write, rename and removal happened inside the lock";
    EXPECT_EQ(world.disk.files.size(), 2u);

    World busy;
    busy.lockAvailable = false;
    busy.disk.files = {{L"C:\\Data\\taskbar_pins.cache", "old\n"},
                       {L"C:\\Data\\taskbar_pins.stamp", "S0"}};
    EXPECT_EQ(busy.run(RunMode::List), 0);
    EXPECT_EQ(busy.out, kListed) << "printed all the same";
    EXPECT_EQ(busy.disk.operations, 0) << "the files are left to the lock's holder";
}

TEST(ListerRun, AnEmptyEnumerationPrintsNothingAndKeepsTheStoredFiles) {
    World world;
    world.disk.files = {{L"C:\\Data\\taskbar_pins.cache", "old\n"},
                        {L"C:\\Data\\taskbar_pins.stamp", "S0"}};
    world.pins.clear();
    EXPECT_EQ(world.run(RunMode::List), 0);
    EXPECT_EQ(world.out, "");
    EXPECT_EQ(world.file(L"taskbar_pins.cache"), "old\n");
    EXPECT_EQ(world.file(L"taskbar_pins.stamp"), "S0");
}

TEST(ListerRun, WithoutADataFolderEveryRunEnumeratesAndNothingIsStored) {
    World world;
    world.dataFolderKnown = false;
    world.run(RunMode::List);
    world.run(RunMode::List);
    EXPECT_EQ(world.out, kListed);
    EXPECT_EQ(world.enumerations, 2);
    EXPECT_EQ(world.stampReads, 0);
    EXPECT_TRUE(world.disk.files.empty());
}

TEST(ListerRun, AFailedOrInterruptedCacheWriteNeverServesAPartialList) {
    for (const MemoryFiles::Fault fault : {MemoryFiles::Fault::Fail, MemoryFiles::Fault::Die}) {
        World world;
        world.run(RunMode::List);  // a good pair on disk
        world.stamp = "S2";
        world.pins.push_back("C|C:\\c.exe|C:\\c.exe");
        world.disk.fault = fault;
        world.disk.faultPathPart = L"taskbar_pins.cache";
        try {
            EXPECT_EQ(world.run(RunMode::List), 0);
        } catch (const ProcessDied&) {
        }

        world.disk.fault = MemoryFiles::Fault::None;
        world.run(RunMode::List);
        EXPECT_EQ(world.out, kListed + "C|C:\\c.exe|C:\\c.exe\n") << "enumerated again, whole";
        EXPECT_EQ(world.enumerations, 3);
    }
}

TEST(ListerRun, APinChangeDuringTheEnumerationIsCaughtByTheNextRun) {
    World world;
    world.duringEnumeration = [&world] {
        world.stamp = "S2";  // pinned while the list was being read
        world.duringEnumeration = nullptr;
    };
    world.run(RunMode::List);
    EXPECT_EQ(world.file(L"taskbar_pins.stamp"), "S1") << "the stamp the list was read under";
    world.pins.push_back("C|C:\\c.exe|C:\\c.exe");
    world.run(RunMode::List);
    EXPECT_EQ(world.enumerations, 2);
    EXPECT_EQ(world.out, kListed + "C|C:\\c.exe|C:\\c.exe\n");
}

TEST(ListerRun, ALineIsFollowedByItsLfOnlyWhenWrittenWhole) {
    World world;
    world.pins = {"one", "two", "three"};
    world.failingWrite = 3;  // "two"
    EXPECT_EQ(world.run(RunMode::List), 0);
    EXPECT_EQ(world.out, "one\nthree\n");
    EXPECT_EQ(world.file(L"taskbar_pins.cache"), "one\ntwo\nthree\n") << "the list is stored whole";
}

TEST(ListerRun, WithoutStandardOutputTheListIsStillStored) {
    World world;
    world.hasOutput = false;
    EXPECT_EQ(world.run(RunMode::List), 0);
    EXPECT_EQ(world.file(L"taskbar_pins.cache"), kListed);
}

TEST(ListerRun, StampModePrintsTheStampAloneAndReportsWhetherItWasWritten) {
    const struct {
        const char* what;
        std::string stamp;
        bool hasOutput;
        int failingWrite;
        int exitCode;
        const char* out;
    } cases[] = {
        {"written", "S1", true, 0, 0, "S1\n"},         {"empty stamp", "", true, 0, 1, ""},
        {"no standard output", "S1", false, 0, 1, ""}, {"LF not written", "S1", true, 2, 1, "S1"},
        {"stamp not written", "S1", true, 1, 1, ""},
    };
    for (const auto& c : cases) {
        World world;
        world.stamp = c.stamp;
        world.hasOutput = c.hasOutput;
        world.failingWrite = c.failingWrite;
        EXPECT_EQ(world.run(RunMode::StampOnly), c.exitCode) << c.what;
        EXPECT_EQ(world.out, c.out) << c.what;
        EXPECT_EQ(world.enumerations, 0) << c.what;
        EXPECT_TRUE(world.disk.files.empty()) << c.what;
    }
}

}  // namespace
}  // namespace lumetra::pinlister
