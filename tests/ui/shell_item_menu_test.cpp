#include "ui/shell_item_menu.h"

#include <gtest/gtest.h>

#include "protocol/messages.h"

namespace lumetra::ui {
namespace {

TEST(ShellItemMenu, TheSelectionIsAskedForWithRenameAndTheBackgroundWithout) {
    EXPECT_EQ(ShellMenuItemScope(0), 0u);
    EXPECT_EQ(ShellMenuQueryFlags(0), 0u);
    for (int selected : {1, 2, 40}) {
        EXPECT_EQ(ShellMenuItemScope(selected), 1u) << selected;
        EXPECT_EQ(ShellMenuQueryFlags(selected), 0x10u) << selected;
    }
    // A list view that failed to answer reports -1: nothing is selected.
    EXPECT_EQ(ShellMenuItemScope(-1), 0u);
    EXPECT_EQ(ShellMenuQueryFlags(-1), 0u);
}

TEST(ShellItemMenu, OwnIdsGoToThePaletteAndShellIdsByVerb) {
    EXPECT_EQ(ClassifyItemMenuChoice(0, L"open"), ItemMenuChoice::Nothing);
    EXPECT_EQ(ClassifyItemMenuChoice(protocol::kCmdViewMedium, L""), ItemMenuChoice::OwnCommand);
    EXPECT_EQ(ClassifyItemMenuChoice(protocol::kCmdSaveAndHide, L""), ItemMenuChoice::OwnCommand);
    EXPECT_EQ(ClassifyItemMenuChoice(kShellMenuFirstId - 1, L"rename"), ItemMenuChoice::OwnCommand);
    // The shell's first and last ids are its own.
    EXPECT_EQ(ClassifyItemMenuChoice(kShellMenuFirstId, L""), ItemMenuChoice::InvokeShell);
    EXPECT_EQ(ClassifyItemMenuChoice(kShellMenuLastId, L"delete"), ItemMenuChoice::InvokeShell);
    EXPECT_EQ(ShellCommandOffset(kShellMenuFirstId + 80), 80u);
}

TEST(ShellItemMenu, RenameIsThePalettesInAnyCaseButOnlyAsTheWholeVerb) {
    for (const wchar_t* verb : {L"rename", L"Rename", L"RENAME"})
        EXPECT_EQ(ClassifyItemMenuChoice(10080, verb), ItemMenuChoice::Rename) << verb;
    for (const wchar_t* verb : {L"", L"renamed", L"ename", L"re name", L"rename "})
        EXPECT_EQ(ClassifyItemMenuChoice(10080, verb), ItemMenuChoice::InvokeShell) << verb;
}

TEST(ShellItemMenu, OnlyAnOpenThatRanHidesAVisiblePaletteThatAsksForIt) {
    for (const wchar_t* verb : {L"open", L"Open", L"EXPLORE", L"explore"})
        EXPECT_TRUE(HidesAfterShellCommand(verb, true, true, true)) << verb;
    EXPECT_FALSE(HidesAfterShellCommand(L"open", false, true, true)) << "the command failed";
    EXPECT_FALSE(HidesAfterShellCommand(L"open", true, false, true)) << "setting off";
    EXPECT_FALSE(HidesAfterShellCommand(L"open", true, true, false)) << "already hidden";
    // No verb from the shell never counts as "open".
    for (const wchar_t* verb : {L"", L"openas", L"properties", L"delete", L"opennew"})
        EXPECT_FALSE(HidesAfterShellCommand(verb, true, true, true)) << verb;
}

}  // namespace
}  // namespace lumetra::ui
