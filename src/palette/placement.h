#pragma once
// Where the palette goes on a monitor, in physical screen pixels: the pure
// arithmetic behind placement, monitor crossing and the drag-resize animation.
#include <cstdint>
#include <optional>

#include "platform/mul_div.h"

namespace lumetra::palette {

struct WindowRect {
    int x = 120;
    int y = 120;
    int width = 920;
    int height = 580;
};

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
    int x = 0, y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

// A saved per-monitor rectangle equal to this one counts as "nothing saved".
inline constexpr ScreenRect kDefaultMonitorRect{120, 120, 1040, 700};

// One axis: pushed inside [workStart, workEnd) when it fits, else pinned to the start.
int ClampAxis(int position, int size, int workStart, int workEnd);
ScreenPoint ClampIntoWork(ScreenPoint position, Size size, const ScreenRect& work);

enum class PlacementKind { kFullyInside, kSlid, kSlidClamped, kNoOverlapClamped };
const wchar_t* PlacementKindName(PlacementKind kind);

struct Placement {
    PlacementKind kind;
    ScreenRect beforeClamp;  // slid rectangle for the slid kinds, the saved one otherwise
    ScreenPoint candidate;   // position chosen before the final clamp
    ScreenPoint position;    // final top-left; the size never changes
};

// Puts a saved rectangle on a monitor's work area.
Placement PlaceSavedRect(const WindowRect& saved, const ScreenRect& work);

// Placement at the cursor: top-left 24 pixels above and left of it, clamped.
ScreenPoint CursorPlacement(ScreenPoint cursor, Size size, const ScreenRect& work);

// The size remembered for a monitor: its entry unless absent, the default
// rectangle, or an unusable key; each side limited to the work area.
std::optional<Size> SavedSizeForMonitor(const std::optional<ScreenRect>& entry, bool realKey,
                                        const ScreenRect& work);

// Within 8 pixels on both axes counts as the same size (no animation).
bool NearlySameSize(Size a, Size b);

using platform::MulDivRound;

// The 200 ms smoothstep resize while dragging across monitors.
inline constexpr std::uint32_t kCrossSizeAnimationMs = 200;
struct SizeAnimation {
    bool active = false;
    Size from, to;
    std::uint32_t startTick = 0;
};
// Size at `now`; stops the animation (active = false) once it has run its time.
Size StepSizeAnimation(SizeAnimation& animation, std::uint32_t now);

// Keeps the cursor at the same relative place in the window while it resizes.
struct DragAnchor {
    bool valid = false;
    ScreenPoint offset;  // cursor position inside the window
    bool scalable = false;
    ScreenPoint referenceOffset;  // offset and size when scaling started
    Size referenceSize;
};
void AnchorDrag(DragAnchor& anchor, const ScreenRect& window, ScreenPoint cursor);
// The rectangle of `size` that keeps the anchor under the cursor; empty when
// the size is too small or the anchor unusable. Rescales the offset while an
// animation runs.
std::optional<ScreenRect> CursorAnchoredRect(DragAnchor& anchor, Size size, ScreenPoint cursor,
                                             bool animating);

}  // namespace lumetra::palette
