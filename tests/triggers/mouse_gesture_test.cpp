// Scripted side-button sequences: double clicks through the mouse hook, long
// presses through raw input and the 50 ms poll, and the resync steps; each
// script also runs across the wrap of the 32-bit tick count.
#include "triggers/mouse_gesture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace lumetra::triggers {
namespace {

using config::MouseMode;

// Appends "name@ms" (append only: GCC 12 warns falsely on string operator+ at -O3).
void Note(std::string& out, const char* name, std::uint32_t ms) {
    if (!out.empty()) out.append(" ");
    out.append(name).append("@").append(std::to_string(ms));
}

constexpr std::uint32_t kBases[] = {1000u, 0xFFFFFE00u, 0xFFFFFF9Cu};

// "X2v@0" X2 down, "X2^@80" X2 up, "X2dbl@90" the system's double click,
// "mv@50" move (button up), "mvh@50" move with the button reported down,
// "lb@" / "rb@" left / right press. Returns "click@t", "sysdbl@t", "stale@t".
std::string RunHook(const std::string& script, std::uint32_t selected, std::uint32_t base,
                    std::int64_t toggleAt = -1, MouseGestureState* keep = nullptr,
                    MouseMode mode = MouseMode::DoubleClick) {
    MouseGestureState local;
    MouseGestureState& state = keep ? *keep : local;
    MouseSettings settings;
    settings.mode = mode;
    settings.button = selected;
    settings.windowMs = 500;
    settings.lastToggleTick = toggleAt < 0 ? 0 : base + static_cast<std::uint32_t>(toggleAt);
    std::istringstream in(script);
    std::string token, out;
    while (in >> token) {
        const std::size_t at = token.find('@');
        const std::string what = token.substr(0, at);
        const std::uint32_t ms = static_cast<std::uint32_t>(std::stoul(token.substr(at + 1)));
        MouseHookEvent event;
        if (what == "mv" || what == "lb" || what == "rb") {
            event.kind = MouseEventKind::kPointerActivity;
        } else if (what == "mvh") {
            event.kind = MouseEventKind::kPointerActivity;
            event.selectedButtonUp = false;
        } else {
            event.button = static_cast<std::uint32_t>(what[1] - '0');
            const std::string edge = what.substr(2);
            event.kind = edge == "v"   ? MouseEventKind::kXDown
                         : edge == "^" ? MouseEventKind::kXUp
                                       : MouseEventKind::kXDoubleClick;
        }
        const MouseAction action = StepMouseHook(state, event, settings, base + ms);
        const char* name = action == MouseAction::kDoubleClick      ? "click"
                           : action == MouseAction::kDoubleClickMsg ? "sysdbl"
                           : action == MouseAction::kStaleReset     ? "stale"
                                                                    : nullptr;
        if (action == MouseAction::kStaleReset)
            state = MouseGestureState{};  // what the hook's reset does
        if (name) Note(out, name, ms);
    }
    return out;
}

struct ClickCase {
    const char* name;
    std::uint32_t selected;
    const char* script;
    const char* expected;
    std::int64_t toggleAt = -1;
    MouseMode mode = MouseMode::DoubleClick;
};

const ClickCase kClickCases[] = {
    {"X2 double click without moving", 2, "X2v@0 X2^@60 X2v@300 X2^@360", "click@360"},
    {"a 1-pixel move between the clicks drops the first", 2, "X2v@0 X2^@60 mv@200 X2v@300 X2^@360",
     "stale@200"},
    {"a left press between the clicks drops the first", 2, "X2v@0 X2^@60 lb@200 X2v@300 X2^@360",
     "stale@200"},
    {"a right press between the clicks drops the first", 2, "X2v@0 X2^@60 rb@200 X2v@300 X2^@360",
     "stale@200"},
    {"moving while the button is still down keeps the click", 2,
     "X2v@0 X2^@60 mvh@100 X2v@300 X2^@360", "click@360"},
    {"moves with nothing pending cost nothing", 2, "mv@0 mv@10 X2v@20 X2^@60 X2v@100 X2^@160",
     "click@160"},
    {"X1 clicks while X2 is selected do nothing", 2, "X1v@0 X1^@60 X1v@200 X1^@260", ""},
    {"an X1 click between X2 clicks is ignored", 2, "X2v@0 X2^@60 X1v@100 X1^@120 X2v@200 X2^@260",
     "click@260"},
    {"X1 selected", 1, "X1v@0 X1^@60 X1v@200 X1^@260", "click@260"},
    {"release to release beyond the window starts over", 2,
     "X2v@0 X2^@60 X2v@500 X2^@561 X2v@600 X2^@700", "click@700"},
    {"release exactly at the window edge counts", 2, "X2^@0 X2^@500", "click@500"},
    {"a release inside the guard after a toggle is not a first click", 2,
     "X2^@100 X2^@300 X2^@900 X2^@1000", "click@1000", 0},
    {"the system double click message toggles", 2, "X2v@0 X2^@60 X2dbl@100", "sysdbl@100"},
    {"the system double click inside the guard is ignored", 2, "X2dbl@100", "", 0},
    {"a third click after a double click starts over", 2, "X2^@0 X2^@100 X2^@200 X2^@300",
     "click@100 click@300"},
    // The hook may outlive its mode until the route is rebuilt (a reload):
    // only double-click mode acts on X-button clicks.
    {"long-press mode ignores a double click", 2, "X2v@0 X2^@60 X2v@300 X2^@360", "", -1,
     MouseMode::LongPress},
    {"disabled ignores a double click", 2, "X2v@0 X2^@60 X2v@300 X2^@360", "", -1,
     MouseMode::Disabled},
    {"disabled ignores the system double click message", 2, "X2v@0 X2^@60 X2dbl@100", "", -1,
     MouseMode::Disabled},
};

TEST(MouseDoubleClick, ScriptedSequences) {
    for (const ClickCase& c : kClickCases)
        for (std::uint32_t base : kBases)
            EXPECT_EQ(RunHook(c.script, c.selected, base, c.toggleAt, nullptr, c.mode), c.expected)
                << c.name << " (base " << base << ")";
}

TEST(MouseDoubleClick, AClickWhileDisabledIsNoFirstClickAfterwards) {
    MouseGestureState state;
    EXPECT_EQ(RunHook("X2^@0", 2, 1000, -1, &state, MouseMode::Disabled), "");
    EXPECT_FALSE(state.firstClickPending);
    EXPECT_EQ(RunHook("X2^@100", 2, 1000, -1, &state), "")
        << "the click made while disabled paired with one made after switching back";
}

// Long press: raw edges "P2@0" press X2, "R2@350" release X2 (P1/R1 for X1),
// and the poll running every 50 ms from `phase` until `until`. The poll sees
// the button up when the script last released it. Returns "fire@t" entries.
std::string RunLongPress(const std::string& script, std::uint32_t base, std::uint32_t phase,
                         std::uint32_t until = 2000, std::uint32_t hold = 450,
                         std::uint32_t selected = 2, MouseGestureState* keep = nullptr) {
    MouseGestureState local;
    MouseGestureState& state = keep ? *keep : local;
    MouseSettings settings;
    settings.mode = MouseMode::LongPress;
    settings.button = selected;
    settings.holdMs = hold;
    struct Edge {
        std::uint32_t at;
        std::uint16_t flags;
    };
    Edge edges[16];
    int count = 0;
    std::istringstream in(script);
    std::string token;
    while (in >> token) {
        const bool press = token[0] == 'P';
        const bool x1 = token[1] == '1';
        const std::uint16_t flag =
            x1 ? (press ? kRawX1Down : kRawX1Up) : (press ? kRawX2Down : kRawX2Up);
        edges[count++] = {static_cast<std::uint32_t>(std::stoul(token.substr(3))), flag};
    }
    std::string out;
    auto note = [&](const LongPressOutput& o, std::uint32_t t) {
        if (o.fired) Note(out, "fire", t);
    };
    bool held = false;
    int next = 0;
    for (std::uint32_t t = 0; t <= until; ++t) {
        while (next < count && edges[next].at == t) {
            const std::uint16_t f = edges[next].flags;
            if (f == (selected == 1 ? kRawX1Down : kRawX2Down)) held = true;
            if (f == (selected == 1 ? kRawX1Up : kRawX2Up)) held = false;
            note(StepRawButtons(state, f, settings, base + t), t);
            ++next;
        }
        if (t >= phase && (t - phase) % 50 == 0)
            note(StepLongPressPoll(state, settings, base + t, !held), t);
    }
    return out;
}

TEST(MouseLongPress, HoldingFiresOnceBetweenTheHoldTimeAndTheNextPoll) {
    for (std::uint32_t base : kBases) {
        for (std::uint32_t phase = 0; phase < 50; phase += 7) {
            const std::string out = RunLongPress("P2@10 R2@1010", base, phase);
            ASSERT_EQ(out.rfind("fire@", 0), 0u) << out;
            const auto t = std::stoul(out.substr(5));
            EXPECT_GE(t, 460u);
            EXPECT_LT(t, 510u);
            EXPECT_EQ(out.find(' '), std::string::npos)
                << "fired more than once: " << out << " base " << base;
        }
    }
}

TEST(MouseLongPress, ReleaseBeforeTheHoldTime) {
    for (std::uint32_t base : kBases) {
        for (std::uint32_t phase = 0; phase < 50; phase += 5) {
            // Released at 350 ms: the poll that reaches 450 ms comes before the
            // 150 ms after the release have passed.
            EXPECT_NE(RunLongPress("P2@0 R2@350", base, phase), "")
                << "phase " << phase << " base " << base;
            // Released at 200 ms: the cluster closes before the hold time.
            EXPECT_EQ(RunLongPress("P2@0 R2@200", base, phase), "")
                << "phase " << phase << " base " << base;
        }
    }
}

TEST(MouseLongPress, PressAndReleaseOnTickZeroStillCount) {
    // Tick 0 means "none" in the cluster fields; a press or release landing on
    // it must still be timed and closed.
    EXPECT_EQ(RunLongPress("P2@10 R2@1010", 0xFFFFFFF6u, 0), "fire@500");
    MouseGestureState state;
    EXPECT_EQ(RunLongPress("P2@0 R2@10", 0xFFFFFFF6u, 0, 400, 450, 2, &state), "");
    EXPECT_FALSE(state.clusterOpen) << "a release on tick 0 still lets the poll close the cluster";
}

TEST(MouseLongPress, RawReleaseAtTheHoldTimeFiresWithoutThePoll) {
    EXPECT_EQ(RunLongPress("P2@0 R2@470", 1000, 0, 2000, 450, 2), "fire@450");
    // No poll at all: the release itself fires.
    EXPECT_EQ(RunLongPress("P2@0 R2@470", 1000, 5000, 2000, 450, 2), "fire@470");
}

TEST(MouseLongPress, RepressingRestartsTheTiming) {
    for (std::uint32_t base : kBases) {
        const std::string out = RunLongPress("P2@0 R2@100 P2@300 R2@1300", base, 3);
        EXPECT_EQ(out, "fire@753") << base;
    }
}

TEST(MouseLongPress, OtherButtonAndOtherModesDoNothing) {
    EXPECT_EQ(RunLongPress("P1@0 R1@1000", 1000, 0), "");
    EXPECT_EQ(RunLongPress("P1@0 R1@1000", 1000, 0, 2000, 450, 1), "fire@450");
    MouseGestureState state;
    MouseSettings settings;
    settings.mode = MouseMode::DoubleClick;
    EXPECT_EQ(StepRawButtons(state, kRawX2Down, settings, 10).clustersStarted, 0);
    EXPECT_FALSE(state.rawX2Down) << "raw input is ignored outside long-press mode";
    EXPECT_FALSE(StepLongPressPoll(state, settings, 10000, true).fired);
}

TEST(MouseLongPress, AfterFiringTheReleaseOpensAClusterThatClosesWithoutFiring) {
    MouseGestureState state;
    EXPECT_EQ(RunLongPress("P2@0 R2@800", 1000, 0, 1200, 450, 2, &state), "fire@450");
    EXPECT_FALSE(state.clusterOpen) << "closed about 150 ms after the release";
    EXPECT_EQ(state.clusterStartTick, 0u);
}

TEST(MouseLongPress, EdgesOnlyCountOnce) {
    MouseGestureState state;
    MouseSettings settings;
    settings.mode = MouseMode::LongPress;
    EXPECT_EQ(StepRawButtons(state, kRawX2Down, settings, 100).clustersStarted, 1);
    // A repeated down report is no fresh press and does not restart the timing.
    EXPECT_EQ(StepRawButtons(state, kRawX2Down, settings, 300).clustersStarted, 0);
    EXPECT_EQ(state.clusterStartTick, 100u);
    EXPECT_TRUE(StepRawButtons(state, kRawX2Up, settings, 560).fired);
    EXPECT_EQ(StepRawButtons(state, kRawX2Up, settings, 600).clustersStarted, 0)
        << "no second release edge";
}

TEST(MouseResync, StaleFirstClickAndLongPressAreCleared) {
    for (std::uint32_t base : kBases) {
        MouseGestureState state;
        RunHook("X2^@0", 2, base, -1, &state);
        SweepStaleClick(state, base + 1300, 500);
        EXPECT_TRUE(state.firstClickPending);
        SweepStaleClick(state, base + 1301, 500);
        EXPECT_FALSE(state.firstClickPending) << base;
    }

    MouseSettings settings;
    settings.mode = MouseMode::LongPress;
    MouseGestureState state;
    StepRawButtons(state, kRawX2Down, settings, 100);  // its release was lost
    MouseSweepFacts facts;
    facts.selectedUp = false;
    facts.x2Up = false;
    facts.paletteVisible = false;
    SweepLongPress(state, settings, facts);
    SweepHiddenMouse(state, facts);
    EXPECT_TRUE(state.clusterOpen) << "the button is still down";
    facts.x2Up = facts.selectedUp = true;
    SweepLongPress(state, settings, facts);
    EXPECT_FALSE(state.rawX2Down);
    EXPECT_FALSE(state.clusterOpen);
    SweepHiddenMouse(state, facts);
    EXPECT_EQ(state.clusterStartTick, 0u);
    EXPECT_EQ(state.releaseTick, 0u);
    EXPECT_FALSE(state.longPressFired);
}

}  // namespace
}  // namespace lumetra::triggers
