#include "hostedview/view_input_rules.h"

namespace lumetra::hostedview {
namespace {

constexpr unsigned kVkEscape = 0x1B;
constexpr unsigned kVkDelete = 0x2E;
constexpr unsigned kVkApps = 0x5D;
constexpr unsigned kVkF2 = 0x71;
constexpr unsigned kVkF5 = 0x74;
constexpr unsigned kVkF10 = 0x79;

}  // namespace

ListKeyAction DecideListKey(unsigned virtualKey, const ListKeyContext& context) {
    switch (virtualKey) {
        case kVkEscape:
            return context.paletteVisible && !context.modalStateOpen ? ListKeyAction::Hide
                                                                     : ListKeyAction::PassOn;
        case kVkF2: return context.paletteVisible ? ListKeyAction::Rename : ListKeyAction::PassOn;
        case kVkF5: return ListKeyAction::Refresh;
        case kVkDelete: return ListKeyAction::Delete;
        case kVkApps: return ListKeyAction::ContextMenu;
        case kVkF10:
            if (context.shiftDown) return ListKeyAction::ContextMenu;
            break;
        default: break;
    }
    return context.ctrlDown ? ListKeyAction::CtrlShortcut : ListKeyAction::PassOn;
}

bool InPaletteEdgeBand(const EdgeRect& window, int x, int y) {
    return x < window.left + kEdgeBandPixels || x >= window.right - kEdgeBandPixels ||
           y < window.top + kEdgeBandPixels || y >= window.bottom - kEdgeBandPixels;
}

bool RefusesScrollBarShow(unsigned wParam, bool refreshBusy) {
    return refreshBusy && (wParam == 1 || wParam == 3);
}

}  // namespace lumetra::hostedview
