#include "hostedview/icon_grid_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::hostedview {
namespace {

TEST(SmallIconCell, WidthFromItsPartsAtEachDpi) {
    // A 16-pixel small image list, no state images, a 100-pixel label.
    const SmallIconCell at96 = SmallIconCellParts(96, 16, 0, 100);
    EXPECT_EQ(at96.statePx, 20) << "a missing list counts as 20 pixels";
    EXPECT_EQ(SmallIconCellWidth(at96), 16 + 20 + 8 + 100 + 16);

    // No image lists and an empty view at 144 DPI: the parts fall short of
    // the scaled minimum of 78, so the cell is their sum of 96.
    const SmallIconCell at144 = SmallIconCellParts(144, 0, -1, 0);
    EXPECT_EQ(at144.iconPx, 30);
    EXPECT_EQ(at144.statePx, 30);
    EXPECT_EQ(at144.minimumPx, 78);
    EXPECT_EQ(SmallIconCellWidth(at144), 96);

    // Tiny parts are held at the minimum.
    SmallIconCell tiny = SmallIconCellParts(96, 1, 1, 0);
    EXPECT_EQ(SmallIconCellWidth(tiny), 52);
    // 120 DPI rounds as MulDiv does: 20 * 1.25 = 25, 8 * 1.25 = 10.
    EXPECT_EQ(SmallIconCellParts(120, 0, 0, 0).iconPx, 25);
    EXPECT_EQ(ScaleForDpi(41, 120), 51);  // 51.25
    EXPECT_EQ(ScaleForDpi(42, 144), 63);
}

TEST(SmallIconGrid, RowMajorCellsFromTheTopLeft) {
    EXPECT_EQ(ItemsPerRow(500, 160), 3);
    const int cy = 41;
    const GridPosition fourth = SmallIconGridPosition(4, 160, cy, 3);
    EXPECT_EQ(fourth.x, 164);
    EXPECT_EQ(fourth.y, cy + 5);
    const GridPosition first = SmallIconGridPosition(0, 160, cy, 3);
    EXPECT_EQ(first.x, 4);
    EXPECT_EQ(first.y, 5);
    EXPECT_EQ(SmallIconGridPosition(6, 160, cy, 3).y, 2 * cy + 5);

    // Narrower than one cell, or not measured yet: still one item per row.
    EXPECT_EQ(ItemsPerRow(100, 160), 1);
    EXPECT_EQ(ItemsPerRow(0, 160), 1);
    EXPECT_EQ(ItemsPerRow(-20, 160), 1);
    EXPECT_EQ(ItemsPerRow(500, 0), 1);
    EXPECT_EQ(SmallIconGridPosition(2, 160, cy, 0).y, 2 * cy + 5);
}

TEST(IconSpacing, FixedSizesIgnoreTheDpiAndSmallIconsConvertBack) {
    EXPECT_EQ(FixedIconSpacing(config::ViewMode::Large).cx, 136);
    EXPECT_EQ(FixedIconSpacing(config::ViewMode::Large).cy, 152);
    EXPECT_EQ(FixedIconSpacing(config::ViewMode::Medium).cx, 88);
    EXPECT_EQ(FixedIconSpacing(config::ViewMode::Medium).cy, 104);
    EXPECT_EQ(FixedIconSpacing(config::ViewMode::ExtraLarge).cx, 168);
    EXPECT_EQ(FixedIconSpacing(config::ViewMode::ExtraLarge).cy, 184);
    EXPECT_EQ(FixedIconSpacing(static_cast<config::ViewMode>(9)).cx, 88) << "as medium";

    // A 240-pixel cell at 144 DPI is 160 at 96; the 60-pixel height stays 60.
    const IconSpacing small = SmallIconSpacing(240, 144);
    EXPECT_EQ(small.cx, 160);
    EXPECT_EQ(small.cy, 60);
    EXPECT_EQ(SmallIconSpacing(160, 96).cx, 160);
}

TEST(ViewPlacement, AOnePixelFrameAndTheGroupedBand) {
    const ViewPlacement plain = PlaceViewWindow(920, 580, false);
    EXPECT_EQ(plain, (ViewPlacement{0, 1, 918, 578}));
    const ViewPlacement grouped = PlaceViewWindow(920, 580, true);
    EXPECT_EQ(grouped.y - plain.y, 30);
    EXPECT_EQ(plain.height - grouped.height, 30);
    EXPECT_EQ(grouped.width, plain.width);
    // A palette smaller than its frame and band gives an empty view, never a negative one.
    EXPECT_EQ(PlaceViewWindow(1, 20, true), (ViewPlacement{30, 31, 0, 0}));
}

TEST(LabelWidthCache, ReusedOnlyWhileEveryPartOfTheKeyHolds) {
    const LabelWidthKey key{7, 12, 96, 0x1234};
    LabelWidthCache cache{true, key, 140};
    EXPECT_TRUE(LabelWidthCached(cache, key));
    for (LabelWidthKey changed :
         {LabelWidthKey{8, 12, 96, 0x1234}, LabelWidthKey{7, 13, 96, 0x1234},
          LabelWidthKey{7, 12, 144, 0x1234}, LabelWidthKey{7, 12, 96, 0x99}})
        EXPECT_FALSE(LabelWidthCached(cache, changed));
    cache.valid = false;
    EXPECT_FALSE(LabelWidthCached(cache, key));
}

TEST(TooltipWait, TheCursorOverTheListDefersTheLayoutAtMost900Ms) {
    std::uint32_t start = 0;
    EXPECT_EQ(DecideTooltipWait(5000, start, false, false, true), TooltipWait::Defer);
    EXPECT_EQ(start, 5000u);
    EXPECT_EQ(DecideTooltipWait(5900, start, false, false, true), TooltipWait::Defer);
    EXPECT_EQ(DecideTooltipWait(5901, start, false, false, true), TooltipWait::ForceAfterMaxDefer);
    EXPECT_EQ(start, 0u);

    // Forced, dragging, or the cursor elsewhere: at once, and the wait ends.
    start = 5000;
    EXPECT_EQ(DecideTooltipWait(5100, start, true, false, true), TooltipWait::LayOut);
    EXPECT_EQ(start, 0u);
    start = 5000;
    EXPECT_EQ(DecideTooltipWait(5100, start, false, true, true), TooltipWait::LayOut);
    EXPECT_EQ(DecideTooltipWait(5100, start, false, false, false), TooltipWait::LayOut);

    // Across the tick counter's wrap, and a wait that begins at tick 0.
    start = 0xFFFFFF00u;
    EXPECT_EQ(DecideTooltipWait(0x00000100u, start, false, false, true), TooltipWait::Defer);
    start = 0;
    EXPECT_EQ(DecideTooltipWait(0, start, false, false, true), TooltipWait::Defer);
    EXPECT_NE(start, 0u) << "a wait that began is never mistaken for none";
    EXPECT_EQ(DecideTooltipWait(850, start, false, false, true), TooltipWait::Defer);
    EXPECT_EQ(DecideTooltipWait(1000, start, false, false, true), TooltipWait::ForceAfterMaxDefer);
}

TEST(ShellCommitWait, ASilentShellIsGivenUpOnOnceAndThenNotWaitedFor) {
    int waits = 0;
    for (int i = 0; i < kMaxShellCommitWaits; ++i)
        ASSERT_EQ(DecideShellCommitWait(false, waits), ShellCommitWait::Wait) << i;
    EXPECT_EQ(DecideShellCommitWait(false, waits), ShellCommitWait::GiveUp);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(DecideShellCommitWait(false, waits), ShellCommitWait::LayOutUnconfirmed);
    // The shell answers after all: the next miss is waited for again.
    EXPECT_EQ(DecideShellCommitWait(true, waits), ShellCommitWait::LayOut);
    EXPECT_EQ(DecideShellCommitWait(false, waits), ShellCommitWait::Wait);
    EXPECT_EQ(waits, 1);
}

TEST(PositionLog, SixteenItemsAtMostAndNoneOnceTheLineIsLong) {
    std::vector<ItemPosition> positions;
    for (long i = 0; i < 40; ++i) positions.push_back({i * 160 + 4, 5});
    const std::wstring line = FormatPositionLog(positions);
    EXPECT_EQ(line.rfind(L"SmallIconArrange positions: [0]=(4,5) [1]=(164,5)", 0), 0u);
    EXPECT_NE(line.find(L" [15]=("), std::wstring::npos);
    EXPECT_EQ(line.find(L" [16]=("), std::wstring::npos);

    std::vector<ItemPosition> far(16, ItemPosition{-2000000000L, -2000000000L});
    const std::wstring longLine = FormatPositionLog(far);
    EXPECT_LT(longLine.size(), 512u) << "fits the log's line buffer";
    EXPECT_EQ(longLine.find(L" [15]="), std::wstring::npos) << "stopped at 480 characters";
    EXPECT_EQ(FormatPositionLog({}), L"SmallIconArrange positions:");
}

}  // namespace
}  // namespace lumetra::hostedview
