#include "hostedview/icon_grid_rules.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "platform/mul_div.h"

namespace lumetra::hostedview {
namespace {

constexpr int kMissingImagePx = 20;
constexpr int kGapPx = 8;
constexpr int kPadPx = 16;
constexpr int kMinimumCellPx = 52;
constexpr int kGridLeft = 4;
constexpr int kGridTop = 5;
constexpr std::size_t kPositionLogLimit = 480;

int ImageWidth(int px, unsigned dpi) { return px > 0 ? px : ScaleForDpi(kMissingImagePx, dpi); }

int ToBaseDpi(int px, unsigned dpi) {
    return dpi ? platform::MulDivRound(px, static_cast<int>(kBaseDpi), static_cast<int>(dpi)) : px;
}

}  // namespace

int ScaleForDpi(int length, unsigned dpi) {
    return platform::MulDivRound(length, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

SmallIconCell SmallIconCellParts(unsigned dpi, int smallImagePx, int stateImagePx, int labelPx) {
    SmallIconCell cell;
    cell.iconPx = ImageWidth(smallImagePx, dpi);
    cell.statePx = ImageWidth(stateImagePx, dpi);
    cell.gapPx = ScaleForDpi(kGapPx, dpi);
    cell.labelPx = std::max(0, labelPx);
    cell.padPx = ScaleForDpi(kPadPx, dpi);
    cell.minimumPx = ScaleForDpi(kMinimumCellPx, dpi);
    return cell;
}

int SmallIconCellWidth(const SmallIconCell& cell) {
    return std::max(cell.minimumPx,
                    cell.iconPx + cell.statePx + cell.gapPx + cell.labelPx + cell.padPx);
}

int ItemsPerRow(int usableWidth, int cellWidth) {
    if (cellWidth <= 0) return 1;
    if (usableWidth <= 0) usableWidth = cellWidth;
    return std::max(1, usableWidth / cellWidth);
}

GridPosition SmallIconGridPosition(int index, int cellWidth, int cellHeight, int itemsPerRow) {
    itemsPerRow = std::max(1, itemsPerRow);
    return {cellWidth * (index % itemsPerRow) + kGridLeft,
            cellHeight * (index / itemsPerRow) + kGridTop};
}

IconSpacing FixedIconSpacing(config::ViewMode view) {
    switch (view) {
        case config::ViewMode::Large: return {136, 152};
        case config::ViewMode::ExtraLarge: return {168, 184};
        default: return {88, 104};
    }
}

IconSpacing SmallIconSpacing(int cellWidthPx, unsigned dpi) {
    return {ToBaseDpi(cellWidthPx, dpi), ToBaseDpi(ScaleForDpi(kSmallIconCellHeight, dpi), dpi)};
}

ViewPlacement PlaceViewWindow(int clientWidth, int clientHeight, bool grouped) {
    ViewPlacement placement;
    placement.band = grouped ? kGroupedBandPx : 0;
    placement.y = placement.band + 1;
    placement.width = std::max(0, clientWidth - 2);
    placement.height = std::max(0, std::max(0, clientHeight - 2) - placement.band);
    return placement;
}

bool LabelWidthCached(const LabelWidthCache& cache, const LabelWidthKey& key) {
    return cache.valid && cache.key == key;
}

TooltipWait DecideTooltipWait(std::uint32_t now, std::uint32_t& deferStartTick, bool forced,
                              bool dragging, bool cursorOverList) {
    if (forced || dragging || !cursorOverList) {
        deferStartTick = 0;
        return TooltipWait::LayOut;
    }
    // 0 means "not waiting": a wait that begins at tick 0 starts a tick early.
    if (deferStartTick == 0) deferStartTick = now ? now : UINT32_MAX;
    if (now - deferStartTick <= kMaxTooltipDeferMs) return TooltipWait::Defer;
    deferStartTick = 0;
    return TooltipWait::ForceAfterMaxDefer;
}

ShellCommitWait DecideShellCommitWait(bool shellShowsSmallIcons, int& waits) {
    if (shellShowsSmallIcons) {
        waits = 0;
        return ShellCommitWait::LayOut;
    }
    if (waits > kMaxShellCommitWaits) return ShellCommitWait::LayOutUnconfirmed;
    ++waits;
    return waits > kMaxShellCommitWaits ? ShellCommitWait::GiveUp : ShellCommitWait::Wait;
}

std::wstring FormatPositionLog(const std::vector<ItemPosition>& positions) {
    std::wstring line = L"SmallIconArrange positions:";
    for (std::size_t i = 0; i < positions.size() && i < kMaxLoggedPositions; ++i) {
        if (line.size() >= kPositionLogLimit) break;
        wchar_t item[64];
        std::swprintf(item, 64, L" [%zu]=(%ld,%ld)", i, positions[i].x, positions[i].y);
        line += item;
    }
    return line;
}

}  // namespace lumetra::hostedview
