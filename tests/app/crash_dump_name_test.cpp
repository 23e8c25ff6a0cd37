#include "app/crash_dump_name.h"

#include <gtest/gtest.h>

#include <string>

namespace lumetra::app {
namespace {

TEST(CrashDumpFolder, TheDataFolderWithoutItsFinalSeparator) {
    EXPECT_EQ(CrashDumpFolderFromRoot(L"C:\\Users\\ana\\AppData\\Roaming\\"),
              L"C:\\Users\\ana\\AppData\\Roaming\\veltor\\Lumetra");
}

TEST(CrashDumpPath, FixedWidthFieldsSortByTime) {
    struct Case {
        CrashTime time;
        const wchar_t* name;
    };
    const Case cases[] = {
        {{2026, 1, 5, 3, 4, 9}, L"crash-20260105-030409.dmp"},
        {{2025, 12, 31, 23, 59, 59}, L"crash-20251231-235959.dmp"},
        {{999, 10, 10, 0, 0, 0}, L"crash-09991010-000000.dmp"},
    };
    for (const Case& c : cases) {
        wchar_t path[kCrashPathUnits];
        ASSERT_TRUE(FormatCrashDumpPath(path, kCrashPathUnits, L"D:\\data", c.time));
        EXPECT_EQ(std::wstring(path), std::wstring(L"D:\\data\\") + c.name);
    }
}

TEST(CrashDumpPath, APathThatDoesNotFitGivesNoNameAtAll) {
    const std::wstring name = L"\\crash-20260105-030409.dmp";
    const CrashTime time{2026, 1, 5, 3, 4, 9};
    // Exactly the buffer, terminator included, still fits.
    const std::wstring fits(kCrashPathUnits - 1 - name.size(), L'f');
    wchar_t path[kCrashPathUnits];
    ASSERT_TRUE(FormatCrashDumpPath(path, kCrashPathUnits, fits.c_str(), time));
    EXPECT_EQ(std::wstring(path), fits + name);

    // One more unit would cut ".dmp" off; a cut name must never become a file.
    const std::wstring tooLong = fits + L'f';
    EXPECT_FALSE(FormatCrashDumpPath(path, kCrashPathUnits, tooLong.c_str(), time));
    EXPECT_EQ(path[0], L'\0');
}

}  // namespace
}  // namespace lumetra::app
