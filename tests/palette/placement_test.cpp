#include "palette/placement.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace lumetra::palette {
namespace {

constexpr ScreenRect kWork{0, 0, 1920, 1040};
constexpr ScreenRect kLeftWork{-1920, 0, 0, 1040};

TEST(ClampAxis, PushesInsideOrPinsToTheStart) {
    EXPECT_EQ(ClampAxis(-50, 100, 0, 1000), 0);
    EXPECT_EQ(ClampAxis(950, 100, 0, 1000), 900);
    EXPECT_EQ(ClampAxis(400, 100, 0, 1000), 400);
    EXPECT_EQ(ClampAxis(400, 1000, 0, 1000), 0) << "exactly as large as the work area";
    EXPECT_EQ(ClampAxis(400, 1200, 0, 1000), 0) << "larger: pinned to the start, size kept";
    EXPECT_EQ(ClampAxis(-100, 100, -1920, 0), -100);
}

TEST(PlaceSavedRect, ClassifiesAndPlacesLikeTheLogSays) {
    const struct {
        const char* name;
        WindowRect saved;
        ScreenRect work;
        PlacementKind kind;
        ScreenRect beforeClamp;
        ScreenPoint position;
    } cases[] = {
        {"inside",
         {100, 100, 920, 580},
         kWork,
         PlacementKind::kFullyInside,
         {100, 100, 1020, 680},
         {100, 100}},
        {"hanging off the right",
         {1500, 100, 920, 580},
         kWork,
         PlacementKind::kSlid,
         {1000, 100, 1920, 680},
         {1000, 100}},
        {"hanging off the top-left",
         {-30, -20, 920, 580},
         kWork,
         PlacementKind::kSlid,
         {0, 0, 920, 580},
         {0, 0}},
        {"wider than the work area",
         {100, 100, 2500, 580},
         kWork,
         PlacementKind::kSlidClamped,
         {-580, 100, 1920, 680},
         {0, 100}},
        {"on a monitor that is gone",
         {-1800, 100, 920, 580},
         kWork,
         PlacementKind::kNoOverlapClamped,
         {-1800, 100, -880, 680},
         {0, 100}},
        {"far below",
         {100, 5000, 920, 580},
         kWork,
         PlacementKind::kNoOverlapClamped,
         {100, 5000, 1020, 5580},
         {100, 460}},
        {"negative monitor",
         {-1800, 50, 920, 580},
         kLeftWork,
         PlacementKind::kFullyInside,
         {-1800, 50, -880, 630},
         {-1800, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Placement p = PlaceSavedRect(c.saved, c.work);
        EXPECT_EQ(p.kind, c.kind);
        EXPECT_EQ(p.beforeClamp, c.beforeClamp);
        EXPECT_EQ(p.position, c.position);
        EXPECT_GE(p.position.x, c.work.left) << "never left of the work area";
    }
    EXPECT_STREQ(PlacementKindName(PlacementKind::kSlidClamped), L"slid->clamped");
    EXPECT_STREQ(PlacementKindName(PlacementKind::kNoOverlapClamped), L"noOverlap->clamped");
}

TEST(PlaceSavedRect, PlacementNeverChangesTheSizeAndStaysInsideWhenItFits) {
    for (int x = -3000; x <= 3000; x += 250)
        for (int y = -2000; y <= 2000; y += 250)
            for (const Size size : {Size{300, 200}, Size{1920, 1040}}) {
                const Placement p = PlaceSavedRect({x, y, size.width, size.height}, kWork);
                EXPECT_GE(p.position.x, kWork.left);
                EXPECT_LE(p.position.x + size.width, kWork.right);
                EXPECT_GE(p.position.y, kWork.top);
                EXPECT_LE(p.position.y + size.height, kWork.bottom);
            }
}

TEST(CursorPlacement, TopLeft24PixelsAboveAndLeftOfTheCursorClamped) {
    EXPECT_EQ(CursorPlacement({500, 400}, {920, 580}, kWork), (ScreenPoint{476, 376}));
    EXPECT_EQ(CursorPlacement({10, 10}, {920, 580}, kWork), (ScreenPoint{0, 0}));
    EXPECT_EQ(CursorPlacement({1900, 1030}, {920, 580}, kWork), (ScreenPoint{1000, 460}));
}

TEST(SavedSizeForMonitor, DefaultRectangleAndUnknownKeysHaveNoSize) {
    EXPECT_EQ(SavedSizeForMonitor(ScreenRect{0, 0, 800, 600}, true, kWork), (Size{800, 600}));
    EXPECT_EQ(SavedSizeForMonitor(kDefaultMonitorRect, true, kWork), std::nullopt);
    EXPECT_EQ(SavedSizeForMonitor(ScreenRect{0, 0, 800, 600}, false, kWork), std::nullopt);
    EXPECT_EQ(SavedSizeForMonitor(std::nullopt, true, kWork), std::nullopt);
    EXPECT_EQ(SavedSizeForMonitor(ScreenRect{0, 0, 3000, 2000}, true, kWork), (Size{1920, 1040}))
        << "limited to the work area";
}

TEST(MulDivRound, RoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDivRound(10, 3, 4), 8);  // 7.5
    EXPECT_EQ(MulDivRound(-10, 3, 4), -8);
    EXPECT_EQ(MulDivRound(10, 1, 3), 3);
    EXPECT_EQ(MulDivRound(96, 144, 96), 144);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(2000000000, 2, 1), -1) << "overflow";
}

TEST(SizeAnimation, SmoothstepOver200msAcrossTheTickWrap) {
    const std::uint32_t start = 0xFFFFFF9Cu;  // wraps 100 ms in
    SizeAnimation a{true, {800, 600}, {1000, 700}, start};
    EXPECT_EQ(StepSizeAnimation(a, start), (Size{800, 600}));
    EXPECT_EQ(StepSizeAnimation(a, start + 100), (Size{900, 650})) << "half way at half time";
    const Size late = StepSizeAnimation(a, start + 180);
    EXPECT_GT(late.width, 990);
    EXPECT_TRUE(a.active);
    EXPECT_EQ(StepSizeAnimation(a, start + 200), (Size{1000, 700}));
    EXPECT_FALSE(a.active);

    SizeAnimation shrink{true, {150, 150}, {90, 500}, 0};
    EXPECT_EQ(StepSizeAnimation(shrink, 190).width, 90) << "below 100 takes the target";
}

TEST(DragAnchor, CursorKeepsItsRelativePlaceWhileTheWindowScales) {
    DragAnchor anchor;
    AnchorDrag(anchor, {100, 100, 500, 300}, {300, 150});  // offset 200,50 in 400x200
    ASSERT_TRUE(anchor.valid && anchor.scalable);
    auto r = CursorAnchoredRect(anchor, {400, 200}, {1000, 500}, false);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (ScreenRect{800, 450, 1200, 650}));
    r = CursorAnchoredRect(anchor, {800, 400}, {1000, 500}, true);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (ScreenRect{600, 400, 1400, 800})) << "offset doubles with the size";
    EXPECT_FALSE(CursorAnchoredRect(anchor, {99, 400}, {0, 0}, true));

    DragAnchor tiny;
    AnchorDrag(tiny, {0, 0, 50, 50}, {10, 10});
    EXPECT_TRUE(tiny.valid);
    EXPECT_FALSE(tiny.scalable);
}

TEST(NearlySameSize, EightPixelsApartIsDifferent) {
    EXPECT_TRUE(NearlySameSize({800, 600}, {807, 593}));
    EXPECT_FALSE(NearlySameSize({800, 600}, {808, 600}));
    EXPECT_FALSE(NearlySameSize({800, 600}, {800, 592}));
}

}  // namespace
}  // namespace lumetra::palette
