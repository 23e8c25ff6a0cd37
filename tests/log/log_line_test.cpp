#include "log/log_line.h"

#include <gtest/gtest.h>

#include <string>

namespace lumetra::log {
namespace {

constexpr LogTime kTime{2026, 3, 7, 9, 5, 2, 45};

TEST(LogLine, ExactFormatEndsWithCrLf) {
    wchar_t line[kLogLineUnits];
    const std::size_t n = FormatLogLine(line, kTime, 1234, L"LoadConfig: ok");
    EXPECT_EQ(std::wstring(line, n), L"[2026-03-07 09:05:02.045][tid:1234] LoadConfig: ok\r\n");
    EXPECT_EQ(line[n], L'\0');
}

TEST(LogLine, OverlongTextIsCutButTheLineStillEnds) {
    wchar_t line[kLogLineUnits];
    const std::wstring text(600, L'a');
    const std::size_t n = FormatLogLine(line, kTime, 1, text.c_str());
    EXPECT_EQ(n, kLogLineUnits - 1);
    EXPECT_EQ(line[n - 2], L'\r');
    EXPECT_EQ(line[n - 1], L'\n');
    EXPECT_EQ(line[n - 3], L'a');
}

TEST(LogLine, NullTextGivesAnEmptyMessage) {
    wchar_t line[kLogLineUnits];
    const std::size_t n = FormatLogLine(line, kTime, 7, nullptr);
    EXPECT_EQ(std::wstring(line, n), L"[2026-03-07 09:05:02.045][tid:7] \r\n");
}

TEST(LogRotationPolicy, StrictlyAboveHalfAMebibyte) {
    EXPECT_FALSE(LogNeedsRotation(0));
    EXPECT_FALSE(LogNeedsRotation(524288));
    EXPECT_TRUE(LogNeedsRotation(524289));
}

TEST(LogRotationPolicy, SizeCheckPrecedesEvery32ndLine) {
    std::uint32_t counter = 0;
    for (int line = 1; line <= 100; ++line)
        EXPECT_EQ(CountLogLine(counter), line % 32 == 0) << "line " << line;
}

}  // namespace
}  // namespace lumetra::log
