// The debug log on real files (run under Wine).
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "../support/temp_dir_win.h"
#include "log/debug_log.h"
#include "log/debug_log_win.h"

namespace lumetra::log {
namespace {

using testing_support::Exists;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

std::wstring AsText(const std::vector<unsigned char>& bytes) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8)));
    return text;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the file ends with a complete line";
    return lines;
}

class DebugLogFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        logPath = dir.file(L"sub\\toggle-debug.log");
        DebugLogSetPath(logPath.c_str());
        DebugLogResetForTests();
        DebugLogSetEnabled(true);
    }
    void TearDown() override {
        DebugLogResetForTests();
        DebugLogSetEnabled(false);
    }
    TempDir dir;
    std::wstring logPath;
};

TEST_F(DebugLogFiles, DisabledLogCreatesNoFileButSetPathCreatesTheFolder) {
    DebugLogSetEnabled(false);
    DebugLogWrite(L"not written");
    EXPECT_FALSE(Exists(logPath));
    EXPECT_TRUE(Exists(dir.file(L"sub")));
}

TEST_F(DebugLogFiles, LinesAreUtf16LeWithoutBomAndEndWithCrLf) {
    DebugLogWrite(L"first line");
    DebugLogWrite(L"caf\x00E9 \x30C7\x30B9\x30AF");
    const auto bytes = ReadBytes(logPath);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0x5B);
    EXPECT_EQ(bytes[1], 0x00);
    const auto lines = Lines(AsText(bytes));
    ASSERT_EQ(lines.size(), 2u);
    const std::wstring tid = L"][tid:" + std::to_wstring(GetCurrentThreadId()) + L"] ";
    EXPECT_EQ(lines[0].size(), 24u + tid.size() + 10u);
    EXPECT_EQ(lines[0].substr(24), tid + L"first line");
    EXPECT_EQ(lines[1].substr(24 + tid.size()), L"caf\x00E9 \x30C7\x30B9\x30AF");
    EXPECT_EQ(lines[0][5], L'-');
    EXPECT_EQ(lines[0][20], L'.');
}

TEST_F(DebugLogFiles, OverlongTextIsCutAndTheNextLineStartsFresh) {
    const std::wstring text(600, L'x');
    DebugLogWrite(text.c_str());
    DebugLogWrite(L"after");
    const auto lines = Lines(AsText(ReadBytes(logPath)));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 509u);
    EXPECT_EQ(lines[1].substr(lines[1].size() - 6), L" after");
}

TEST_F(DebugLogFiles, RotatesOnlyAboveHalfAMebibyteAndReplacesTheOldGeneration) {
    const std::wstring oldPath = logPath + L".old";
    std::vector<unsigned char> exact(524288, 'a');
    ASSERT_TRUE(WriteBytes(logPath, exact.data(), exact.size()));
    DebugLogRotateIfLarge();
    EXPECT_EQ(ReadBytes(logPath).size(), 524288u) << "exactly 512 KiB is kept";
    EXPECT_FALSE(Exists(oldPath));

    const char stale[] = "stale";
    ASSERT_TRUE(WriteBytes(oldPath, stale, 5));
    exact.push_back('b');
    ASSERT_TRUE(WriteBytes(logPath, exact.data(), exact.size()));
    DebugLogRotateIfLarge();
    EXPECT_EQ(ReadBytes(oldPath).size(), 524289u) << "the old generation is replaced";
    EXPECT_FALSE(Exists(logPath));

    DebugLogWrite(L"fresh");
    EXPECT_EQ(Lines(AsText(ReadBytes(logPath))).size(), 1u);
}

TEST_F(DebugLogFiles, SizeIsCheckedBeforeEvery32ndLineOnly) {
    for (int i = 1; i <= 31; ++i) DebugLogWrite(L"line");
    EXPECT_EQ(DebugLogGetCounters().sizeChecks, 0u);
    DebugLogWrite(L"line 32");
    EXPECT_EQ(DebugLogGetCounters().sizeChecks, 1u);
    for (int i = 33; i <= 64; ++i) DebugLogWrite(L"line");
    EXPECT_EQ(DebugLogGetCounters().sizeChecks, 2u);
}

TEST_F(DebugLogFiles, BigLogIsRotatedAtThe32ndLineAndWritingGoesOn) {
    const std::vector<unsigned char> filler(524400, 'z');
    ASSERT_TRUE(WriteBytes(logPath, filler.data(), filler.size()));
    for (int i = 1; i <= 31; ++i) DebugLogWrite(L"appended to the big file");
    EXPECT_FALSE(Exists(logPath + L".old"));
    DebugLogWrite(L"line 32");
    EXPECT_GT(ReadBytes(logPath + L".old").size(), filler.size());
    EXPECT_EQ(Lines(AsText(ReadBytes(logPath))).size(), 1u) << "line 32 starts the new file";
}

TEST_F(DebugLogFiles, OpenFailureTriesTwicePerLineAndNotifiesOnce) {
    // A file where the log's folder should be makes every open fail.
    const std::wstring blocker = dir.file(L"blocked");
    ASSERT_TRUE(WriteBytes(blocker, "x", 1));
    const std::wstring badPath = blocker + L"\\toggle-debug.log";
    DebugLogSetPath(badPath.c_str());
    for (int i = 0; i < 5; ++i) DebugLogWrite(L"lost");
    const DebugLogCounters counters = DebugLogGetCounters();
    EXPECT_EQ(counters.openAttempts, 10u);
    EXPECT_EQ(counters.noticesSent, 1u);
    DebugLogSetPath(logPath.c_str());
}

TEST_F(DebugLogFiles, APathLongerThan260UnitsIsUsedWhole) {
    std::vector<std::wstring> folders;
    std::wstring folder = dir.path();
    while (folder.size() < 320) folders.push_back(folder += L"\\" + std::wstring(40, L'd'));
    const std::wstring longPath = folder + L"\\toggle-debug.log";
    const std::wstring asFile = L"\\\\?\\" + longPath;
    DebugLogSetPath(longPath.c_str());

    DebugLogWrite(L"from far below");
    EXPECT_EQ(Lines(AsText(ReadBytes(asFile))).size(), 1u);
    DebugLogResetForTests();  // closes the file, so that it can be replaced
    const std::vector<unsigned char> filler(524400, 'z');
    ASSERT_TRUE(WriteBytes(asFile, filler.data(), filler.size()));
    DebugLogRotateIfLarge();
    EXPECT_EQ(ReadBytes(asFile + L".old").size(), filler.size());
    DebugLogWrite(L"fresh");
    EXPECT_EQ(Lines(AsText(ReadBytes(asFile))).size(), 1u);

    DebugLogResetForTests();
    DebugLogSetPath(logPath.c_str());
    DeleteFileW(asFile.c_str());
    DeleteFileW((asFile + L".old").c_str());
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        RemoveDirectoryW((L"\\\\?\\" + *it).c_str());
}

TEST_F(DebugLogFiles, ThreadsNeverInterleaveWithinALine) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            const std::wstring text = L"thread " + std::to_wstring(t) + L" " +
                                      std::wstring(100, static_cast<wchar_t>(L'a' + t));
            for (int i = 0; i < 50; ++i) DebugLogWrite(text.c_str());
        });
    for (auto& th : threads) th.join();
    const auto lines = Lines(AsText(ReadBytes(logPath)));
    ASSERT_EQ(lines.size(), 200u);
    for (const auto& line : lines) {
        const std::size_t at = line.find(L"] thread ");
        ASSERT_NE(at, std::wstring::npos);
        const wchar_t fill = static_cast<wchar_t>(L'a' + (line[at + 9] - L'0'));
        EXPECT_EQ(line.substr(at + 11), std::wstring(100, fill));
    }
}

}  // namespace
}  // namespace lumetra::log
