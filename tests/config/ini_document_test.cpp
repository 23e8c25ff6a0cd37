#include "config/ini_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::config {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Utf8(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Utf16Le(const std::wstring& s, bool bom) {
    Bytes out;
    if (bom) out = {0xFF, 0xFE};
    for (wchar_t c : s) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
    }
    return out;
}

IniDocument Parsed(const std::wstring& text) {
    IniDocument doc(L"unused");
    doc.parseText(text);
    return doc;
}

TEST(IniDecoding, EveryEncodingRuleLoads) {
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"UTF-16LE with BOM", Utf16Le(L"[Window]\r\nTitle=caf\x00E9", true)},
        {"UTF-16LE starting with [", Utf16Le(L"[Window]\r\nTitle=caf\x00E9", false)},
        {"UTF-8 with BOM", Utf8("\xEF\xBB\xBF[Window]\r\nTitle=caf\xC3\xA9")},
        {"UTF-8 without BOM", Utf8("[Window]\nTitle=caf\xC3\xA9")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument doc(L"x");
        ASSERT_TRUE(doc.loadFromBytes(c.bytes.data(), c.bytes.size()));
        EXPECT_EQ(doc.get(L"Window", L"Title", nullptr), L"caf\x00E9");
    }
}

TEST(IniDecoding, InvalidUtf8FallsBackToReplacementCharacters) {
    const Bytes latin1 = Utf8("[Window]\r\nTitle=caf\xE9\r\nX=5");
    IniDocument doc(L"x");
    ASSERT_TRUE(doc.loadFromBytes(latin1.data(), latin1.size()));
    EXPECT_EQ(doc.get(L"Window", L"Title", nullptr), L"caf\xFFFD");
    EXPECT_EQ(doc.get(L"Window", L"X", nullptr), L"5");
}

TEST(IniDecoding, OddUtf16TailIsIgnoredAndBigEndianIsNotRecognised) {
    Bytes odd = Utf16Le(L"[A]\nk=v", true);
    odd.push_back(0x41);
    EXPECT_EQ(DecodeIniBytes(odd.data(), odd.size()), L"[A]\nk=v");
    const Bytes bigEndian = {0xFE, 0xFF, 0x00, '[', 0x00, 'A', 0x00, ']'};
    EXPECT_NE(DecodeIniBytes(bigEndian.data(), bigEndian.size()).substr(0, 3), L"[A]");
}

TEST(IniDecoding, SizeLimitsAndEmptyText) {
    IniDocument doc(L"x");
    EXPECT_FALSE(doc.loadFromBytes(nullptr, 0)) << "an empty file is a failure";
    const Bytes justBom = Utf8("\xEF\xBB\xBF");
    EXPECT_FALSE(doc.loadFromBytes(justBom.data(), justBom.size())) << "decodes to nothing";

    Bytes big = Utf8("[S]\r\nk=");
    big.resize(kIniMaxFileBytes, 'v');
    EXPECT_TRUE(doc.loadFromBytes(big.data(), big.size())) << "512 KiB exactly is accepted";
    EXPECT_EQ(doc.get(L"S", L"k", nullptr).size(), kIniMaxFileBytes - 7);
    big.push_back('v');
    EXPECT_FALSE(doc.loadFromBytes(big.data(), big.size())) << "one byte more is refused";
    EXPECT_TRUE(doc.sectionNames().empty()) << "a failed load leaves nothing behind";
}

TEST(IniParsing, LineRules) {
    const IniDocument doc = Parsed(
        L"orphan=dropped\r\n"
        L"[Window]\r\n"
        L"  X = 5  \r\n"
        L"Y==5\n"
        L"=5\r"
        L"\tZ\t=\ta ; not a comment \"quoted\"\r\n"
        L"; comment=1\r\n"
        L"# hash=starts an ordinary line\r\n"
        L"no equals sign\r\n"
        L"[]\r\n"
        L"x=lower\r\n"
        L"[ Spaced ]\r\n"
        L"k=v\r\n"
        L"[Window]\r\n"
        L"X=6\r\n"
        L"W=7");
    EXPECT_EQ(doc.sectionNames(), (std::vector<std::wstring>{L"Window", L" Spaced "}));
    EXPECT_EQ(doc.keyNames(L"Window"),
              (std::vector<std::wstring>{L"X", L"Y", L"Z", L"# hash", L"x", L"W"}));
    EXPECT_EQ(doc.get(L"Window", L"X", nullptr), L"6")
        << "repeated key: first position, last value";
    EXPECT_EQ(doc.get(L"Window", L"Y", nullptr), L"=5");
    EXPECT_EQ(doc.get(L"Window", L"Z", nullptr), L"a ; not a comment \"quoted\"");
    EXPECT_EQ(doc.get(L"Window", L"x", nullptr), L"lower") << "names are case-sensitive";
    EXPECT_EQ(doc.get(L" Spaced ", L"k", nullptr), L"v");
    EXPECT_EQ(doc.get(L"window", L"X", L"dflt"), L"dflt");
}

TEST(IniParsing, OnlySpacesAndTabsAreBlank) {
    const IniDocument doc = Parsed(L"[S]\r\n\x3000k\x3000=\vv\v");
    EXPECT_EQ(doc.keyNames(L"S"), (std::vector<std::wstring>{L"\x3000k\x3000"}));
    EXPECT_EQ(doc.get(L"S", L"\x3000k\x3000", nullptr), L"\vv\v");
}

TEST(IniParsing, NulEndsTheLineContent) {
    using namespace std::string_literals;
    const IniDocument doc = Parsed(L"[S]\r\nk=ab \0cd\r\nj\0=x\r\n[T\0]\r\nm=1"s);
    EXPECT_EQ(doc.get(L"S", L"k", nullptr), L"ab") << "cut at the NUL, then trimmed";
    EXPECT_EQ(doc.keyNames(L"S"), (std::vector<std::wstring>{L"k", L"m"}))
        << "a line cut before its '=' is no entry, a header cut before ']' no section";
    EXPECT_EQ(doc.sectionNames(), (std::vector<std::wstring>{L"S"}));
}

TEST(IniParsing, ACutValueReadsBackTheSame) {
    EXPECT_EQ(CutValue(L"abc def", 4), L"abc");
    EXPECT_EQ(CutValue(L"abc\t\t", 5), L"abc");
    EXPECT_EQ(CutValue(L" \t ", 3), L"");
    EXPECT_EQ(CutValue(L" abc", 10), L" abc");  // only the end is trimmed by the reader
    EXPECT_EQ(CutValue(L"abc", 0), L"");
    IniDocument doc(L"config.ini");
    doc.set(L"S", L"k", CutValue(L"value  cut", 7).c_str());
    IniDocument again(L"config.ini");
    again.parseText(doc.serializeText());
    EXPECT_EQ(again.get(L"S", L"k", L"-"), doc.get(L"S", L"k", L"-"));
}

TEST(IniAccess, GetSetAndNullArguments) {
    IniDocument doc(L"x");
    EXPECT_EQ(doc.get(L"A", L"k", L"d"), L"d");
    EXPECT_EQ(doc.get(L"A", L"k", nullptr), L"");
    doc.set(L"A", L"k", L"1");
    doc.set(nullptr, L"k", L"1");
    doc.set(L"A", nullptr, L"1");
    doc.set(L"A", L"j", nullptr);
    doc.set(L"A", L"empty", L"");
    EXPECT_EQ(doc.get(L"A", L"k", L"d"), L"1");
    EXPECT_EQ(doc.get(nullptr, L"k", L"d"), L"d");
    EXPECT_EQ(doc.get(L"A", nullptr, L"d"), L"d");
    EXPECT_EQ(doc.get(L"A", L"empty", L"d"), L"") << "the empty string is a value";
    EXPECT_EQ(doc.keyNames(L"A"), (std::vector<std::wstring>{L"k", L"empty"}));
    doc.ensureSection(L"Hotkey");
    doc.ensureSection(L"A");
    EXPECT_EQ(doc.sectionNames(), (std::vector<std::wstring>{L"A", L"Hotkey"}));
}

TEST(IniSerialize, NormalFormByteForByte) {
    const IniDocument doc = Parsed(L"[A]\r\nk=1\r\n\r\n; comment\r\n[B]");
    EXPECT_EQ(doc.serializeText(), L"[A]\r\nk=1\r\n[B]");
    EXPECT_EQ(doc.serializeFileBytes(), "\xEF\xBB\xBF[A]\r\nk=1\r\n[B]");

    IniDocument built(L"x");
    built.set(L"General", L"DebugLog", L"0");
    built.set(L"Window", L"X", L"100");
    built.set(L"General", L"Name", L"caf\x00E9");
    EXPECT_EQ(built.serializeFileBytes(),
              "\xEF\xBB\xBF[General]\r\nDebugLog=0\r\nName=caf\xC3\xA9\r\n[Window]\r\nX=100");
}

TEST(IniSerialize, DocumentWithoutSectionsHasNoBytes) {
    EXPECT_EQ(Parsed(L"k=v\r\n; nothing").serializeFileBytes(), "");
}

TEST(IniSerialize, SavedBytesLoadBackToTheSameDocument) {
    const IniDocument doc = Parsed(
        L"[General]\nDebugLog=1\n[Window]\nX=-5\nTitle=\x30C7\x30B9\x30AF \xD83D\xDE00\n[Empty]");
    const std::string bytes = doc.serializeFileBytes();
    IniDocument again(L"x");
    ASSERT_TRUE(
        again.loadFromBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    EXPECT_EQ(again.serializeText(), doc.serializeText());
    EXPECT_EQ(again.sectionNames(), doc.sectionNames());
}

}  // namespace
}  // namespace lumetra::config

namespace lumetra::config {
namespace {

TEST(IniLookup, FindTellsAnEmptyValueFromAMissingKey) {
    IniDocument doc(L"x");
    doc.parseText(L"[UI]\r\nEmpty=\r\nSet=1");
    ASSERT_NE(doc.find(L"UI", L"Empty"), nullptr);
    EXPECT_EQ(*doc.find(L"UI", L"Empty"), L"");
    EXPECT_EQ(*doc.find(L"UI", L"Set"), L"1");
    EXPECT_EQ(doc.find(L"UI", L"Missing"), nullptr);
    EXPECT_EQ(doc.find(L"ui", L"Set"), nullptr);
    EXPECT_EQ(doc.find(nullptr, L"Set"), nullptr);
    EXPECT_EQ(doc.find(L"UI", nullptr), nullptr);
}

}  // namespace
}  // namespace lumetra::config
