#include "palette/frame.h"

#include <gtest/gtest.h>

#include <vector>

#include "palette/toggle_decision.h"

namespace lumetra::palette {
namespace {

TEST(PaletteHitTest, TenPixelBandResizesCornersAndEdges) {
    const ScreenRect w{100, 100, 500, 400};
    const struct {
        ScreenPoint p;
        HitTest expected;
    } cases[] = {
        {{100, 100}, kHitTopLeft},    {{109, 105}, kHitTopLeft},     {{110, 105}, kHitTop},
        {{491, 105}, kHitTopRight},   {{490, 105}, kHitTop},         {{300, 109}, kHitTop},
        {{300, 110}, kHitClient},     {{300, 390}, kHitClient},      {{300, 391}, kHitBottom},
        {{105, 395}, kHitBottomLeft}, {{495, 395}, kHitBottomRight}, {{105, 250}, kHitLeft},
        {{495, 250}, kHitRight},      {{-5, 250}, kHitLeft},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PaletteHitTest(w, c.p), c.expected) << c.p.x << "," << c.p.y;
}

TEST(FadeIn, EaseOutToTheOpacityTargetIn240ms) {
    EXPECT_EQ(FadeTargetAlpha(100), 255);
    EXPECT_EQ(FadeTargetAlpha(75), 191);
    EXPECT_EQ(FadeTargetAlpha(30), 140);
    EXPECT_EQ(FadeTargetAlpha(60), 255);

    EXPECT_EQ(FadeInAlpha(0, 255), 1) << "at least 1 while fading";
    EXPECT_EQ(FadeInAlpha(120, 255), (360u * 120u * 255u + 28800u) / 57600u);
    EXPECT_EQ(FadeInAlpha(239, 255), 255);
    EXPECT_EQ(FadeInAlpha(240, 191), 191);
    EXPECT_EQ(FadeInAlpha(100000, 140), 140);
    std::uint8_t previous = 0;
    for (std::uint32_t t = 0; t <= 240; ++t) {
        const std::uint8_t a = FadeInAlpha(t, 191);
        EXPECT_GE(a, previous) << "never darkens again at t=" << t;
        EXPECT_LE(a, 191);
        previous = a;
    }
}

TEST(ToggleDecision, CooldownAndRelocation) {
    EXPECT_TRUE(InToggleCooldown(1100, 1000));
    EXPECT_TRUE(InToggleCooldown(1179, 1000));
    EXPECT_FALSE(InToggleCooldown(1180, 1000));
    EXPECT_TRUE(InToggleCooldown(50, 0xFFFFFFF0u)) << "across the wrap";
    EXPECT_FALSE(InToggleCooldown(100, 0)) << "0 means no cooldown runs";

    std::uint32_t last = 0;
    EXPECT_TRUE(BeginToggle(0, last));
    EXPECT_NE(last, 0u) << "a toggle at tick 0 still starts a cooldown";
    EXPECT_FALSE(BeginToggle(100, last));
    EXPECT_EQ(last, 1u) << "a skipped request leaves the tick";

    EXPECT_EQ(DecideToggle(false, true), ToggleAction::kShow);
    EXPECT_EQ(DecideToggle(true, true), ToggleAction::kRelocate);
    EXPECT_EQ(DecideToggle(true, false), ToggleAction::kHide);
}

// Requests handled in queue order, each at the tick it is handled; true for
// each request that toggled.
std::vector<bool> HandleQueuedRequests(const std::vector<protocol::ToggleSource>& sources,
                                       std::uint32_t firstTick) {
    std::uint32_t last = 0;
    std::vector<bool> toggled;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (ToggleRequestClearsCooldown(sources[i])) last = 0;
        toggled.push_back(BeginToggle(firstTick + 10 * static_cast<std::uint32_t>(i), last));
    }
    return toggled;
}

TEST(ToggleDecision, EveryQueuedHotkeyPressTogglesWhileOtherSourcesKeepTheCooldown) {
    using S = protocol::ToggleSource;
    EXPECT_EQ(HandleQueuedRequests({S::kHotkey, S::kHotkey}, 5000), (std::vector<bool>{true, true}))
        << "two presses queued before the first request ran: shown, then hidden";
    EXPECT_EQ(HandleQueuedRequests({S::kDoubleTap, S::kDoubleTap}, 5000),
              (std::vector<bool>{true, false}));
    EXPECT_EQ(HandleQueuedRequests({S::kMouseGesture, S::kSecondInstance}, 5000),
              (std::vector<bool>{true, false}));
    EXPECT_EQ(HandleQueuedRequests({S::kDoubleTap, S::kHotkey}, 5000),
              (std::vector<bool>{true, true}));
}

}  // namespace
}  // namespace lumetra::palette
