#include "pinlister/pin_line.h"

#include <gtest/gtest.h>

namespace lumetra::pinlister {
namespace {

TEST(CleanField, ReplacesLineBreaksAndBarsThenTrimsBlanks) {
    const struct {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"Notepad", L"Notepad"},
        {L"A|B", L"A B"},
        {L"two\r\nlines", L"two  lines"},
        {L"  \t padded \t ", L"padded"},
        {L"|edge|", L"edge"},        // bars at the ends become blanks and go
        {L"\r\n\t|", L""},           // nothing but blanks and breaks
        {L"a\x00A0b", L"a\x00A0b"},  // no-break space is not a blank
        {L"\vvt\f", L"\vvt\f"},      // nor are other control characters
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(CleanField(c.in), c.out) << testing::PrintToString(c.in);
}

TEST(CaseRule, FoldsAsciiLettersOnly) {
    EXPECT_EQ(LowerCase(L"C:\\Program Files\\APP.EXE"), L"c:\\program files\\app.exe");
    EXPECT_EQ(LowerCase(L"\x00C4\x0416"), L"\x00C4\x0416") << "the same on every platform";
    EXPECT_TRUE(EqualsIgnoringCase(L"C:\\Tools\\X.exe", L"c:\\tools\\x.EXE"));
    EXPECT_FALSE(EqualsIgnoringCase(L"abc", L"abcd"));
    EXPECT_FALSE(EqualsIgnoringCase(L"[", L"{")) << "0x5B and 0x7B differ by 32 but are no letters";
}

TEST(EmitPinnedLine, WritesThreeCleanFieldsInUtf8) {
    PinnedLines out;
    ASSERT_TRUE(EmitPinnedLine(out, L" Caf\x00E9 | Bar\n", L"C:\\Apps\\caf\x00E9.exe",
                               L"C:\\Pins\\Caf\x00E9.lnk"));
    ASSERT_TRUE(EmitPinnedLine(out, L"Emoji \xD83D\xDE00", L"C:\\e.exe", L""));
    EXPECT_EQ(out.lines,
              (std::vector<std::string>{
                  "Caf\xC3\xA9   Bar|C:\\Apps\\caf\xC3\xA9.exe|C:\\Pins\\Caf\xC3\xA9.lnk",
                  "Emoji \xF0\x9F\x98\x80|C:\\e.exe|C:\\e.exe"}));
    EXPECT_EQ(out.seenTargets,
              (std::vector<std::wstring>{L"c:\\apps\\caf\x00E9.exe", L"c:\\e.exe"}));
}

TEST(EmitPinnedLine, DropsEmptyFieldsAndRepeatedTargets) {
    PinnedLines out;
    const struct {
        const wchar_t* name;
        const wchar_t* target;
        const wchar_t* shortcut;
        bool kept;
    } items[] = {
        {L"Tool", L"C:\\Tools\\Tool.exe", L"", true},
        {L"Tool again", L"c:\\TOOLS\\tool.EXE", L"", false},      // same target in other case
        {L"Tool spaced", L"  C:\\Tools\\Tool.exe ", L"", false},  // same once cleaned
        {L" | ", L"C:\\Other.exe", L"", false},                   // name cleans to nothing
        {L"Other", L"\r\n", L"", false},                          // target cleans to nothing
        {L"Other", L"C:\\Other.exe", L" \t", true},               // blank shortcut stays blank
    };
    for (const auto& item : items)
        EXPECT_EQ(EmitPinnedLine(out, item.name, item.target, item.shortcut), item.kept)
            << testing::PrintToString(item.name);
    EXPECT_EQ(out.lines, (std::vector<std::string>{"Tool|C:\\Tools\\Tool.exe|C:\\Tools\\Tool.exe",
                                                   "Other|C:\\Other.exe|"}));
    out.clear();
    EXPECT_TRUE(EmitPinnedLine(out, L"Tool", L"C:\\Tools\\Tool.exe", L""))
        << "cleared lists forget";
}

}  // namespace
}  // namespace lumetra::pinlister
