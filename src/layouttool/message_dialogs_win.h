#pragma once
// Modal messages: a task dialog, or a message box when no task dialog can be shown.
// windows.h comes first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

namespace lumetra::layouttool {

// `icon` is TD_WARNING_ICON, TD_ERROR_ICON or TD_INFORMATION_ICON; `content` may be null.
void ShowMessage(PCWSTR icon, const wchar_t* instruction, const wchar_t* content);
// Yes/No question with No as the default; true only for Yes.
bool ConfirmAction(const wchar_t* instruction, const wchar_t* content);

}  // namespace lumetra::layouttool
