#include "palette/toggle_win.h"

#include "config/config_host.h"
#include "config/hotkey_text.h"
#include "config/ini_document.h"
#include "config/settings.h"
#include "log/debug_log.h"
#include "palette/activation_win.h"
#include "palette/monitor_placement_win.h"
#include "palette/palette_state_win.h"
#include "palette/toggle_decision.h"
#include "platform/monitors_win.h"
#include "protocol/messages.h"
#include "triggers/input_triggers_win.h"

namespace lumetra::palette {
namespace {

constexpr UINT kModNoRepeat = 0x4000;
constexpr config::Hotkey kBracketReplacement{config::kModCtrlAlt, 0x44};

config::Hotkey& Registered() {
    static config::Hotkey registered{0, 0};
    return registered;
}

// The cursor's monitor differs from the palette's (both known).
bool PaletteOnOtherMonitor(HWND palette) {
    POINT cursor;
    if (!IsWindowVisible(palette) || !GetCursorPos(&cursor)) return false;
    HMONITOR cursorMonitor = platform::MonitorAt(cursor, MONITOR_DEFAULTTONEAREST);
    HMONITOR paletteMonitor = platform::MonitorOfWindow(palette, MONITOR_DEFAULTTONEAREST);
    return cursorMonitor && paletteMonitor && cursorMonitor != paletteMonitor;
}

}  // namespace

bool RegisterToggleHotkey(HWND window) {
    if (!window) return false;
    UnregisterHotKey(window, protocol::kToggleHotkeyId);
    Registered() = {0, 0};
    const config::Hotkey hotkey = config::Cfg().toggleHotkey;
    if (hotkey.key == 0) return false;
    if (RegisterHotKey(window, protocol::kToggleHotkeyId, hotkey.modifiers | kModNoRepeat,
                       hotkey.key) ||
        RegisterHotKey(window, protocol::kToggleHotkeyId, hotkey.modifiers, hotkey.key)) {
        Registered() = hotkey;
        return true;
    }
    log::DebugLogWrite(L"Palette hotkey RegisterHotKey failed.");
    return false;
}

config::Hotkey RegisteredToggleHotkey() { return Registered(); }

void ReloadHotkeyFromConfig() {
    const std::wstring& path = config::EnsureConfigPath();
    if (path.empty()) return;
    config::IniDocument doc(path);
    if (!config::HostLoad(doc)) return;
    const std::wstring text = doc.get(L"Hotkey", L"ToggleHotkey", L"VK_D");
    config::Hotkey parsed;
    if (!config::ParseHotkeyText(text.c_str(), parsed)) return;
    const bool replaced = config::IsBracketKey(parsed.key);
    if (replaced) parsed = kBracketReplacement;

    config::Cfg().toggleHotkey = parsed;
    if (replaced) config::SaveToggleHotkey();
}

void ClearToggleCooldown() { Palette().lastToggleTick = 0; }

void ToggleMainWindow(bool showAtCursor) {
    PaletteState& state = Palette();
    const std::uint32_t now = GetTickCount();
    if (!BeginToggle(now, state.lastToggleTick)) {
        log::DebugLogWrite(L"ToggleMainWindow skipped by cooldown.");
        return;
    }

    HWND window = state.window;
    const bool real = window && IsWindowVisible(window);
    if (real != state.paletteShown) {
        state.paletteShown = real;
        log::DebugLogWrite(real ? L"Visibility sync: real=show" : L"Visibility sync: real=hide");
    }

    const bool otherMonitor = state.paletteShown && window && PaletteOnOtherMonitor(window);
    switch (DecideToggle(state.paletteShown, otherMonitor)) {
        case ToggleAction::kRelocate:
            log::DebugLogWrite(L"ToggleMainWindow -> relocate to cursor monitor");
            RelocatePaletteToCursorMonitor(showAtCursor);
            break;
        case ToggleAction::kHide:
            log::DebugLogWrite(L"ToggleMainWindow -> hide");
            HidePalette();
            break;
        case ToggleAction::kShow:
            log::DebugLogWrite(L"ToggleMainWindow -> show");
            state.paletteShown = true;
            triggers::ClearKeyboardTracking();
            triggers::ResetMouseGestureState();
            ActivatePalette(showAtCursor);
            break;
    }
}

}  // namespace lumetra::palette
