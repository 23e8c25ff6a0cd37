#include "ui/about_card.h"

#include <algorithm>

#include "platform/mul_div.h"

namespace lumetra::ui {
namespace {

constexpr int kMargin = 12;

// Each child at 96 DPI: left, top, width, height.
struct PartLayout {
    int x, y, width, height;
};

PartLayout LayoutOf(AboutPart part) {
    switch (part) {
        case AboutPart::kIcon: return {34, 28, 64, 64};
        case AboutPart::kTitle: return {142, 30, 180, 36};
        case AboutPart::kVersion: return {292, 39, 190, 25};
        case AboutPart::kDescription: return {142, 62, 346, 28};
        case AboutPart::kLegal: return {142, 105, 346, 22};
        case AboutPart::kCredit: return {142, 127, 346, 22};
        case AboutPart::kNote: return {142, 149, 346, 44};
    }
    return {};
}

}  // namespace

int AboutScale(int length, int dpi) {
    return platform::MulDivRound(length, dpi > 0 ? dpi : kAboutBaseDpi, kAboutBaseDpi);
}

CardRect AboutClientRect(int dpi) {
    return {0, 0, AboutScale(kAboutCardWidth, dpi), AboutScale(kAboutCardHeight, dpi)};
}

CardRect PlaceAboutCard(int cursorX, const CardRect& workArea, int width, int height, int dpi) {
    const int margin = AboutScale(kMargin, dpi);
    const int lowest = workArea.left + margin;
    const int highest = std::max(lowest, workArea.right - margin - width);
    const int left = std::clamp(cursorX - width / 2, lowest, highest);
    const int top = workArea.bottom - margin - height;
    return {left, top, left + width, top + height};
}

CardRect AboutPartRect(AboutPart part, int dpi) {
    const PartLayout l = LayoutOf(part);
    const int left = AboutScale(l.x, dpi), top = AboutScale(l.y, dpi);
    return {left, top, left + AboutScale(l.width, dpi), top + AboutScale(l.height, dpi)};
}

CardRect AboutSeparator(int dpi) {
    const int y = AboutScale(94, dpi);
    return {AboutScale(142, dpi), y, AboutScale(488, dpi), y};
}

AboutFontSpec AboutFontFor(AboutFont font, int dpi) {
    switch (font) {
        case AboutFont::kTitle: return {AboutScale(28, dpi), 650, false};
        case AboutFont::kVersion: return {AboutScale(17, dpi), 400, false};
        case AboutFont::kDescription: return {AboutScale(17, dpi), 400, true};
        case AboutFont::kSmall: return {AboutScale(15, dpi), 400, false};
    }
    return {};
}

std::optional<AboutFont> AboutPartFont(AboutPart part) {
    switch (part) {
        case AboutPart::kIcon: return std::nullopt;
        case AboutPart::kTitle: return AboutFont::kTitle;
        case AboutPart::kVersion: return AboutFont::kVersion;
        case AboutPart::kDescription: return AboutFont::kDescription;
        case AboutPart::kLegal:
        case AboutPart::kCredit:
        case AboutPart::kNote: return AboutFont::kSmall;
    }
    return std::nullopt;
}

void PressCard(CardDrag& drag, int cursorX, int cursorY, int windowLeft, int windowTop) {
    drag.dragging = true;
    drag.moved = false;
    drag.linkClicked = false;
    drag.pressX = cursorX;
    drag.pressY = cursorY;
    drag.startLeft = windowLeft;
    drag.startTop = windowTop;
}

std::optional<CardPosition> DragCard(CardDrag& drag, int cursorX, int cursorY) {
    if (!drag.dragging) return std::nullopt;
    // 64-bit, so that no cursor position overflows the square.
    const long long dx = static_cast<long long>(cursorX) - drag.pressX;
    const long long dy = static_cast<long long>(cursorY) - drag.pressY;
    if (!drag.moved && dx * dx + dy * dy < kAboutDragThreshold * kAboutDragThreshold)
        return std::nullopt;
    drag.moved = true;
    return CardPosition{static_cast<int>(drag.startLeft + dx),
                        static_cast<int>(drag.startTop + dy)};
}

CardRelease ReleaseCard(CardDrag& drag) {
    if (drag.linkClicked) {
        drag = CardDrag{};
        return CardRelease::kReleaseOnly;
    }
    if (!drag.dragging) return CardRelease::kNothing;
    drag.dragging = false;
    return drag.moved ? CardRelease::kKeep : CardRelease::kClose;
}

void LoseCardCapture(CardDrag& drag) { drag.dragging = false; }

}  // namespace lumetra::ui
