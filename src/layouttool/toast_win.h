#pragma once
namespace lumetra::layouttool {

inline constexpr const wchar_t* kToastClass = L"Stilvane.Toast";

// Shows a corner toast for 5.5 s and pumps messages until 5.8 s (a WM_QUIT
// ends it at once). False when nothing could be shown: the caller falls back
// to a message dialog.
bool ShowToast(const wchar_t* title, const wchar_t* body);

}  // namespace lumetra::layouttool
