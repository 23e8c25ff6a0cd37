#pragma once
// The menu texts in the nine UI languages, compiled in, and the formats that
// put captions together. Every lookup takes a language index; 1 and any index
// outside 0..8 give English.
#include <string>

namespace lumetra::ui {

// UI language index (CurrentUILanguageIndex).
enum UiLanguageIndex : int {
    kJapanese = 0,
    kEnglish = 1,
    kKorean = 2,
    kSimplifiedChinese = 3,
    kTraditionalChinese = 4,
    kFrench = 5,
    kItalian = 6,
    kGerman = 7,
    kSpanish = 8,
};
inline constexpr int kUiLanguageCount = 9;

struct MenuTitles {
    const wchar_t* displayModeTitle;
    const wchar_t* transparencyTitle;
    const wchar_t* desktopItemsTitle;
    const wchar_t* keyboardTitle;
    const wchar_t* mouseTitle;
    const wchar_t* disabledLabel;  // the shared word for "off"
};
struct DisplayModeChoice {
    const wchar_t* followOs;
    const wchar_t* light;
    const wchar_t* dark;
};
struct TransparencyChoice {
    const wchar_t* low;     // opacity 100
    const wchar_t* normal;  // opacity 75
    const wchar_t* high;    // any other opacity
};
struct DesktopItemsChoice {
    const wchar_t* allItems;
    const wchar_t* sameAsDesktop;
    const wchar_t* closeOnOpenLabel;
};
struct MouseChoice {
    const wchar_t* x1;
    const wchar_t* x2;
    const wchar_t* doubleClick;
    const wchar_t* longPress;
};
struct WindowCommands {
    const wchar_t* closeWindow;  // palette visible
    const wchar_t* showWindow;   // palette hidden
    const wchar_t* runAtStartupLabel;
};
struct AppCommands {
    const wchar_t* readmeLabel;
    const wchar_t* aboutLabel;
    const wchar_t* exitLabel;
};
struct IconSizeLabels {
    const wchar_t* iconSizeTitle;
    const wchar_t* extraLarge;
    const wchar_t* large;
    const wchar_t* medium;
    const wchar_t* small;
};
struct SortLabels {
    const wchar_t* sortTitle;
    const wchar_t* name;
    const wchar_t* dateModified;
    const wchar_t* size;
};

const MenuTitles& MenuTitlesText(int language);
const DisplayModeChoice& DisplayModeChoiceText(int language);
const TransparencyChoice& TransparencyChoiceText(int language);
const DesktopItemsChoice& DesktopItemsChoiceText(int language);
const MouseChoice& MouseChoiceText(int language);
const WindowCommands& WindowCommandsText(int language);
const AppCommands& AppCommandsText(int language);
const wchar_t* EditConfigLabel(int language);
const IconSizeLabels& IconSizeLabelsText(int language);
const SortLabels& SortLabelsText(int language);

// Entries picked by a setting's value.
const wchar_t* DisplayModeText(int language, int displayMode);    // 0 follow OS, 1 light, 2 dark
const wchar_t* TransparencyText(int language, int opacity);       // 100 low, 75 normal, else high
const wchar_t* DesktopItemsText(int language, int desktopItems);  // 0 same as desktop, 1 all
const wchar_t* MouseButtonText(int language, int mouseButton);    // 0 X1, 1 X2
const wchar_t* MouseModeText(int language, int mouseMode);        // 2 is the disabled label
const wchar_t* WindowToggleLabel(int language, bool paletteVisible);

// "%s (%s)"; Japanese uses full-width parentheses.
std::wstring CaptionWithDetail(int language, const wchar_t* title, const wchar_t* detail);
// "%s (%s / %s)"; Japanese uses full-width parentheses.
std::wstring CaptionWithTwoDetails(int language, const wchar_t* title, const wchar_t* first,
                                   const wchar_t* second);
// Between the mouse button and the mouse mode.
const wchar_t* MouseJoiner(int language);
// "%s ×2" with a modifier key name.
std::wstring DoubleTapText(const wchar_t* keyName);

}  // namespace lumetra::ui
