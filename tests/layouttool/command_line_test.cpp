#include "layouttool/command_line.h"

#include <gtest/gtest.h>

namespace lumetra::layouttool {
namespace {

TEST(CommandLine, Switches) {
    struct Case {
        const wchar_t* argument;
        Command expected;
    };
    const Case cases[] = {
        {L"/save", Command::kSave},
        {L"-save", Command::kSave},
        {L"--save", Command::kSave},
        {L"/SAVE", Command::kSave},
        {L"--SaVe", Command::kSave},
        {L"/restore", Command::kRestore},
        {L"-Restore", Command::kRestore},
        {L"--RESTORE", Command::kRestore},
        {L"/toggle", Command::kToggle},
        {L"-TOGGLE", Command::kToggle},
        {L"--toggle", Command::kToggle},
        {L"/undo", Command::kUndo},
        {L"-UNDO", Command::kUndo},
        {L"--UnDo", Command::kUndo},
        {L"undo", Command::kUnknown},
        {L"/undone", Command::kUnknown},
        {L"/und", Command::kUnknown},
        {L"save", Command::kUnknown},      // a bare word has no prefix
        {L"/saveall", Command::kUnknown},  // longer words are not abbreviations
        {L"/sav", Command::kUnknown},
        {L"---save", Command::kUnknown},
        {L"//save", Command::kUnknown},
        {L"-/save", Command::kUnknown},
        {L"/", Command::kUnknown},
        {L"--", Command::kUnknown},
        {L"", Command::kUnknown},
        {L"/ save", Command::kUnknown},
        {L"/save ", Command::kUnknown},
        {L"\\save", Command::kUnknown},
        {L"/s\u00C1ve", Command::kUnknown},  // no folding beyond ASCII
        {L"/\u017Fave", Command::kUnknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseSwitch(c.argument), c.expected)
            << "argument [" << testing::PrintToString(std::wstring(c.argument)) << "]";
    }
}

TEST(CommandLine, OnlyTheFirstArgumentCounts) {
    EXPECT_EQ(ParseCommand({}), Command::kUsage);
    EXPECT_EQ(ParseCommand({L"/toggle", L"/save"}), Command::kToggle);
    EXPECT_EQ(ParseCommand({L"/restore", L"extra", L"words"}), Command::kRestore);
    EXPECT_EQ(ParseCommand({L"bogus", L"/save"}), Command::kUnknown);
    EXPECT_EQ(ParseCommand({L""}), Command::kUnknown) << "an empty argument is still an argument";
}

}  // namespace
}  // namespace lumetra::layouttool
