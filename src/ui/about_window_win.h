#pragma once
// The About card: the program's name, version, description, legal notice,
// credit and note from its version resource, near the bottom of the monitor
// under the cursor. One at a time; while it exists, Esc belongs to it.
#include <windows.h>

namespace lumetra::ui {

inline constexpr const wchar_t* kAboutClassName = L"Lumetra.AboutWindow";

// Opens the card, or brings the open one to the front.
void ShowAboutWindow(HWND owner);
bool AboutWindowOpen();

// What opens the credit line's address; null restores the shell's "open".
// Tests record the address instead of starting a browser.
using AboutLinkOpener = void (*)(const wchar_t* address);
void SetAboutLinkOpener(AboutLinkOpener open);

}  // namespace lumetra::ui
