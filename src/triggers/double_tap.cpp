#include "triggers/double_tap.h"

namespace lumetra::triggers {
namespace {

constexpr std::uint32_t kVkLShift = 160, kVkRShift = 161;
constexpr std::uint32_t kVkLControl = 162, kVkRControl = 163;
constexpr std::uint32_t kVkLMenu = 164, kVkRMenu = 165;

// The generic key of the modifier family `vk` belongs to, or 0.
std::uint32_t GenericModifier(std::uint32_t vk) {
    switch (vk) {
        case kVkShift:
        case kVkLShift:
        case kVkRShift: return kVkShift;
        case kVkControl:
        case kVkLControl:
        case kVkRControl: return kVkControl;
        case kVkMenu:
        case kVkLMenu:
        case kVkRMenu: return kVkMenu;
        default: return 0;
    }
}

std::uint32_t TriggerGeneric(config::TriggerKey trigger) {
    switch (trigger) {
        case config::TriggerKey::Ctrl: return kVkControl;
        case config::TriggerKey::Shift: return kVkShift;
        case config::TriggerKey::Alt: return kVkMenu;
        default: return 0;
    }
}

// The three keys of each family as table masks, indexed by the generic key.
constexpr KeyDownTable FamilyMask(std::uint32_t generic, std::uint32_t left, std::uint32_t right) {
    KeyDownTable t;
    for (std::uint32_t vk : {generic, left, right})
        t.words[vk >> 6] |= std::uint64_t{1} << (vk & 63);
    return t;
}
constexpr KeyDownTable kShiftFamily = FamilyMask(kVkShift, kVkLShift, kVkRShift);
constexpr KeyDownTable kControlFamily = FamilyMask(kVkControl, kVkLControl, kVkRControl);
constexpr KeyDownTable kMenuFamily = FamilyMask(kVkMenu, kVkLMenu, kVkRMenu);
constexpr KeyDownTable kNoFamily{};

const KeyDownTable& FamilyOf(config::TriggerKey trigger) {
    switch (trigger) {
        case config::TriggerKey::Ctrl: return kControlFamily;
        case config::TriggerKey::Shift: return kShiftFamily;
        case config::TriggerKey::Alt: return kMenuFamily;
        default: return kNoFamily;
    }
}

}  // namespace

std::uint32_t DoubleTapWindowMs(std::uint32_t systemDoubleClickTime) {
    if (systemDoubleClickTime == 0) return 500;
    if (systemDoubleClickTime < 200) return 200;
    return systemDoubleClickTime > 1200 ? 1200 : systemDoubleClickTime;
}

bool InTriggerFamily(config::TriggerKey trigger, std::uint32_t vk) {
    const std::uint32_t generic = TriggerGeneric(trigger);
    return generic != 0 && GenericModifier(vk) == generic;
}

bool IsCleanTriggerRelease(const KeyDownTable& keys, const KeyEvent& event,
                           config::TriggerKey trigger) {
    if (event.injected || event.transition != KeyTransition::kUp) return false;
    if (!InTriggerFamily(trigger, event.vk)) return false;
    // Anything held besides the trigger family (a letter, Win, another
    // modifier) makes this part of a chord, not a tap.
    const KeyDownTable& family = FamilyOf(trigger);
    for (int w = 0; w < 4; ++w)
        if (keys.words[w] & ~family.words[w]) return false;
    return true;
}

KeyAction StepKey(KeyboardTracking& tracking, const KeyEvent& event, const TapSettings& settings,
                  std::uint32_t now) {
    const std::uint32_t vk = event.vk;
    TapState& tap = tracking.tap;
    if (vk <= 255) {
        if (event.transition == KeyTransition::kDown) {
            tracking.keys.Mark(vk);
            if (vk == kVkEscape) tracking.escapeHandledElsewhere = event.escapeElsewhere;
            if (tap.pending) {
                // Auto-repeat of a held trigger key counts as the second press too.
                if (InTriggerFamily(settings.trigger, vk))
                    tap.secondPressSeen = true;
                else
                    tap = TapState{};
            }
        } else if (event.transition == KeyTransition::kUp) {
            tracking.keys.Clear(vk);
            // A left or right modifier's release also ends its generic key.
            if (const std::uint32_t generic = GenericModifier(vk)) tracking.keys.Clear(generic);
        }
    }

    if (event.transition == KeyTransition::kUp && vk == kVkEscape) {
        const bool elsewhere = tracking.escapeHandledElsewhere;
        tracking.escapeHandledElsewhere = false;
        return !elsewhere && event.paletteOwnsForeground ? KeyAction::kHide : KeyAction::kNone;
    }
    if (event.transition == KeyTransition::kDown && vk == kVkF2)
        return event.paletteOwnsForeground ? KeyAction::kRename : KeyAction::kNone;

    if (!IsCleanTriggerRelease(tracking.keys, event, settings.trigger)) return KeyAction::kNone;
    if (WithinToggleGuard(now, settings.lastToggleTick)) return KeyAction::kNone;

    const bool sameFamily = InTriggerFamily(settings.trigger, tap.firstKey);
    if (tap.pending && sameFamily && tap.secondPressSeen &&
        now - tap.firstTick <= settings.windowMs) {
        tap = TapState{};
        return KeyAction::kDoubleTap;
    }
    tap.pending = true;
    tap.firstKey = vk;
    tap.firstTick = RecordedTick(now);
    tap.secondPressSeen = false;
    return KeyAction::kFirstTap;
}

void SweepStaleTap(TapState& tap, std::uint32_t now, std::uint32_t windowMs) {
    if (tap.pending && tap.firstTick != 0 && now - tap.firstTick > windowMs + kStaleSlackMs)
        tap = TapState{};
}

void SweepHiddenKeyboard(KeyboardTracking& tracking) {
    tracking.keys.ClearAll();
    tracking.tap = TapState{};
}

}  // namespace lumetra::triggers
