// Lumetra start-up: single instance, COM, data folder and configuration, the
// hidden palette window, registered messages, then the one message loop.
#include "app/startup_win.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include <utility>

#include "app/crash_dump_win.h"
#include "config/config_host_win.h"
#include "config/data_folder.h"
#include "config/data_folder_win.h"
#include "config/run_at_startup_win.h"
#include "config/settings.h"
#include "config/settings_names.h"
#include "config/settings_store.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/shell_notify_win.h"
#include "log/debug_log.h"
#include "palette/appearance_win.h"
#include "palette/palette_window_win.h"
#include "palette/registered_messages_win.h"
#include "palette/toggle_win.h"
#include "platform/unique_handle_win.h"
#include "protocol/messages.h"
#include "protocol/resource_ids.h"
#include "triggers/input_triggers_win.h"
#include "ui/tray_win.h"
#include "ui/ui_language.h"

namespace lumetra::app {
namespace {

constexpr const wchar_t* kMutexName = L"Local\\veltor.Lumetra.SingleInstance";

// Held from start-up until the palette is destroyed.
platform::UniqueHandle& SingleInstanceMutex() {
    static platform::UniqueHandle mutex;
    return mutex;
}

void ReleaseSingleInstanceMutex() { SingleInstanceMutex().reset(); }

// A second launch hands the request to the running instance and ends.
int ForwardToRunningInstance() {
    log::DebugLogWrite(
        L"Lumetra already running; forwarding activate to existing instance and exiting.");
    if (HWND running = FindWindowW(protocol::kPaletteClassName, nullptr)) {
        PostMessageW(running, protocol::WMAPP_TOGGLE,
                     static_cast<WPARAM>(protocol::ToggleSource::kSecondInstance), 0);
        SetForegroundWindow(running);
    } else {
        log::DebugLogWrite(L"Lumetra mutex exists but main window not found.");
    }
    ReleaseSingleInstanceMutex();
    return 0;
}

// A missing configuration is seeded from "config.default.ini" beside the executable.
void SeedConfigFromDefault(const std::wstring& configPath) {
    if (config::FileExists(configPath)) return;
    const std::wstring seed = config::ExecutableFolder() + L"\\config.default.ini";
    if (config::FileExists(seed)) CopyFileW(seed.c_str(), configPath.c_str(), FALSE);
}

void ConnectConfiguration() {
    config::ConfigHostLinks links;
    links.palette = palette::PaletteStateForConfig();
    links.paletteWindow = palette::PaletteWindow;
    links.applyUiLanguage = ui::ApplyUILanguage;
    links.uiLanguageIndex = ui::CurrentUILanguageIndex;
    config::InstallConfigHost(links);
}

std::wstring ExecutablePath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}

void SetWindowIcons(HWND palette, HINSTANCE instance) {
    for (const auto& [which, size] : {std::pair{ICON_BIG, 32}, std::pair{ICON_SMALL, 16}}) {
        HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(IDI_LUMETRA_APP), IMAGE_ICON, size,
                                 size, LR_DEFAULTCOLOR);
        SendMessageW(palette, WM_SETICON, static_cast<WPARAM>(which),
                     reinterpret_cast<LPARAM>(icon));
    }
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int RunLumetra(HINSTANCE instance) {
    InstallCrashFilter();
    const std::wstring logPath = config::LogPathFromRoot(config::ResolveDataRoot());
    log::DebugLogSetPath(logPath.c_str());
    log::DebugLogWrite(L"Lumetra process starting.");

    SingleInstanceMutex().reset(CreateMutexW(nullptr, TRUE, kMutexName));
    if (!SingleInstanceMutex() || GetLastError() == ERROR_ALREADY_EXISTS)
        return ForwardToRunningInstance();

    OleInitialize(nullptr);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    palette::InstallHostedScrollBarHook();

    ConnectConfiguration();
    config::Settings& settings = config::Cfg();
    const std::wstring& configPath = config::EnsureConfigPath();
    SeedConfigFromDefault(configPath);
    log::DebugLogSetPath(logPath.c_str());

    config::LoadConfig();
    log::DebugLogRotateIfLarge();
    log::DebugLogFormat<512>(L"Config.ini path: %ls", configPath.c_str());
    config::ApplyRunAtStartup();
    palette::ApplyTheme(nullptr);
    log::DebugLogFormat<192>(L"Lumetra started. Loaded Config: %d,%d %dx%d", settings.x, settings.y,
                             settings.w, settings.h);
    config::LogInvokeSettings(ExecutablePath().c_str());

    hostedview::TakeDesktopIdList();
    const palette::WindowRect window{settings.x, settings.y, settings.w, settings.h};
    const HWND palette =
        palette::CreatePaletteWindow(instance, window, {ReleaseSingleInstanceMutex});
    if (!palette) {
        CoUninitialize();
        return 0;
    }
    palette::RegisterToggleHotkey(palette);
    SetWindowPos(palette, nullptr, settings.x, settings.y, settings.w, settings.h,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    SetWindowIcons(palette, instance);
    hostedview::RegisterShellChangeNotification(palette);
    palette::RegisterPaletteMessages(palette);
    ui::UpdateTrayIcon(palette, true);
    ShowWindow(palette, SW_HIDE);
    UpdateWindow(palette);
    triggers::UpdateDoubleTapHook();
    triggers::UpdateMouseTrigger();
    palette::RegisterToggleHotkey(palette);

    const int exitCode = RunMessageLoop();
    hostedview::ReleaseDesktopIdList();
    CoUninitialize();
    OleUninitialize();
    return exitCode;
}

}  // namespace lumetra::app
