#pragma once
// What a reload of config.ini must change in what is live, decided from plain
// values: the settings record changes at once, the registrations, hooks and
// the view only through the apply step.
#include "config/settings.h"

namespace lumetra::palette {

// What is live now, as far as a reload can change it.
struct LiveSettings {
    config::Hotkey registeredHotkey{0, 0};  // key 0: no hotkey registered
    config::MouseMode mouseMode = config::MouseMode::DoubleClick;
    config::MouseButton mouseButton = config::MouseButton::X2;
    config::DesktopItemsMode desktopItemsMode = config::DesktopItemsMode::SameAsDesktop;
};

struct ReloadPlan {
    bool registerHotkey = false;  // register the loaded one, or free the key when it is none
    bool rebuildMouseRoute = false;
    bool refreshDesktopItems = false;
};

ReloadPlan PlanReload(const LiveSettings& live, const config::Settings& loaded);

}  // namespace lumetra::palette
