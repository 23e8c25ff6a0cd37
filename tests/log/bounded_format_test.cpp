#include "log/bounded_format.h"

#include <gtest/gtest.h>

#include <string>

namespace lumetra::log {
namespace {

std::wstring Format(const wchar_t* format, auto... args) {
    wchar_t buffer[256];
    EXPECT_EQ(FormatToBuffer(buffer, 256, format, args...), kFormatOk);
    return buffer;
}

TEST(BoundedFormat, ConversionsMatchPrintf) {
    EXPECT_EQ(Format(L"%d|%i|%u", -42, 7, 4000000000u), L"-42|7|4000000000");
    EXPECT_EQ(Format(L"%ld %lu", -5L, 5UL), L"-5 5");
    EXPECT_EQ(Format(L"%lld %llu", -9223372036854775807LL - 1, 18446744073709551615ULL),
              L"-9223372036854775808 18446744073709551615");
    EXPECT_EQ(Format(L"%zu", std::size_t{123}), L"123");
    EXPECT_EQ(Format(L"%x %X %#x %o", 255u, 255u, 255u, 8u), L"ff FF 0xff 10");
    EXPECT_EQ(Format(L"%04u-%02u-%02u", 2026u, 3u, 7u), L"2026-03-07");
    EXPECT_EQ(Format(L"%03u", 5u), L"005");
    EXPECT_EQ(Format(L"[%5d][%-5d][%+d][% d]", 42, 42, 42, 42), L"[   42][42   ][+42][ 42]");
    EXPECT_EQ(Format(L"[%05d] [%.3d] [%.0d]", -42, 7, 0), L"[-0042] [007] []");
    EXPECT_EQ(Format(L"[%*d] [%-*d]", 4, 1, 4, 1), L"[   1] [1   ]");
    EXPECT_EQ(Format(L"%ls and %s", L"wide", L"also wide"), L"wide and also wide");
    EXPECT_EQ(Format(L"%hs", "narrow"), L"narrow");
    EXPECT_EQ(Format(L"[%6ls][%-6ls][%.2ls]", L"ab", L"ab", L"abc"), L"[    ab][ab    ][ab]");
    EXPECT_EQ(Format(L"%ls", static_cast<const wchar_t*>(nullptr)), L"(null)");
    EXPECT_EQ(Format(L"%c%lc", L'x', L'\x3042'), L"x\x3042");
    EXPECT_EQ(Format(L"100%% %q"), L"100% %q");
    EXPECT_EQ(Format(L"trailing %"), L"trailing %");
}

TEST(BoundedFormat, NonAsciiTextPassesThroughUnchanged) {
    EXPECT_EQ(Format(L"%ls", L"\x30C7\x30B9\x30AF\x30C8\x30C3\x30D7 \x00E9"),
              L"\x30C7\x30B9\x30AF\x30C8\x30C3\x30D7 \x00E9");
}

TEST(FormatToBufferContract, CapacityLimitsAndResultCodes) {
    wchar_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    EXPECT_EQ(FormatToBuffer(buffer, 0, L"abc"), kFormatInvalidArg);
    EXPECT_EQ(buffer[0], L'#') << "capacity 0 leaves the buffer alone";

    EXPECT_EQ(FormatToBuffer(buffer, kFormatMaxCapacity + 1, L"abc"), kFormatInvalidArg);
    EXPECT_EQ(buffer[0], L'\0') << "an oversized capacity empties the buffer";

    EXPECT_EQ(FormatToBuffer(buffer, 4, L"abc"), kFormatOk);
    EXPECT_EQ(std::wstring(buffer), L"abc");

    std::fill(std::begin(buffer), std::end(buffer), L'#');
    EXPECT_EQ(FormatToBuffer(buffer, 4, L"abcd"), kFormatInsufficientBuffer);
    EXPECT_EQ(std::wstring(buffer), L"abc") << "cut at capacity-1 and terminated";
    EXPECT_EQ(buffer[4], L'#') << "nothing written past the capacity";

    EXPECT_EQ(FormatToBuffer(buffer, 1, L"x%d", 5), kFormatInsufficientBuffer);
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_EQ(kFormatInvalidArg, static_cast<std::int32_t>(0x80070057u));
    EXPECT_EQ(kFormatInsufficientBuffer, static_cast<std::int32_t>(0x8007007Au));
}

TEST(FormatToBufferSecureContract, AllOrNothing) {
    wchar_t buffer[6];
    EXPECT_EQ(FormatToBufferSecure(buffer, 6, L"%d", 12345), 5);
    EXPECT_EQ(std::wstring(buffer), L"12345");
    EXPECT_EQ(FormatToBufferSecure(buffer, 6, L"%d", 123456), -1);
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_EQ(FormatToBufferSecure(buffer, 0, L"x"), -1);
    EXPECT_EQ(FormatToBufferSecure(nullptr, 6, L"x"), -1);
}

TEST(FormatToBufferTruncatingContract, CountAndTruncateRules) {
    wchar_t buffer[kTruncatingBufferUnits];
    EXPECT_EQ(FormatToBufferTruncating(buffer, kTruncate, L"v%d.%d", 1, 2), 4);
    EXPECT_EQ(std::wstring(buffer), L"v1.2");

    EXPECT_EQ(FormatToBufferTruncating(buffer, 3, L"abcdef"), -1);
    EXPECT_EQ(std::wstring(buffer), L"abc") << "cut to the count";

    const std::wstring longText(200, L'x');
    EXPECT_EQ(FormatToBufferTruncating(buffer, kTruncate, L"%ls", longText.c_str()), -1);
    EXPECT_EQ(std::wstring(buffer), std::wstring(95, L'x')) << "cut to what fits";

    EXPECT_EQ(FormatToBufferTruncating(buffer, 500, L"%ls", longText.c_str()), -1);
    EXPECT_EQ(buffer[0], L'\0') << "a count beyond the buffer does not excuse an overflow";

    EXPECT_EQ(FormatToBufferTruncating(buffer, 500, L"short"), 5);
    EXPECT_EQ(std::wstring(buffer), L"short");
}

}  // namespace
}  // namespace lumetra::log
