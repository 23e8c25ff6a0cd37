// Stilvane entry point: one switch, one action, one exit code.
// windows.h comes first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
// clang-format on

#include <string>
#include <vector>

#include "layouttool/command_line.h"
#include "layouttool/exit_codes.h"
#include "layouttool/icon_toggle_win.h"
#include "layouttool/layout_actions_win.h"
#include "layouttool/message_dialogs_win.h"
#include "layouttool/notices_win.h"
#include "layouttool/texts.h"
#include "layouttool/toast_win.h"
#include "platform/system_library_win.h"

namespace {

using namespace lumetra::layouttool;

using SetDpiContextFn = BOOL(WINAPI*)(HANDLE);

void BecomePerMonitorDpiAware() {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return;
    const auto setContext = reinterpret_cast<SetDpiContextFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (setContext) setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));
}

bool SplitCommandLine(std::vector<std::wstring>& arguments) {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return false;
    for (int i = 1; i < count; ++i) arguments.emplace_back(argv[i]);
    LocalFree(argv);
    return true;
}

void ToastOr(PCWSTR fallbackIcon, const wchar_t* title, const wchar_t* body) {
    if (!ShowToast(title, body)) ShowMessage(fallbackIcon, title, body);
}

template <typename Action>
int WithCom(Action action) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const int code = action();
    if (init == S_OK) CoUninitialize();
    return code;
}

bool Confirm(const TextPair& question, const TextPair& detail) {
    const bool japanese = UiIsJapanese();
    return ConfirmAction(Pick(question, japanese), Pick(detail, japanese));
}

int ConfirmThenRun(const TextPair& question, const TextPair& detail, int (*action)()) {
    if (!Confirm(question, detail)) return kExitOk;
    return WithCom(action);
}

bool ConfirmUndo() { return Confirm(text::kUndoQuestion, text::kUndoQuestionBody); }

int Run() {
    std::vector<std::wstring> arguments;
    if (!SplitCommandLine(arguments)) return kExitUsage;
    const bool japanese = UiIsJapanese();
    switch (ParseCommand(arguments)) {
        case Command::kUsage:
            ToastOr(TD_INFORMATION_ICON, kProgramTitle, Pick(text::kUsageBody, japanese));
            return kExitUsage;
        case Command::kSave:
            return ConfirmThenRun(text::kSaveQuestion, text::kSaveQuestionBody, SaveLayout);
        case Command::kRestore:
            return ConfirmThenRun(text::kRestoreQuestion, text::kRestoreQuestionBody,
                                  RestoreLayout);
        case Command::kToggle: return ToggleDesktopIcons();
        // The question comes only when there is something to undo.
        case Command::kUndo: return WithCom([] { return UndoLastRestore(ConfirmUndo); });
        case Command::kUnknown: break;
    }
    ToastOr(TD_WARNING_ICON, Pick(text::kUnknownArgumentTitle, japanese),
            Pick(text::kUnknownArgumentBody, japanese));
    return kExitUnknownSwitch;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    lumetra::platform::RemoveCurrentDirectoryFromDllSearch();
    BecomePerMonitorDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    AllowSetForegroundWindow(ASFW_ANY);
    return Run();
}
