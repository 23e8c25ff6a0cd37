#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct DecodeCase {
    const char* name;
    Bytes input;
    bool strictOk;
    std::wstring lenient;
};

std::wstring Units(std::initializer_list<unsigned> units) {
    std::wstring s;
    for (unsigned u : units) s.push_back(static_cast<wchar_t>(u));
    return s;
}

const std::vector<DecodeCase>& DecodeCases() {
    static const std::vector<DecodeCase> cases = {
        {"ascii", {'a', 'b', '='}, true, L"ab="},
        {"embedded nul", {'a', 0, 'b'}, true, Units({'a', 0, 'b'})},
        {"two-byte", {0xC3, 0xA9}, true, Units({0xE9})},
        {"three-byte", {0xE3, 0x81, 0x82}, true, Units({0x3042})},
        {"four-byte becomes a surrogate pair",
         {0xF0, 0x9F, 0x98, 0x80},
         true,
         Units({0xD83D, 0xDE00})},
        {"highest code point", {0xF4, 0x8F, 0xBF, 0xBF}, true, Units({0xDBFF, 0xDFFF})},
        {"lone continuation", {'a', 0x80, 'b'}, false, Units({'a', 0xFFFD, 'b'})},
        {"latin-1 byte", {'c', 'a', 'f', 0xE9}, false, Units({'c', 'a', 'f', 0xFFFD})},
        {"overlong slash", {0xC0, 0xAF}, false, Units({0xFFFD, 0xFFFD})},
        {"overlong three-byte", {0xE0, 0x80, 0xAF}, false, Units({0xFFFD, 0xFFFD})},
        {"encoded surrogate", {0xED, 0xA0, 0x80}, false, Units({0xFFFD, 0xFFFD})},
        {"above U+10FFFF", {0xF4, 0x90, 0x80, 0x80}, false, Units({0xFFFD, 0xFFFD, 0xFFFD})},
        {"overlong four-byte", {0xF0, 0x80, 0x80, 0x80}, false, Units({0xFFFD, 0xFFFD, 0xFFFD})},
        {"F5 lead", {0xF5, 'x'}, false, Units({0xFFFD, 'x'})},
        {"truncated three-byte then ascii", {0xE3, 0x81, 'x'}, false, Units({0xFFFD, 'x'})},
        {"truncated four-byte at end", {'x', 0xF0, 0x9F, 0x98}, false, Units({'x', 0xFFFD})},
        {"cut-off lead swallows the rest", {0xE3, 'x'}, false, Units({0xFFFD})},
        {"lead followed by lead", {0xC3, 0xC3, 0xA9}, false, Units({0xFFFD, 0xE9})},
        {"FF byte", {0xFF}, false, Units({0xFFFD})},
    };
    return cases;
}

TEST(Utf8Decode, StrictAcceptsOnlyWellFormedInputAndLenientReplacesLikeTheSystem) {
    for (const DecodeCase& c : DecodeCases()) {
        SCOPED_TRACE(c.name);
        std::wstring strict = L"keep";
        EXPECT_EQ(lumetra::platform::DecodeUtf8Strict(c.input.data(), c.input.size(), strict),
                  c.strictOk);
        const std::wstring expected = c.strictOk ? L"keep" + c.lenient : L"keep";
        EXPECT_EQ(strict, expected) << "a failed strict decode leaves the output alone";

        std::wstring lenient;
        lumetra::platform::DecodeUtf8Lenient(c.input.data(), c.input.size(), lenient);
        EXPECT_EQ(lenient, c.lenient);
    }
}

TEST(Utf8Decode, Latin1MapsEveryByteToTheSameUnit) {
    Bytes all(256);
    for (unsigned i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
    std::wstring out;
    lumetra::platform::DecodeLatin1(all.data(), all.size(), out);
    ASSERT_EQ(out.size(), 256u);
    for (unsigned i = 0; i < 256; ++i) EXPECT_EQ(static_cast<unsigned>(out[i]), i);
}

TEST(Utf8Encode, EncodesPairsAndReplacesLoneSurrogates) {
    EXPECT_EQ(lumetra::platform::EncodeUtf8(L"a=1"), "a=1");
    EXPECT_EQ(lumetra::platform::EncodeUtf8(Units({0xE9, 0x3042})), "\xC3\xA9\xE3\x81\x82");
    EXPECT_EQ(lumetra::platform::EncodeUtf8(Units({0xD83D, 0xDE00})), "\xF0\x9F\x98\x80");
    EXPECT_EQ(lumetra::platform::EncodeUtf8(Units({0xD83D, 'x'})), "\xEF\xBF\xBDx");
    EXPECT_EQ(lumetra::platform::EncodeUtf8(Units({'x', 0xDE00})), "x\xEF\xBF\xBD");
    EXPECT_EQ(lumetra::platform::EncodeUtf8(Units({0xD83D})), "\xEF\xBF\xBD");
}

TEST(Utf8RoundTrip, EveryBmpUnitOutsideSurrogatesSurvives) {
    std::wstring all;
    for (unsigned u = 1; u < 0x10000; ++u)
        if (u < 0xD800 || u > 0xDFFF) all.push_back(static_cast<wchar_t>(u));
    const std::string bytes = lumetra::platform::EncodeUtf8(all);
    std::wstring back;
    ASSERT_TRUE(lumetra::platform::DecodeUtf8Strict(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), back));
    EXPECT_EQ(back, all);
}

}  // namespace
