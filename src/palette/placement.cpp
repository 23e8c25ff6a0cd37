#include "palette/placement.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lumetra::palette {

int ClampAxis(int position, int size, int workStart, int workEnd) {
    if (workEnd - workStart < size) return workStart;
    position = std::max(position, workStart);
    if (position + size > workEnd) position = workEnd - size;
    return position;
}

ScreenPoint ClampIntoWork(ScreenPoint position, Size size, const ScreenRect& work) {
    return {ClampAxis(position.x, size.width, work.left, work.right),
            ClampAxis(position.y, size.height, work.top, work.bottom)};
}

const wchar_t* PlacementKindName(PlacementKind kind) {
    switch (kind) {
        case PlacementKind::kFullyInside: return L"fullyInside";
        case PlacementKind::kSlid: return L"slid";
        case PlacementKind::kSlidClamped: return L"slid->clamped";
        case PlacementKind::kNoOverlapClamped: return L"noOverlap->clamped";
    }
    return L"?";
}

Placement PlaceSavedRect(const WindowRect& saved, const ScreenRect& work) {
    const int x = saved.x, y = saved.y, w = saved.width, h = saved.height;
    const Size size{w, h};
    const ScreenRect savedRect{x, y, x + w, y + h};
    Placement result{PlacementKind::kFullyInside, savedRect, {x, y}, {x, y}};

    const bool inside =
        x >= work.left && y >= work.top && x + w <= work.right && y + h <= work.bottom;
    const bool overlaps =
        work.left < x + w && x < work.right && work.top < y + h && y < work.bottom;
    if (inside) {
        result.kind = PlacementKind::kFullyInside;
    } else if (overlaps) {
        int cx = std::max(x, work.left);
        if (cx + w > work.right) cx = work.right - w;
        int cy = std::max(y, work.top);
        if (cy + h > work.bottom) cy = work.bottom - h;
        result.beforeClamp = {cx, cy, cx + w, cy + h};
        const bool slidInside =
            cx >= work.left && cy >= work.top && cx + w <= work.right && cy + h <= work.bottom;
        if (slidInside) {
            result.kind = PlacementKind::kSlid;
        } else {
            result.kind = PlacementKind::kSlidClamped;
            cx = std::min(std::max(work.left, cx), work.right - w);
            cy = std::min(std::max(work.top, cy), work.bottom - h);
        }
        result.candidate = {cx, cy};
    } else {
        result.kind = PlacementKind::kNoOverlapClamped;
        result.candidate = {std::min(std::max(work.left, x), work.right - w),
                            std::min(std::max(work.top, y), work.bottom - h)};
    }
    result.position = ClampIntoWork(result.candidate, size, work);
    return result;
}

ScreenPoint CursorPlacement(ScreenPoint cursor, Size size, const ScreenRect& work) {
    return ClampIntoWork({cursor.x - 24, cursor.y - 24}, size, work);
}

std::optional<Size> SavedSizeForMonitor(const std::optional<ScreenRect>& entry, bool realKey,
                                        const ScreenRect& work) {
    if (!realKey || !entry || *entry == kDefaultMonitorRect) return std::nullopt;
    return Size{std::min(entry->width(), work.width()), std::min(entry->height(), work.height())};
}

bool NearlySameSize(Size a, Size b) {
    return std::abs(a.width - b.width) < 8 && std::abs(a.height - b.height) < 8;
}

Size StepSizeAnimation(SizeAnimation& animation, std::uint32_t now) {
    const std::uint32_t elapsed = now - animation.startTick;
    if (elapsed >= kCrossSizeAnimationMs) {
        animation.active = false;
        return animation.to;
    }
    const double t = static_cast<double>(elapsed) / kCrossSizeAnimationMs;
    const double f = (3.0 - 2.0 * t) * t * t;
    auto lerp = [f](int from, int to) {
        const int value = from + static_cast<int>(std::trunc((to - from) * f + 0.5));
        return value < 100 ? to : value;
    };
    return {lerp(animation.from.width, animation.to.width),
            lerp(animation.from.height, animation.to.height)};
}

void AnchorDrag(DragAnchor& anchor, const ScreenRect& window, ScreenPoint cursor) {
    anchor.offset = {cursor.x - window.left, cursor.y - window.top};
    anchor.valid = true;
    anchor.scalable = window.width() >= 100 && window.height() >= 100;
    if (anchor.scalable) {
        anchor.referenceOffset = anchor.offset;
        anchor.referenceSize = {window.width(), window.height()};
    }
}

std::optional<ScreenRect> CursorAnchoredRect(DragAnchor& anchor, Size size, ScreenPoint cursor,
                                             bool animating) {
    if (size.width < 100 || size.height < 100 || !anchor.valid) return std::nullopt;
    const Size ref = anchor.referenceSize;
    if (animating && anchor.scalable && ref.width >= 100 && ref.height >= 100 && !(size == ref)) {
        anchor.offset = {
            std::clamp(MulDivRound(anchor.referenceOffset.x, size.width, ref.width), 0, size.width),
            std::clamp(MulDivRound(anchor.referenceOffset.y, size.height, ref.height), 0,
                       size.height)};
    }
    const int left = cursor.x - anchor.offset.x, top = cursor.y - anchor.offset.y;
    return ScreenRect{left, top, left + size.width, top + size.height};
}

}  // namespace lumetra::palette
