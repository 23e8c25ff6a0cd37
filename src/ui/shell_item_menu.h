#pragma once
// The decisions of the shell item menu: what the shell is asked for, and what
// a chosen id does.
#include <string_view>

namespace lumetra::ui {

// The shell's items take the ids from 10000 to 20000; the palette's own are below.
inline constexpr unsigned kShellMenuFirstId = 10000;
inline constexpr unsigned kShellMenuLastId = 20000;

// SVGIO_SELECTION (1) with something selected, else SVGIO_BACKGROUND (0).
unsigned ShellMenuItemScope(int selectedCount);
// CMF_CANRENAME (0x10) with something selected, else CMF_NORMAL.
unsigned ShellMenuQueryFlags(int selectedCount);

enum class ItemMenuChoice {
    Nothing,      // the menu was dismissed
    OwnCommand,   // sent to the palette as WM_COMMAND
    Rename,       // the palette's own rename, not the shell's
    InvokeShell,  // the shell runs it
};

// `verb` is the shell's verb for a shell id, empty when the shell gave none.
ItemMenuChoice ClassifyItemMenuChoice(unsigned id, std::wstring_view verb);

// The shell command `id` stands for.
inline unsigned ShellCommandOffset(unsigned id) { return id - kShellMenuFirstId; }

// After a shell command: the palette hides when it opened something, the
// setting asks for that, and the palette is still on screen.
bool HidesAfterShellCommand(std::wstring_view verb, bool invoked, bool closeOnItemActivate,
                            bool paletteVisible);

}  // namespace lumetra::ui
