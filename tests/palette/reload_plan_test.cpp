// A reload of config.ini against what is live: the hotkey is compared with
// the one actually registered, not with the settings the reload replaced.
#include "palette/reload_plan.h"

#include <gtest/gtest.h>

namespace lumetra::palette {
namespace {

using config::Hotkey;

TEST(ReloadPlan, HotkeyIsComparedWithTheRegisteredOne) {
    const Hotkey none{0, 0}, ctrlAltD{3, 0x44}, ctrlAltQ{3, 0x51}, shiftD{4, 0x44};
    const struct {
        const char* name;
        Hotkey registered;
        Hotkey loaded;
        bool expected;
    } cases[] = {
        {"a key edited in the file", ctrlAltD, ctrlAltQ, true},
        {"same key, other modifiers", ctrlAltD, shiftD, true},
        {"unchanged", ctrlAltD, ctrlAltD, false},
        {"taken by another program earlier: tried again", none, ctrlAltD, true},
        {"no hotkey wanted, one registered: the key is freed", ctrlAltD, {3, 0}, true},
        {"no hotkey wanted, none registered", none, {3, 0}, false},
    };
    for (const auto& c : cases) {
        LiveSettings live;
        live.registeredHotkey = c.registered;
        config::Settings loaded;
        loaded.toggleHotkey = c.loaded;
        EXPECT_EQ(PlanReload(live, loaded).registerHotkey, c.expected) << c.name;
    }
}

TEST(ReloadPlan, MouseRouteAndDesktopItemsFollowOnlyAChange) {
    LiveSettings live;
    live.registeredHotkey = {3, 0x44};
    config::Settings loaded;
    loaded.toggleHotkey = {3, 0x44};
    const ReloadPlan same = PlanReload(live, loaded);
    EXPECT_FALSE(same.registerHotkey || same.rebuildMouseRoute || same.refreshDesktopItems);

    config::Settings disabled = loaded;
    disabled.mouseMode = config::MouseMode::Disabled;
    EXPECT_TRUE(PlanReload(live, disabled).rebuildMouseRoute);
    config::Settings otherButton = loaded;
    otherButton.mouseButton = config::MouseButton::X1;
    EXPECT_TRUE(PlanReload(live, otherButton).rebuildMouseRoute);
    config::Settings allItems = loaded;
    allItems.desktopItemsMode = config::DesktopItemsMode::AllItems;
    const ReloadPlan items = PlanReload(live, allItems);
    EXPECT_TRUE(items.refreshDesktopItems);
    EXPECT_FALSE(items.rebuildMouseRoute);
}

}  // namespace
}  // namespace lumetra::palette
