#include "hostedview/view_input_rules.h"

#include <gtest/gtest.h>

namespace lumetra::hostedview {
namespace {

constexpr unsigned kEscape = 0x1B, kDelete = 0x2E, kApps = 0x5D, kF2 = 0x71, kF5 = 0x74,
                   kF10 = 0x79, kKeyA = 'A', kKeyV = 'V', kReturn = 0x0D;

ListKeyContext Visible() {
    ListKeyContext context;
    context.paletteVisible = true;
    return context;
}

TEST(ListKeys, EscHidesOnlyAVisiblePaletteWithNothingModalOpen) {
    EXPECT_EQ(DecideListKey(kEscape, Visible()), ListKeyAction::Hide);
    ListKeyContext modal = Visible();
    modal.modalStateOpen = true;  // a rename, a menu or the About window takes it
    EXPECT_EQ(DecideListKey(kEscape, modal), ListKeyAction::PassOn);
    EXPECT_EQ(DecideListKey(kEscape, ListKeyContext{}), ListKeyAction::PassOn);
    modal.ctrlDown = true;
    EXPECT_EQ(DecideListKey(kEscape, modal), ListKeyAction::PassOn) << "not a Ctrl shortcut";
}

TEST(ListKeys, FunctionKeysDeleteAndTheMenuKeys) {
    EXPECT_EQ(DecideListKey(kF2, Visible()), ListKeyAction::Rename);
    EXPECT_EQ(DecideListKey(kF2, ListKeyContext{}), ListKeyAction::PassOn);
    EXPECT_EQ(DecideListKey(kF5, ListKeyContext{}), ListKeyAction::Refresh);
    EXPECT_EQ(DecideListKey(kDelete, Visible()), ListKeyAction::Delete);
    EXPECT_EQ(DecideListKey(kApps, Visible()), ListKeyAction::ContextMenu);
    EXPECT_EQ(DecideListKey(kF10, Visible()), ListKeyAction::PassOn)
        << "F10 alone is the menu bar's";
    ListKeyContext shift = Visible();
    shift.shiftDown = true;
    EXPECT_EQ(DecideListKey(kF10, shift), ListKeyAction::ContextMenu);
    EXPECT_EQ(DecideListKey(kReturn, Visible()), ListKeyAction::PassOn) << "the shell opens items";
}

TEST(ListKeys, CtrlKeysAreOfferedAsShortcutsAfterTheFixedKeys) {
    ListKeyContext ctrl = Visible();
    ctrl.ctrlDown = true;
    EXPECT_EQ(DecideListKey(kKeyA, ctrl), ListKeyAction::CtrlShortcut);
    EXPECT_EQ(DecideListKey(kKeyV, ctrl), ListKeyAction::CtrlShortcut);
    EXPECT_EQ(DecideListKey(kF5, ctrl), ListKeyAction::Refresh);
    EXPECT_EQ(DecideListKey(kDelete, ctrl), ListKeyAction::Delete);
    EXPECT_EQ(DecideListKey(kApps, ctrl), ListKeyAction::ContextMenu);
    EXPECT_EQ(DecideListKey(kKeyA, Visible()), ListKeyAction::PassOn)
        << "type-ahead stays the list's";
}

TEST(EdgeBand, TenPixelsInsideEachEdgeBelongToThePalette) {
    const EdgeRect palette{100, 200, 1020, 780};
    // Just inside and just outside the band on each side.
    EXPECT_TRUE(InPaletteEdgeBand(palette, 109, 500));
    EXPECT_FALSE(InPaletteEdgeBand(palette, 110, 500));
    EXPECT_TRUE(InPaletteEdgeBand(palette, 1010, 500));
    EXPECT_FALSE(InPaletteEdgeBand(palette, 1009, 500));
    EXPECT_TRUE(InPaletteEdgeBand(palette, 500, 209));
    EXPECT_FALSE(InPaletteEdgeBand(palette, 500, 210));
    EXPECT_TRUE(InPaletteEdgeBand(palette, 500, 770));
    EXPECT_FALSE(InPaletteEdgeBand(palette, 500, 769));
    // A palette narrower than two bands is all band.
    EXPECT_TRUE(InPaletteEdgeBand({0, 0, 15, 15}, 7, 7));
}

TEST(ScrollBarShow, RefusedOnlyWhileBusyAndOnlyForTheShowRequests) {
    for (unsigned wParam : {1u, 3u}) {
        EXPECT_TRUE(RefusesScrollBarShow(wParam, true)) << wParam;
        EXPECT_FALSE(RefusesScrollBarShow(wParam, false)) << wParam;
    }
    for (unsigned wParam : {0u, 2u, 4u}) EXPECT_FALSE(RefusesScrollBarShow(wParam, true)) << wParam;
}

}  // namespace
}  // namespace lumetra::hostedview
