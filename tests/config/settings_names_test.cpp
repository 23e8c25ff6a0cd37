#include "config/settings_names.h"

#include <gtest/gtest.h>

#include "fake_config_host.h"

namespace lumetra::config {
namespace {

using testing::LogLines;
using testing::ResetWorld;

TEST(LogInvokeSettings, SpellsTriggersTheWayTheLogDoes) {
    const struct {
        TriggerKey trigger;
        Hotkey hotkey;
        MouseButton button;
        MouseMode mode;
        const wchar_t* invoke;
        const wchar_t* mouse;
    } cases[] = {
        {TriggerKey::Alt,
         {3, 0x44},
         MouseButton::X2,
         MouseMode::DoubleClick,
         L"Invoke: trigger=Alt chord=Ctrl + Alt + VK_D mouse=X2/double opacity=100 closeOnOpen=1 "
         L"desktopItems=0",
         L"Mouse invoke: button=X2 mode=double-click holdMs=450"},
        {TriggerKey::Ctrl,
         {3, 0},
         MouseButton::X1,
         MouseMode::LongPress,
         L"Invoke: trigger=Ctrl chord=(off) mouse=X1/hold opacity=100 closeOnOpen=1 desktopItems=0",
         L"Mouse invoke: button=X1 mode=long-press holdMs=450"},
        {TriggerKey::Disabled,
         {4, 0x74},
         MouseButton::X2,
         MouseMode::Disabled,
         L"Invoke: trigger=Disabled chord=Shift + VK_F5 mouse=X2/off opacity=100 closeOnOpen=1 "
         L"desktopItems=0",
         L"Mouse invoke: button=X2 mode=disabled holdMs=450"},
        {TriggerKey::Shift,
         {3, 0x41},
         MouseButton::X2,
         MouseMode::DoubleClick,
         L"Invoke: trigger=Shift chord=Ctrl + Alt + VK_A mouse=X2/double opacity=100 closeOnOpen=1 "
         L"desktopItems=0",
         L"Mouse invoke: button=X2 mode=double-click holdMs=450"},
    };
    for (const auto& c : cases) {
        ResetWorld();
        Cfg().trigger = c.trigger;
        Cfg().toggleHotkey = c.hotkey;
        Cfg().mouseButton = c.button;
        Cfg().mouseMode = c.mode;
        LogInvokeSettings(L"C:\\Program Files\\veltor\\Lumetra.exe");
        const std::vector<std::wstring> expected = {
            c.invoke, L"Lumetra exe: C:\\Program Files\\veltor\\Lumetra.exe", c.mouse};
        EXPECT_EQ(LogLines(), expected);
    }
}

}  // namespace
}  // namespace lumetra::config
