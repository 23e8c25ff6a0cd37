#include "config/settings_names.h"

#include "config/hotkey_text.h"
#include "log/debug_log.h"

namespace lumetra::config {

const wchar_t* TriggerKeyName(TriggerKey trigger) {
    switch (trigger) {
        case TriggerKey::Ctrl: return L"Ctrl";
        case TriggerKey::Shift: return L"Shift";
        case TriggerKey::Alt: return L"Alt";
        case TriggerKey::Disabled: break;
    }
    return L"Disabled";
}

const wchar_t* MouseButtonName(MouseButton button) {
    return button == MouseButton::X1 ? L"X1" : L"X2";
}

const wchar_t* MouseModeShortName(MouseMode mode) {
    switch (mode) {
        case MouseMode::DoubleClick: return L"double";
        case MouseMode::LongPress: return L"hold";
        case MouseMode::Disabled: break;
    }
    return L"off";
}

const wchar_t* MouseModeName(MouseMode mode) {
    switch (mode) {
        case MouseMode::DoubleClick: return L"double-click";
        case MouseMode::LongPress: return L"long-press";
        case MouseMode::Disabled: break;
    }
    return L"disabled";
}

void LogInvokeSettings(const wchar_t* exePath) {
    const Settings& s = Cfg();
    std::wstring chord = FormatHotkeyDisplayText(s.toggleHotkey).substr(0, 127);
    if (chord.empty()) chord = L"(off)";
    log::DebugLogFormat<256>(
        L"Invoke: trigger=%ls chord=%ls mouse=%ls/%ls opacity=%d closeOnOpen=%d desktopItems=%d",
        TriggerKeyName(s.trigger), chord.c_str(), MouseButtonName(s.mouseButton),
        MouseModeShortName(s.mouseMode), s.opacity, s.closeOnItemActivate ? 1 : 0,
        static_cast<int>(s.desktopItemsMode));
    log::DebugLogFormat<512>(L"Lumetra exe: %ls", exePath);
    log::DebugLogFormat<128>(L"Mouse invoke: button=%ls mode=%ls holdMs=%d",
                             MouseButtonName(s.mouseButton), MouseModeName(s.mouseMode),
                             s.mouseLongPressMs);
}

}  // namespace lumetra::config
