#pragma once
// The About card without the window: its size and children by DPI, where it
// opens on a monitor, its fonts, and when a press on it is a drag rather than
// a click.
#include <optional>

namespace lumetra::ui {

// Lengths are given at 96 DPI and scaled with Windows' rounding; a DPI of 0
// (unknown) counts as 96.
inline constexpr int kAboutBaseDpi = 96;
int AboutScale(int length, int dpi);

struct CardRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const CardRect&) const = default;
};

// The client area, 520 x 200 at 96 DPI.
inline constexpr int kAboutCardWidth = 520;
inline constexpr int kAboutCardHeight = 200;
CardRect AboutClientRect(int dpi);

// Centred on the cursor's x and resting on the bottom of the work area, kept
// a scaled 12 pixels inside it; a card wider than the work area starts at its
// left margin. width and height are the window's outer size.
CardRect PlaceAboutCard(int cursorX, const CardRect& workArea, int width, int height, int dpi);

enum class AboutPart { kIcon, kTitle, kVersion, kDescription, kLegal, kCredit, kNote };
inline constexpr AboutPart kAboutParts[] = {
    AboutPart::kIcon,  AboutPart::kTitle,  AboutPart::kVersion, AboutPart::kDescription,
    AboutPart::kLegal, AboutPart::kCredit, AboutPart::kNote};
// Where each child sits in the client area.
CardRect AboutPartRect(AboutPart part, int dpi);
// The line under the description, from (left, y) to (right, y).
CardRect AboutSeparator(int dpi);

enum class AboutFont { kTitle, kVersion, kDescription, kSmall };
inline constexpr AboutFont kAboutFonts[] = {AboutFont::kTitle, AboutFont::kVersion,
                                            AboutFont::kDescription, AboutFont::kSmall};
struct AboutFontSpec {
    int height = 0;
    int weight = 0;
    bool italic = false;
    bool operator==(const AboutFontSpec&) const = default;
};
AboutFontSpec AboutFontFor(AboutFont font, int dpi);
// The font each text child uses; the icon has none.
std::optional<AboutFont> AboutPartFont(AboutPart part);

// A press on the card moves it only once the cursor has gone 4 pixels from
// the press; a release before that is a click, which closes the card.
inline constexpr int kAboutDragThreshold = 4;

struct CardDrag {
    bool dragging = false;     // the left button went down on the card
    bool moved = false;        // the card has followed the cursor
    bool linkClicked = false;  // the press opened the credit link
    int pressX = 0, pressY = 0;
    int startLeft = 0, startTop = 0;
};

void PressCard(CardDrag& drag, int cursorX, int cursorY, int windowLeft, int windowTop);
struct CardPosition {
    int left = 0, top = 0;
    bool operator==(const CardPosition&) const = default;
};
// Where the card goes for this cursor position while the button is held;
// nothing while the cursor is still within the threshold or no drag runs.
std::optional<CardPosition> DragCard(CardDrag& drag, int cursorX, int cursorY);

enum class CardRelease {
    kNothing,      // no press on the card
    kReleaseOnly,  // the press opened the link: the card stays
    kKeep,         // the card was dragged: it stays where it was put
    kClose,        // a plain click
};
CardRelease ReleaseCard(CardDrag& drag);
// The mouse capture went elsewhere: the drag is over.
void LoseCardCapture(CardDrag& drag);

}  // namespace lumetra::ui
