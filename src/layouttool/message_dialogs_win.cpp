#include "layouttool/message_dialogs_win.h"

#include <string>

#include "layouttool/texts.h"
#include "platform/system_library_win.h"

namespace lumetra::layouttool {
namespace {

using TaskDialogIndirectFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

HRESULT CALLBACK BringToFront(HWND dialog, UINT notification, WPARAM, LPARAM, LONG_PTR) {
    if (notification == TDN_CREATED) {
        BringWindowToTop(dialog);
        SetForegroundWindow(dialog);
    }
    return S_OK;
}

// Looked up at run time so a missing version 6 of the common controls ends in
// the message box instead of a failed start.
TaskDialogIndirectFn ResolveTaskDialog() {
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    if (!controls) controls = platform::LoadSystemLibrary(L"comctl32.dll");
    if (!controls) return nullptr;
    return reinterpret_cast<TaskDialogIndirectFn>(
        reinterpret_cast<void*>(GetProcAddress(controls, "TaskDialogIndirect")));
}

// Returns the pressed button, or 0 when no task dialog could be shown.
int RunTaskDialog(PCWSTR icon, const wchar_t* instruction, const wchar_t* content,
                  TASKDIALOG_COMMON_BUTTON_FLAGS buttons, int defaultButton) {
    const TaskDialogIndirectFn taskDialog = ResolveTaskDialog();
    if (!taskDialog) return 0;
    HWND parent = GetForegroundWindow();
    if (parent && !IsWindowVisible(parent)) parent = nullptr;
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = parent;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_SIZE_TO_CONTENT;
    if (parent) config.dwFlags |= TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = kProgramTitle;
    config.pszMainIcon = icon;
    config.pszMainInstruction = instruction ? instruction : L"";
    config.pszContent = content ? content : L"";
    config.dwCommonButtons = buttons;
    config.nDefaultButton = defaultButton;
    config.pfCallback = BringToFront;
    int pressed = 0;
    if (FAILED(taskDialog(&config, &pressed, nullptr, nullptr))) return 0;
    return pressed;
}

std::wstring MessageBoxText(const wchar_t* instruction, const wchar_t* content) {
    std::wstring text = instruction ? instruction : L"";
    if (!text.empty() && content && *content) text += L'\n';
    if (content) text += content;
    return text;
}

}  // namespace

void ShowMessage(PCWSTR icon, const wchar_t* instruction, const wchar_t* content) {
    if (RunTaskDialog(icon, instruction, content, TDCBF_OK_BUTTON, IDOK) != 0) return;
    UINT style = MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;
    if (icon == TD_ERROR_ICON) {
        style |= MB_ICONERROR;
    } else if (icon == TD_WARNING_ICON) {
        style |= MB_ICONWARNING;
    } else {
        style |= MB_ICONINFORMATION;
    }
    MessageBoxW(nullptr, MessageBoxText(instruction, content).c_str(), kProgramTitle, style);
}

bool ConfirmAction(const wchar_t* instruction, const wchar_t* content) {
    const int pressed = RunTaskDialog(TD_INFORMATION_ICON, instruction, content,
                                      TDCBF_YES_BUTTON | TDCBF_NO_BUTTON, IDNO);
    if (pressed != 0) return pressed == IDYES;
    const UINT style = MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2 | MB_TASKMODAL |
                       MB_SETFOREGROUND | MB_TOPMOST;
    return MessageBoxW(nullptr, MessageBoxText(instruction, content).c_str(), kProgramTitle,
                       style) == IDYES;
}

}  // namespace lumetra::layouttool
