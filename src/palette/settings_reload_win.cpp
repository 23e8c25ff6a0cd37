#include "palette/settings_reload_win.h"

#include "config/settings.h"
#include "hostedview/view_refresh_win.h"
#include "palette/toggle_win.h"
#include "triggers/input_triggers_win.h"

namespace lumetra::palette {

LiveSettings CaptureLiveSettings() {
    const config::Settings& cfg = config::Cfg();
    LiveSettings live;
    live.registeredHotkey = RegisteredToggleHotkey();
    live.mouseMode = cfg.mouseMode;
    live.mouseButton = cfg.mouseButton;
    live.desktopItemsMode = cfg.desktopItemsMode;
    return live;
}

void ApplyReloadedSettings(HWND palette, const LiveSettings& before) {
    const ReloadPlan plan = PlanReload(before, config::Cfg());
    if (plan.registerHotkey) RegisterToggleHotkey(palette);
    // Installs or removes the hook only when the trigger key asks for it.
    triggers::UpdateDoubleTapHook();
    if (plan.rebuildMouseRoute) {
        triggers::ResetMouseGestureState();
        triggers::UpdateMouseTrigger();
    }
    if (plan.refreshDesktopItems) hostedview::RefreshDesktopItems();
    // The theme and run-at-startup are applied here too once a reload changes them.
}

void ReloadHotkeyAndApply(HWND palette) {
    const LiveSettings before = CaptureLiveSettings();
    ReloadHotkeyFromConfig();
    ApplyReloadedSettings(palette, before);
}

}  // namespace lumetra::palette
