#include "palette/placement_plan.h"

#include <gtest/gtest.h>

namespace lumetra::palette {
namespace {

// A made-up desk: a 1920x1080 main monitor with a taskbar, a smaller one to
// its left at negative coordinates.
constexpr ScreenRect kMainWork{0, 0, 1920, 1040};
constexpr ScreenRect kLeftWork{-1280, 200, 0, 1224};

PosMonitorInput Input(std::wstring key, ScreenRect work, std::optional<ScreenRect> entry,
                      std::size_t count = 1) {
    PosMonitorInput in;
    in.key = std::move(key);
    in.work = work;
    in.entry = entry;
    in.monitorPosCount = count;
    return in;
}

TEST(PlanPosMonitor, SavedEntryWinsOverTheWindowSetting) {
    const auto plan =
        PlanPosMonitor(Input(L"DISPLAY2", kLeftWork, ScreenRect{-1200, 300, -400, 900}));
    EXPECT_EQ(plan.rect.x, -1200);
    EXPECT_EQ(plan.rect.y, 300);
    EXPECT_EQ(plan.rect.width, 800);
    EXPECT_EQ(plan.rect.height, 600);
    EXPECT_FALSE(plan.shownAtCursor);
    ASSERT_EQ(plan.logLines.size(), 1u);
    EXPECT_EQ(
        plan.logLines[0],
        L"PosMonitor: mon='DISPLAY2' found=1 saved=(-1200,300,-400,900) work=(-1280,200,0,1224) "
        L"win=(-1200,300,-400,900) -> fullyInside (-1200,300,800x600)");
}

TEST(PlanPosMonitor, DefaultRectangleEntryBehavesLikeNoEntryButCountsAsFound) {
    PosMonitorInput in = Input(L"DISPLAY1", kMainWork, kDefaultMonitorRect);
    in.windowSetting = {1500, 100, 920, 580};
    const auto plan = PlanPosMonitor(in);
    EXPECT_EQ(plan.rect.x, 1000) << "[Window] slid into the work area";
    ASSERT_EQ(plan.logLines.size(), 1u);
    EXPECT_NE(plan.logLines[0].find(L"found=1 saved=(120,120,1040,700)"), std::wstring::npos);
    EXPECT_NE(plan.logLines[0].find(L"-> slid (1000,100,920x580)"), std::wstring::npos);
}

TEST(PlanPosMonitor, MissingEntriesAreExplained) {
    auto plan = PlanPosMonitor(Input(L"DISPLAY3", kMainWork, std::nullopt, 2));
    ASSERT_EQ(plan.logLines.size(), 2u);
    EXPECT_EQ(plan.logLines[0],
              L"MonitorPos: no entry for 'DISPLAY3' (2 keys in config); using [Window] X/Y/W/H.");
    EXPECT_NE(plan.logLines[1].find(L"found=0 saved=(-1,-1,-1,-1)"), std::wstring::npos);

    plan = PlanPosMonitor(Input(L"DISPLAY3", kMainWork, std::nullopt, 0));
    EXPECT_EQ(plan.logLines.size(), 1u) << "an empty table says nothing";

    plan = PlanPosMonitor(Input(kUnknownMonitorKey, kMainWork, std::nullopt, 0));
    EXPECT_EQ(plan.logLines[0],
              L"MonitorPos: could not resolve monitor device name; using [Window] X/Y/W/H.");
}

TEST(PlanPosMonitor, AtTheCursorIsClampedAndNotPersisted) {
    PosMonitorInput in = Input(L"DISPLAY2", kLeftWork, ScreenRect{-1200, 300, -400, 900});
    in.showAtCursor = true;
    in.cursor = {-10, 1200};
    const auto plan = PlanPosMonitor(in);
    EXPECT_TRUE(plan.shownAtCursor);
    EXPECT_EQ(plan.rect.x, -800);
    EXPECT_EQ(plan.rect.y, 624);
    EXPECT_EQ(plan.logLines.back(),
              L"PosMonitor: showAtCursor cursor=(-10,1200) -> (-800,624,800x600) [not persisted]");
}

TEST(PlanPosMonitor, WindowLargerThanTheWorkAreaKeepsItsSizeAtTheLeftEdge) {
    const auto plan = PlanPosMonitor(Input(L"DISPLAY2", kLeftWork, ScreenRect{-1500, 250, 0, 900}));
    EXPECT_EQ(plan.rect.x, -1280);
    EXPECT_EQ(plan.rect.width, 1500);
    EXPECT_NE(plan.logLines[0].find(L"slid->clamped"), std::wstring::npos);
}

TEST(CrossFilter, DragNeedsTwoMovesOnTheSameNewMonitor) {
    CrossFilterState s;
    EXPECT_EQ(StepCrossFilter(s, L"B", L"A", true), CrossFilterAction::kNone);
    EXPECT_EQ(StepCrossFilter(s, L"C", L"A", true), CrossFilterAction::kNone)
        << "a different key restarts";
    EXPECT_EQ(s.pendingCount, 1);
    EXPECT_EQ(StepCrossFilter(s, L"C", L"A", true), CrossFilterAction::kCross);
    EXPECT_TRUE(s.pendingKey.empty());
    EXPECT_EQ(StepCrossFilter(s, L"B", L"A", true), CrossFilterAction::kNone);
    EXPECT_EQ(StepCrossFilter(s, L"A", L"A", true), CrossFilterAction::kNone) << "back home clears";
    EXPECT_EQ(s.pendingCount, 0);
    EXPECT_EQ(StepCrossFilter(s, L"B", L"A", true), CrossFilterAction::kNone);
}

TEST(CrossFilter, OutsideADragOneMoveIsEnoughAndUnknownMonitorsNeverCross) {
    CrossFilterState s;
    EXPECT_EQ(StepCrossFilter(s, L"B", L"A", false), CrossFilterAction::kCross);
    EXPECT_EQ(StepCrossFilter(s, L"_unknown", L"A", true), CrossFilterAction::kUnknownMonitor);
    EXPECT_EQ(StepCrossFilter(s, L"", L"A", false), CrossFilterAction::kUnknownMonitor);
}

class Moving : public ::testing::Test {
  protected:
    void SetUp() override {
        drag.inSizeMove = true;
        AnchorDrag(drag.anchor, window, {300, 150});  // cursor 200,50 inside
    }
    DragState drag;
    ScreenRect window{100, 100, 500, 300};
    ScreenRect proposed{0, 0, 0, 0};
};

TEST_F(Moving, WithoutQueuedSizeTheWindowFollowsTheCursorAtItsSize) {
    const MovingStep step = StepMoving(drag, 0, window, ScreenPoint{1000, 500}, proposed);
    EXPECT_TRUE(step.handled);
    EXPECT_EQ(proposed, (ScreenRect{800, 450, 1200, 650}));
    EXPECT_FALSE(step.storeWindowSize);
}

TEST_F(Moving, QueuedSizeAnimatesOver200msKeepingTheCursorInPlace) {
    drag.queuedCrossSize = {800, 400};
    MovingStep step = StepMoving(drag, 1000, window, ScreenPoint{300, 150}, proposed);
    EXPECT_TRUE(step.handled);
    EXPECT_TRUE(drag.animation.active);
    EXPECT_EQ(*step.storeWindowSize, (Size{400, 200}));
    EXPECT_EQ(drag.queuedCrossSize, (Size{0, 0})) << "taken from the queue";

    step = StepMoving(drag, 1100, ScreenRect{100, 100, 500, 300}, ScreenPoint{300, 150}, proposed);
    EXPECT_EQ(*step.storeWindowSize, (Size{600, 300}));
    EXPECT_EQ(proposed, (ScreenRect{0, 75, 600, 375})) << "offset scaled to 300,75";
    EXPECT_EQ(*step.storeWindowPos, (ScreenPoint{0, 75}));

    step = StepMoving(drag, 1200, ScreenRect{0, 75, 600, 375}, ScreenPoint{300, 150}, proposed);
    EXPECT_EQ(*step.storeWindowSize, (Size{800, 400}));
    EXPECT_FALSE(drag.animation.active);
}

TEST_F(Moving, NearlyTheQueuedSizeSkipsTheAnimation) {
    drag.queuedCrossSize = {405, 195};
    const MovingStep step = StepMoving(drag, 0, window, ScreenPoint{300, 150}, proposed);
    EXPECT_FALSE(step.handled);
    EXPECT_EQ(*step.storeWindowSize, (Size{405, 195}));
    EXPECT_FALSE(drag.animation.active);
}

TEST_F(Moving, NothingOutsideADragOrWithoutAnchorOrReadableWindow) {
    drag.inSizeMove = false;
    EXPECT_FALSE(StepMoving(drag, 0, window, ScreenPoint{0, 0}, proposed).handled);
    drag.inSizeMove = true;
    drag.anchor.valid = false;
    EXPECT_FALSE(StepMoving(drag, 0, window, ScreenPoint{0, 0}, proposed).handled);
    drag.anchor.valid = true;
    EXPECT_FALSE(StepMoving(drag, 0, std::nullopt, ScreenPoint{0, 0}, proposed).handled);
    EXPECT_FALSE(
        StepMoving(drag, 0, ScreenRect{0, 0, 99, 500}, ScreenPoint{0, 0}, proposed).handled);
}

}  // namespace
}  // namespace lumetra::palette
