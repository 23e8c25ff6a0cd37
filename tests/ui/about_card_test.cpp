// The About card's geometry by DPI, where it opens on a work area, and when a
// press on it drags rather than closes.
#include "ui/about_card.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumetra::ui {
namespace {

TEST(AboutCard, SizeAndFontsFollowTheDpiWithWindowsRounding) {
    struct Case {
        int dpi;
        int width, height;
        int title, version, small;
    };
    // 17 and 15 at 144 DPI are 25.5 and 22.5: rounded away from zero.
    for (const Case c : {Case{96, 520, 200, 28, 17, 15}, Case{120, 650, 250, 35, 21, 19},
                         Case{144, 780, 300, 42, 26, 23}, Case{192, 1040, 400, 56, 34, 30},
                         Case{0, 520, 200, 28, 17, 15}}) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(AboutClientRect(c.dpi), (CardRect{0, 0, c.width, c.height}));
        EXPECT_EQ(AboutFontFor(AboutFont::kTitle, c.dpi), (AboutFontSpec{c.title, 650, false}));
        EXPECT_EQ(AboutFontFor(AboutFont::kVersion, c.dpi), (AboutFontSpec{c.version, 400, false}));
        EXPECT_EQ(AboutFontFor(AboutFont::kDescription, c.dpi),
                  (AboutFontSpec{c.version, 400, true}));
        EXPECT_EQ(AboutFontFor(AboutFont::kSmall, c.dpi), (AboutFontSpec{c.small, 400, false}));
    }
}

TEST(AboutCard, ChildrenAndTheSeparatorStayInsideTheCard) {
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        const CardRect card = AboutClientRect(dpi);
        for (AboutPart part : kAboutParts) {
            const CardRect r = AboutPartRect(part, dpi);
            EXPECT_GT(r.Width(), 0);
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.right, card.right);
            EXPECT_LE(r.bottom, card.bottom);
        }
        // The line runs between the description and the legal notice.
        const CardRect line = AboutSeparator(dpi);
        EXPECT_GE(line.top, AboutPartRect(AboutPart::kDescription, dpi).bottom);
        EXPECT_LT(line.top, AboutPartRect(AboutPart::kLegal, dpi).top);
        EXPECT_LE(line.right, card.right);
    }
}

TEST(AboutCard, OpensCentredOnTheCursorJustAboveTheBottomOfTheWorkArea) {
    struct Case {
        const char* what;
        int cursorX;
        CardRect work;
        int width, height, dpi;
        CardRect expected;
    };
    const CardRect screen{0, 0, 1920, 1040};
    for (const Case& c : {
             Case{"centred", 800, screen, 520, 200, 96, {540, 828, 1060, 1028}},
             Case{"left edge", 0, screen, 520, 200, 96, {12, 828, 532, 1028}},
             Case{"right edge", 1919, screen, 520, 200, 96, {1388, 828, 1908, 1028}},
             Case{"left edge, margin scaled", 3, screen, 780, 300, 144, {18, 722, 798, 1022}},
             Case{"monitor left of the main one",
                  -1900,
                  {-1920, 0, 0, 1080},
                  520,
                  200,
                  96,
                  {-1908, 868, -1388, 1068}},
             Case{"work area not at the top",
                  400,
                  {0, 40, 1280, 1024},
                  520,
                  200,
                  96,
                  {140, 812, 660, 1012}},
             // Too narrow for the card: it starts at the left margin.
             Case{"narrow work area", 300, {0, 0, 500, 700}, 520, 200, 96, {12, 488, 532, 688}},
         }) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceAboutCard(c.cursorX, c.work, c.width, c.height, c.dpi), c.expected);
    }
}

// One press, moves and a release; what the card did.
struct Gesture {
    const char* what;
    std::vector<std::pair<int, int>> moves;      // cursor offsets from the press
    std::vector<std::pair<int, int>> positions;  // where each move put the card
    CardRelease release;
};

TEST(AboutCard, APressMovesTheCardOnlyBeyondFourPixelsAndAClickCloses) {
    constexpr int kPressX = 700, kPressY = 900, kLeft = 540, kTop = 828;
    for (const Gesture& g : {
             Gesture{"click", {}, {}, CardRelease::kClose},
             Gesture{"3 pixels", {{3, 0}}, {}, CardRelease::kClose},
             Gesture{"2 and 3 pixels (13 squared)", {{2, 3}}, {}, CardRelease::kClose},
             Gesture{"4 pixels", {{4, 0}}, {{4, 0}}, CardRelease::kKeep},
             Gesture{"3 and 3 pixels (18 squared)", {{-3, 3}}, {{-3, 3}}, CardRelease::kKeep},
             Gesture{"5 pixels", {{1, 0}, {3, 0}, {5, 0}}, {{5, 0}}, CardRelease::kKeep},
             // Once moving, it follows the cursor all the way back.
             Gesture{"out and back",
                     {{10, 0}, {1, 0}, {0, 0}},
                     {{10, 0}, {1, 0}, {0, 0}},
                     CardRelease::kKeep},
         }) {
        SCOPED_TRACE(g.what);
        CardDrag drag;
        PressCard(drag, kPressX, kPressY, kLeft, kTop);
        std::vector<std::pair<int, int>> positions;
        for (const auto& [dx, dy] : g.moves)
            if (const auto to = DragCard(drag, kPressX + dx, kPressY + dy))
                positions.emplace_back(to->left - kLeft, to->top - kTop);
        EXPECT_EQ(positions, g.positions);
        EXPECT_EQ(ReleaseCard(drag), g.release);
        EXPECT_EQ(ReleaseCard(drag), CardRelease::kNothing) << "the release ended the press";
    }
}

TEST(AboutCard, ALinkClickOrALostCaptureNeverCloses) {
    CardDrag drag;
    EXPECT_FALSE(DragCard(drag, 50, 50)) << "no press, no drag";
    EXPECT_EQ(ReleaseCard(drag), CardRelease::kNothing);

    drag.linkClicked = true;
    EXPECT_EQ(ReleaseCard(drag), CardRelease::kReleaseOnly);
    EXPECT_FALSE(drag.linkClicked);

    PressCard(drag, 10, 10, 0, 0);
    LoseCardCapture(drag);
    EXPECT_FALSE(DragCard(drag, 40, 10));
    EXPECT_EQ(ReleaseCard(drag), CardRelease::kNothing);

    drag.linkClicked = true;
    PressCard(drag, 10, 10, 0, 0);
    EXPECT_FALSE(drag.linkClicked) << "a new press on the card is not the link's";
}

}  // namespace
}  // namespace lumetra::ui
