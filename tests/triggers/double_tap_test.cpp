// Scripted key sequences through the double-tap state machine, each run at an
// ordinary tick and again across the wrap of the 32-bit tick count.
#include "triggers/double_tap.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace lumetra::triggers {
namespace {

using config::TriggerKey;

// Appends "name@ms" (append only: GCC 12 warns falsely on string operator+ at -O3).
void Note(std::string& out, const char* name, std::uint32_t ms) {
    if (!out.empty()) out.append(" ");
    out.append(name).append("@").append(std::to_string(ms));
}

const std::map<std::string, std::uint32_t> kKeys = {
    {"Ctrl", 17},    {"LCtrl", 162}, {"RCtrl", 163}, {"Shift", 16},   {"LShift", 160},
    {"RShift", 161}, {"Alt", 18},    {"LAlt", 164},  {"RAlt", 165},   {"C", 0x43},
    {"LWin", 0x5B},  {"Esc", 27},    {"F2", 113},    {"Space", 0x20}, {"Big", 300}};

// "+LCtrl@0" key-down at 0 ms, "-LCtrl@40" key-up, "i-LCtrl@40" injected key-up;
// "esc!" / "front!" suffixes mark Esc handled elsewhere / the palette in front.
// Returns the non-empty actions as "first@40 double@300 ...".
std::string Play(const std::string& script, TriggerKey trigger, std::uint32_t base,
                 std::uint32_t window = 500, std::int64_t toggleAt = -1,
                 KeyboardTracking* keep = nullptr) {
    KeyboardTracking local;
    KeyboardTracking& tracking = keep ? *keep : local;
    TapSettings settings;
    settings.trigger = trigger;
    settings.windowMs = window;
    settings.lastToggleTick = toggleAt < 0 ? 0 : base + static_cast<std::uint32_t>(toggleAt);
    std::istringstream in(script);
    std::string token, out;
    while (in >> token) {
        KeyEvent event;
        std::size_t i = 0;
        if (token[i] == 'i') {
            event.injected = true;
            ++i;
        }
        event.transition = token[i++] == '+' ? KeyTransition::kDown : KeyTransition::kUp;
        const std::size_t at = token.find('@');
        event.vk = kKeys.at(token.substr(i, at - i));
        std::string rest = token.substr(at + 1);
        if (rest.find("esc!") != std::string::npos) event.escapeElsewhere = true;
        if (rest.find("front!") != std::string::npos) event.paletteOwnsForeground = true;
        const std::uint32_t ms = static_cast<std::uint32_t>(std::stoul(rest));
        const KeyAction action = StepKey(tracking, event, settings, base + ms);
        static const char* const kNames[] = {"", "first", "double", "hide", "rename"};
        if (action != KeyAction::kNone) {
            Note(out, kNames[static_cast<int>(action)], ms);
        }
    }
    return out;
}

// Ticks at which each script runs: an ordinary one and two that straddle the wrap.
constexpr std::uint32_t kBases[] = {1000u, 0xFFFFFF00u, 0xFFFFFFFFu};

struct TapCase {
    const char* name;
    TriggerKey trigger;
    const char* script;
    const char* expected;
    std::int64_t toggleAt = -1;
};

const TapCase kTapCases[] = {
    {"left then right Ctrl within the window", TriggerKey::Ctrl,
     "+LCtrl@0 -LCtrl@60 +RCtrl@250 -RCtrl@300", "first@60 double@300"},
    {"generic Alt key-down counts for a left Alt", TriggerKey::Alt,
     "+LAlt@0 -LAlt@50 +Alt@150 -LAlt@200", "first@50 double@200"},
    {"Ctrl+C with C still held at the Ctrl release is no tap", TriggerKey::Ctrl,
     "+LCtrl@0 +C@30 -LCtrl@60 -C@80", ""},
    {"Ctrl+C between two Ctrl taps completes nothing", TriggerKey::Ctrl,
     "+LCtrl@0 -LCtrl@40 +LCtrl@100 +C@120 -C@140 -LCtrl@160", "first@40 first@160"},
    {"a foreign key drops the pending tap", TriggerKey::Alt,
     "+LAlt@0 -LAlt@40 +Space@100 -Space@120 +LAlt@200 -LAlt@240", "first@40 first@240"},
    {"Ctrl is foreign while Alt is the trigger", TriggerKey::Alt,
     "+LAlt@0 -LAlt@40 +LCtrl@100 +C@110 -C@120 -LCtrl@130 +LAlt@200 -LAlt@240",
     "first@40 first@240"},
    {"Alt held for seconds still counts", TriggerKey::Alt,
     "+LAlt@0 -LAlt@3000 +LAlt@3100 -LAlt@6000", "first@3000 first@6000"},
    {"a long second hold is timed from release to release", TriggerKey::Alt,
     "+LAlt@0 -LAlt@4000 +LAlt@4100 -LAlt@4400", "first@4000 double@4400"},
    {"auto-repeat key-downs count as the second press", TriggerKey::Shift,
     "+LShift@0 -LShift@50 +LShift@100 +LShift@130 +LShift@160 -LShift@200", "first@50 double@200"},
    {"a release without a second press is a new first tap", TriggerKey::Shift,
     "+LShift@0 -LShift@50 -LShift@120", "first@50 first@120"},
    {"late second release becomes a new first tap, third tap completes", TriggerKey::Ctrl,
     "+LCtrl@0 -LCtrl@50 +LCtrl@500 -LCtrl@600 +LCtrl@700 -LCtrl@750",
     "first@50 first@600 double@750"},
    {"release exactly at the window edge still counts", TriggerKey::Ctrl,
     "+LCtrl@0 -LCtrl@50 +LCtrl@400 -LCtrl@550", "first@50 double@550"},
    {"a third tap after a double tap starts over", TriggerKey::Ctrl,
     "+LCtrl@0 -LCtrl@50 +LCtrl@100 -LCtrl@150 +LCtrl@900 -LCtrl@950",
     "first@50 double@150 first@950"},
    {"taps inside the guard after a toggle leave nothing pending", TriggerKey::Alt,
     "+LAlt@10 -LAlt@60 +LAlt@120 -LAlt@200 +LAlt@300 -LAlt@330", "first@330", 0},
    {"injected key-ups never form a tap", TriggerKey::Alt,
     "i+LAlt@0 i-LAlt@30 i+LAlt@100 i-LAlt@130 +LAlt@200 i-LAlt@230", ""},
    {"an injected second tap does not complete a real first", TriggerKey::Alt,
     "+LAlt@0 -LAlt@30 i+LAlt@100 i-LAlt@130", "first@30"},
    {"Win held spoils the tap", TriggerKey::Alt, "+LWin@0 +LAlt@10 -LAlt@40 -LWin@60", ""},
    {"disabled trigger never taps", TriggerKey::Disabled,
     "+LAlt@0 -LAlt@30 +LAlt@100 -LAlt@130 +LCtrl@200 -LCtrl@230", ""},
    {"Shift trigger ignores Ctrl taps", TriggerKey::Shift,
     "+LCtrl@0 -LCtrl@30 +LCtrl@100 -LCtrl@130", ""},
    {"key codes above 255 are not tracked and do not spoil a tap", TriggerKey::Alt,
     "+LAlt@0 -LAlt@30 +Big@40 -Big@50 +LAlt@100 -LAlt@130", "first@30 double@130"},
    {"Esc released with the palette in front hides it", TriggerKey::Alt, "+Esc@0 -Esc@40front!",
     "hide@40"},
    {"Esc handled elsewhere at its press does not hide", TriggerKey::Alt,
     "+Esc@0esc! -Esc@40front!", ""},
    {"Esc released elsewhere does not hide", TriggerKey::Alt, "+Esc@0 -Esc@40", ""},
    {"a second Esc is decided afresh", TriggerKey::Alt,
     "+Esc@0esc! -Esc@40front! +Esc@100 -Esc@140front!", "hide@140"},
    {"F2 press in front renames, elsewhere nothing", TriggerKey::Alt,
     "+F2@0front! -F2@20 +F2@100 -F2@120", "rename@0"},
    {"Esc press drops a pending tap", TriggerKey::Alt,
     "+LAlt@0 -LAlt@30 +Esc@60 -Esc@80 +LAlt@100 -LAlt@130", "first@30 first@130"},
};

TEST(DoubleTap, ScriptedSequences) {
    for (const TapCase& c : kTapCases) {
        for (std::uint32_t base : kBases) {
            EXPECT_EQ(Play(c.script, c.trigger, base, 500, c.toggleAt), c.expected)
                << c.name << " (base " << base << ")";
        }
    }
}

TEST(DoubleTap, GuardAfterToggleIgnoresReleasesButLeavesAnEarlierTapAlone) {
    KeyboardTracking tracking;
    // First tap well before the toggle, second release inside the guard: ignored, tap kept.
    EXPECT_EQ(
        Play("+LAlt@0 -LAlt@30 +LAlt@240 -LAlt@250", TriggerKey::Alt, 1000, 500, 100, &tracking),
        "first@30");
    EXPECT_TRUE(tracking.tap.pending);
    EXPECT_EQ(tracking.tap.firstTick, 1030u);
    // Outside the guard the same pending tap completes.
    EXPECT_EQ(Play("+LAlt@340 -LAlt@350", TriggerKey::Alt, 1000, 500, 100, &tracking),
              "double@350");
}

TEST(DoubleTap, WindowFollowsTheSystemDoubleClickTime) {
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {0, 500},   {1, 200},     {100, 200},   {199, 200},  {200, 200},
        {430, 430}, {1200, 1200}, {1201, 1200}, {5000, 1200}};
    for (auto [system, window] : cases) EXPECT_EQ(DoubleTapWindowMs(system), window) << system;
    // The window is what decides: 300 ms apart is a double tap with 430, not with 200.
    EXPECT_EQ(
        Play("+LAlt@0 -LAlt@10 +LAlt@200 -LAlt@310", TriggerKey::Alt, 5, DoubleTapWindowMs(430)),
        "first@10 double@310");
    EXPECT_EQ(
        Play("+LAlt@0 -LAlt@10 +LAlt@200 -LAlt@310", TriggerKey::Alt, 5, DoubleTapWindowMs(100)),
        "first@10 first@310");
}

TEST(DoubleTap, LostKeyUpsAreDroppedWhenTheSystemReportsTheKeyUp) {
    KeyboardTracking tracking;
    // C's key-up was swallowed by another program: the table still has it down.
    EXPECT_EQ(Play("+C@0 +LAlt@10 -LAlt@40", TriggerKey::Alt, 50, 500, -1, &tracking), "");
    EXPECT_TRUE(tracking.keys.IsDown(0x43));
    int asked = 0;
    tracking.keys.DropReleased([&](std::uint32_t vk) {
        ++asked;
        return vk == 0x43;
    });
    EXPECT_EQ(asked, 1) << "only marked keys are queried";
    EXPECT_FALSE(tracking.keys.Any());
    EXPECT_EQ(
        Play("+LAlt@100 -LAlt@130 +LAlt@200 -LAlt@230", TriggerKey::Alt, 50, 500, -1, &tracking),
        "first@130 double@230");
}

TEST(DoubleTap, SideModifierReleaseAlsoClearsTheGenericKey) {
    KeyboardTracking tracking;
    Play("+Ctrl@0 +LCtrl@0 +Shift@5 +RShift@5", TriggerKey::Alt, 1, 500, -1, &tracking);
    Play("-LCtrl@10 -RShift@20", TriggerKey::Alt, 1, 500, -1, &tracking);
    EXPECT_FALSE(tracking.keys.Any());
    KeyDownTable all;
    for (std::uint32_t vk = 0; vk < 256; ++vk) all.Mark(vk);
    int count = 0;
    all.DropReleased([&](std::uint32_t vk) {
        EXPECT_EQ(vk, static_cast<std::uint32_t>(count));
        ++count;
        return vk % 2 == 0;
    });
    EXPECT_EQ(count, 256);
    EXPECT_TRUE(all.IsDown(255) && all.IsDown(1) && !all.IsDown(0) && !all.IsDown(254));
}

TEST(DoubleTap, FirstTapOnTickZeroStillExpires) {
    KeyboardTracking tracking;
    EXPECT_EQ(Play("+LAlt@0 -LAlt@10", TriggerKey::Alt, 0xFFFFFFF6u, 500, -1, &tracking),
              "first@10");
    SweepStaleTap(tracking.tap, 2000, 500);
    EXPECT_FALSE(tracking.tap.pending);
}

TEST(DoubleTap, ResyncDropsStaleAndHiddenTaps) {
    for (std::uint32_t base : kBases) {
        KeyboardTracking tracking;
        Play("+LAlt@0 -LAlt@40", TriggerKey::Alt, base, 500, -1, &tracking);
        SweepStaleTap(tracking.tap, base + 40 + 1300, 500);
        EXPECT_TRUE(tracking.tap.pending) << "window + 800 not yet exceeded";
        SweepStaleTap(tracking.tap, base + 40 + 1301, 500);
        EXPECT_FALSE(tracking.tap.pending) << base;

        EXPECT_EQ(Play("+LAlt@100 -LAlt@140", TriggerKey::Alt, base, 500, -1, &tracking),
                  "first@140");
        tracking.keys.Mark(0x43);  // a key whose release never arrived
        SweepHiddenKeyboard(tracking);
        EXPECT_FALSE(tracking.tap.pending);
        EXPECT_FALSE(tracking.keys.Any());
    }
}

}  // namespace
}  // namespace lumetra::triggers
