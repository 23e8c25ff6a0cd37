#pragma once
// The arithmetic of the hosted view's icon layout: the spacing of each view
// mode, the small-icon cell and its row-major grid, where the view window
// sits in the palette, and when a layout waits for the cursor or the shell.
#include <cstdint>
#include <string>
#include <vector>

#include "config/settings.h"

namespace lumetra::hostedview {

inline constexpr unsigned kBaseDpi = 96;
// A length given at 96 DPI, at `dpi` (as MulDiv rounds it).
int ScaleForDpi(int length, unsigned dpi);

// The parts of a small-icon cell, in pixels at the layout DPI. A missing
// image list (width 0 or less) counts as a 20-pixel one.
struct SmallIconCell {
    int iconPx = 0, statePx = 0, gapPx = 0, labelPx = 0, padPx = 0, minimumPx = 0;
};
SmallIconCell SmallIconCellParts(unsigned dpi, int smallImagePx, int stateImagePx, int labelPx);
// Icon, state image, gap, label and padding side by side, at least the minimum.
int SmallIconCellWidth(const SmallIconCell& cell);

// Whole cells across `usableWidth` (the cell width when not positive), at least one.
int ItemsPerRow(int usableWidth, int cellWidth);
struct GridPosition {
    int x = 0, y = 0;
};
GridPosition SmallIconGridPosition(int index, int cellWidth, int cellHeight, int itemsPerRow);
// An item's height when the list view cannot say.
inline constexpr int kFallbackItemHeight = 41;

// LVM_SETICONSPACING's values, in 96-DPI units.
struct IconSpacing {
    int cx = 0, cy = 0;
};
// The fixed spacing of large, medium (and any unknown) and extra large icons.
IconSpacing FixedIconSpacing(config::ViewMode view);
// Small icons: the cell width and the scaled 60-pixel height, back in 96-DPI units.
IconSpacing SmallIconSpacing(int cellWidthPx, unsigned dpi);
inline constexpr int kSmallIconCellHeight = 60;

// The view window inside the palette's client area: a 1-pixel frame, and in
// a grouped view a 30-pixel band left free above it.
struct ViewPlacement {
    int band = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const ViewPlacement&, const ViewPlacement&) = default;
};
inline constexpr int kGroupedBandPx = 30;
ViewPlacement PlaceViewWindow(int clientWidth, int clientHeight, bool grouped);

// What the widest label was measured for; the width is reused while all of it holds.
struct LabelWidthKey {
    std::uint32_t cycle = 0;
    int itemCount = 0;
    unsigned dpi = 0;
    std::uintptr_t font = 0;
    friend bool operator==(const LabelWidthKey&, const LabelWidthKey&) = default;
};
struct LabelWidthCache {
    bool valid = false;
    LabelWidthKey key;
    int widthPx = 0;
};
bool LabelWidthCached(const LabelWidthCache& cache, const LabelWidthKey& key);

// A small-icon layout with the cursor over the list waits (a tooltip may be
// up), but never longer than this.
inline constexpr std::uint32_t kMaxTooltipDeferMs = 900;
enum class TooltipWait { LayOut, Defer, ForceAfterMaxDefer };
// `deferStartTick` is 0 while nothing waits; the decision keeps it.
TooltipWait DecideTooltipWait(std::uint32_t now, std::uint32_t& deferStartTick, bool forced,
                              bool dragging, bool cursorOverList);

// How many times a small-icon layout waits for the shell to report small
// icons, 220 ms apart, before it lays out without that report. A shell that
// never answers would otherwise keep the timer running for ever; once it has
// been given up on, later layouts no longer wait for it, until it answers.
inline constexpr int kMaxShellCommitWaits = 14;
enum class ShellCommitWait {
    LayOut,             // the shell shows small icons
    Wait,               // ask again in 220 ms
    GiveUp,             // the last wait is over: lay out, and say so once
    LayOutUnconfirmed,  // given up on before: lay out without waiting
};
// `waits` counts the waits so far; the shell's report resets it.
ShellCommitWait DecideShellCommitWait(bool shellShowsSmallIcons, int& waits);

// The "SmallIconArrange positions:" line: at most 16 items, and none more once
// the line has reached 480 characters.
struct ItemPosition {
    long x = 0, y = 0;
};
std::wstring FormatPositionLog(const std::vector<ItemPosition>& positions);
inline constexpr std::size_t kMaxLoggedPositions = 16;

}  // namespace lumetra::hostedview
