// The cover's fade and its waits, driven by a fake clock.
#include "palette/cover_fade.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace lumetra::palette {
namespace {

// Runs a whole fade as the 16 ms timer does: the ticks until the cover hides
// and the opacity each tick leaves.
struct FadeRun {
    int ticks = 0;
    int firstStepAlpha = 0;
};
FadeRun RunFade(int ms) {
    const int steps = FadeSteps(ms);
    FadeRun run;
    int alpha = kOpaque;
    while (alpha > 0 && run.ticks < 1000) {
        alpha = NextFadeAlpha(alpha, steps);
        if (++run.ticks == 1) run.firstStepAlpha = alpha;
    }
    return run;
}

TEST(CoverFade, LengthsBecomeWholeStepsThatEndHidden) {
    const struct {
        int ms;
        int ticks;
        int firstStepAlpha;
    } cases[] = {
        {180, 12, 255 - 22},                             // the cross-fade after a reveal
        {256, 16, 255 - 16},                             // the plain fade-out
        {0, 1, 0},                                       // hidden on the first tick
        {1, 1, 0},           {17, 2, 127}, {-40, 1, 0},  // a nonsense length still ends
    };
    for (const auto& c : cases) {
        const FadeRun run = RunFade(c.ms);
        EXPECT_EQ(run.ticks, c.ticks) << c.ms << " ms";
        EXPECT_EQ(run.firstStepAlpha, c.firstStepAlpha) << c.ms << " ms";
    }
}

TEST(CoverFade, AFadeWithoutAStepCountStillEndsIn16Steps) {
    int alpha = kOpaque, ticks = 0;
    while (alpha > 0 && ticks < 1000) {
        alpha = NextFadeAlpha(alpha, 0);
        ++ticks;
    }
    EXPECT_EQ(ticks, 16);
}

TEST(CoverMinimumTime, AHideWaitsForTheRestOfTheShowMinimum) {
    const std::uint32_t shown = 5000;
    const std::uint32_t notBefore = RaisedHideNotBefore(0, shown, kCoverMinShowMs);
    EXPECT_EQ(HideWaitMs(notBefore, shown + 100), 250u) << "hidden 100 ms after the show";
    EXPECT_EQ(HideWaitMs(notBefore, shown + 349), 1u);
    EXPECT_EQ(HideWaitMs(notBefore, shown + 350), 0u);
    EXPECT_EQ(HideWaitMs(notBefore, shown + 9000), 0u);
    EXPECT_EQ(HideWaitMs(0, shown), 0u) << "no limit set";

    // Across the tick counter's wrap.
    const std::uint32_t late = 0xFFFFFF00u;
    const std::uint32_t wrapped = RaisedHideNotBefore(0, late, kCoverMinShowMs);
    EXPECT_EQ(HideWaitMs(wrapped, late + 100), 250u);
    EXPECT_EQ(HideWaitMs(wrapped, late + 400), 0u);
}

TEST(CoverMinimumTime, AShowNeverShortensALaterLimit) {
    const struct {
        const char* name;
        std::uint32_t current;
        std::uint32_t now;
        std::uint32_t expected;
    } cases[] = {
        {"none set", 0, 1000, 1350},
        {"an earlier one", 1100, 1000, 1350},
        {"a later one stays", 5000, 1000, 5000},
        {"a later one past the wrap stays", 0x00000100u, 0xFFFFFF00u, 0x00000100u},
        {"an earlier one before the wrap moves past it", 0xFFFFFF10u, 0xFFFFFF00u,
         0xFFFFFF00u + 350},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RaisedHideNotBefore(c.current, c.now, kCoverMinShowMs), c.expected) << c.name;
}

TEST(CoverRecentlyShown, FreshWhileFadingInBeforeTheMinimumOrWithin750Ms) {
    const std::uint32_t now = 20000;
    const struct {
        const char* name;
        bool fadingIn;
        std::uint32_t hideNotBefore;
        std::uint32_t shownTick;
        bool expected;
    } cases[] = {
        {"nothing", false, 0, 0, false},
        {"the palette fades in", true, 0, 0, true},
        {"minimum time ahead", false, now + 10, 0, true},
        {"minimum time passed", false, now - 10, 0, false},
        {"shown 749 ms ago", false, 0, now - 749, true},
        {"shown 750 ms ago", false, 0, now - 750, false},
        {"shown just before the wrap", false, 0, 0xFFFFFF00u, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CoverRecentlyShown(c.fadingIn, c.hideNotBefore, c.shownTick, now), c.expected)
            << c.name;
    EXPECT_TRUE(CoverRecentlyShown(false, 0, 0xFFFFFF00u, 0xFFFFFF00u + 500))
        << "500 ms across the wrap";
}

TEST(OverlayWatchdog, RemovesOnlyACoverNothingElseWillRemove) {
    const std::uint32_t shown = 100000;
    StrandedCoverCheck stranded;
    stranded.shown = true;
    stranded.shownTick = shown;
    EXPECT_FALSE(CoverStranded(stranded, shown + 1500));
    EXPECT_TRUE(CoverStranded(stranded, shown + 1501));

    const struct {
        const char* name;
        void (*change)(StrandedCoverCheck&);
    } busy[] = {
        {"a refresh settles", [](StrandedCoverCheck& c) { c.settling = true; }},
        {"a reveal is deferred", [](StrandedCoverCheck& c) { c.revealDeferred = true; }},
        {"a reveal sweep is armed", [](StrandedCoverCheck& c) { c.remainingSweeps = 1; }},
        {"the cover fades out", [](StrandedCoverCheck& c) { c.fading = true; }},
        {"the cover is hidden", [](StrandedCoverCheck& c) { c.shown = false; }},
        {"no show time", [](StrandedCoverCheck& c) { c.shownTick = 0; }},
    };
    for (const auto& b : busy) {
        StrandedCoverCheck check = stranded;
        b.change(check);
        EXPECT_FALSE(CoverStranded(check, shown + 60000)) << b.name;
    }

    StrandedCoverCheck wrapped = stranded;
    wrapped.shownTick = 0xFFFFFC00u;  // 1024 ms before the wrap
    EXPECT_FALSE(CoverStranded(wrapped, 0xFFFFFD00u)) << "256 ms, the deadline past the wrap";
    EXPECT_FALSE(CoverStranded(wrapped, 0x00000100u)) << "1280 ms across the wrap";
    EXPECT_TRUE(CoverStranded(wrapped, 0x00000200u)) << "1536 ms across the wrap";
}

}  // namespace
}  // namespace lumetra::palette
