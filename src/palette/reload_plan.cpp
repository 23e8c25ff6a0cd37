#include "palette/reload_plan.h"

namespace lumetra::palette {

ReloadPlan PlanReload(const LiveSettings& live, const config::Settings& loaded) {
    ReloadPlan plan;
    // Key 0 means "no hotkey" whatever the modifiers say.
    const bool wantNone = loaded.toggleHotkey.key == 0;
    const bool haveNone = live.registeredHotkey.key == 0;
    plan.registerHotkey = wantNone ? !haveNone : !(loaded.toggleHotkey == live.registeredHotkey);
    plan.rebuildMouseRoute =
        loaded.mouseMode != live.mouseMode || loaded.mouseButton != live.mouseButton;
    plan.refreshDesktopItems = loaded.desktopItemsMode != live.desktopItemsMode;
    return plan;
}

}  // namespace lumetra::palette
