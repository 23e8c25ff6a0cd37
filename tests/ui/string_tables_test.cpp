#include "ui/string_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lumetra::ui {
namespace {

constexpr int kEveryIndex[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};

// Reaches every table and every entry through the public lookups.
std::wstring AllTexts(int language) {
    std::wstring all;
    auto add = [&all](const wchar_t* text) {
        all += text;
        all += L'|';
    };
    const MenuTitles& t = MenuTitlesText(language);
    for (auto* s : {t.displayModeTitle, t.transparencyTitle, t.desktopItemsTitle, t.keyboardTitle,
                    t.mouseTitle, t.disabledLabel})
        add(s);
    for (int v = 0; v < 3; ++v) add(DisplayModeText(language, v));
    for (int v : {100, 75, 30}) add(TransparencyText(language, v));
    for (int v = 0; v < 2; ++v) add(DesktopItemsText(language, v));
    add(DesktopItemsChoiceText(language).closeOnOpenLabel);
    for (int v = 0; v < 2; ++v) add(MouseButtonText(language, v));
    for (int v = 0; v < 3; ++v) add(MouseModeText(language, v));
    add(WindowToggleLabel(language, true));
    add(WindowToggleLabel(language, false));
    add(WindowCommandsText(language).runAtStartupLabel);
    const AppCommands& a = AppCommandsText(language);
    for (auto* s : {a.readmeLabel, a.aboutLabel, a.exitLabel}) add(s);
    add(EditConfigLabel(language));
    const IconSizeLabels& i = IconSizeLabelsText(language);
    for (auto* s : {i.iconSizeTitle, i.extraLarge, i.large, i.medium, i.small}) add(s);
    const SortLabels& o = SortLabelsText(language);
    for (auto* s : {o.sortTitle, o.name, o.dateModified, o.size}) add(s);
    return all;
}

TEST(StringTables, EnglishServesIndexOneAndEveryIndexOutsideTheTable) {
    const std::wstring english = AllTexts(kEnglish);
    for (int index : {-1, 9, 42, -2147483647}) EXPECT_EQ(AllTexts(index), english) << index;
    EXPECT_NE(english.find(L"Exit Lumetra"), std::wstring::npos);
}

TEST(StringTables, EveryLanguageHasItsOwnRowWithNoEmptyText) {
    std::set<std::wstring> keyboardTitles;
    for (int language : kEveryIndex) {
        const std::wstring all = AllTexts(language);
        EXPECT_EQ(all.find(L"||"), std::wstring::npos) << "empty text in language " << language;
        EXPECT_EQ(all.find(L'\xFFFD'), std::wstring::npos)
            << "mangled text in language " << language;
        keyboardTitles.insert(MenuTitlesText(language).keyboardTitle);
    }
    EXPECT_EQ(keyboardTitles.size(), 9u) << "two languages share a row";
}

TEST(StringTables, NonAsciiTextsSurviveTheBuild) {
    // The source is UTF-8; a build that reads it otherwise garbles these.
    const struct {
        const wchar_t* text;
        const wchar_t* expected;
    } cases[] = {
        {AppCommandsText(kEnglish).aboutLabel, L"About\x2026"},
        {AppCommandsText(kFrench).readmeLabel,
         L"README.md (mode d\x2019"
         L"emploi)"},
        {MenuTitlesText(kSpanish).mouseTitle, L"Rat\x00F3n"},
        {MenuTitlesText(kJapanese).keyboardTitle, L"\x30AD\x30FC\x30DC\x30FC\x30C9"},
        {EditConfigLabel(kEnglish),
         L"Edit config.ini (advanced, veltor\\Lumetra\\config.ini)\x2026"},
    };
    for (const auto& c : cases) EXPECT_EQ(std::wstring(c.text), c.expected);
}

TEST(StringTables, SharedWordsAcrossLanguages) {
    EXPECT_EQ(std::wstring(MenuTitlesText(kItalian).mouseTitle), L"Mouse");
    EXPECT_EQ(std::wstring(MenuTitlesText(kItalian).mouseTitle),
              MenuTitlesText(kEnglish).mouseTitle);
    // Traditional Chinese uses the Simplified characters for dark, low and high.
    EXPECT_EQ(std::wstring(DisplayModeText(kTraditionalChinese, 2)),
              DisplayModeText(kSimplifiedChinese, 2));
    EXPECT_EQ(std::wstring(TransparencyText(kTraditionalChinese, 100)),
              TransparencyText(kSimplifiedChinese, 100));
    EXPECT_EQ(std::wstring(TransparencyText(kTraditionalChinese, 30)),
              TransparencyText(kSimplifiedChinese, 30));
    EXPECT_NE(std::wstring(TransparencyText(kTraditionalChinese, 75)),
              TransparencyText(kSimplifiedChinese, 75));
}

TEST(StringTables, EntriesFollowTheSettingValue) {
    const TransparencyChoice& t = TransparencyChoiceText(kEnglish);
    const struct {
        int opacity;
        const wchar_t* expected;
    } opacities[] = {{100, t.low}, {75, t.normal}, {30, t.high},
                     {50, t.high}, {0, t.high},    {99, t.high}};
    for (const auto& c : opacities)
        EXPECT_EQ(TransparencyText(kEnglish, c.opacity), c.expected) << c.opacity;

    EXPECT_EQ(std::wstring(MouseModeText(kGerman, 2)), MenuTitlesText(kGerman).disabledLabel);
    EXPECT_EQ(std::wstring(MouseModeText(kEnglish, 1)), L"Press and hold");
    EXPECT_EQ(std::wstring(MouseButtonText(kEnglish, 1)), L"Forward button (X2)");
    EXPECT_EQ(std::wstring(DisplayModeText(kEnglish, 1)), L"Light");
    EXPECT_EQ(std::wstring(DesktopItemsText(kEnglish, 0)), L"Same as desktop");
    EXPECT_EQ(std::wstring(DesktopItemsText(kEnglish, 1)), L"All desktop items");
    EXPECT_EQ(std::wstring(WindowToggleLabel(kEnglish, true)), L"Close window");
    EXPECT_EQ(std::wstring(WindowToggleLabel(kEnglish, false)), L"Show the window");
}

TEST(Composition, JapaneseTakesFullWidthParenthesesOthersPlainOnes) {
    const struct {
        int language;
        const wchar_t* one;
        const wchar_t* two;
    } cases[] = {
        {kJapanese,
         L"T\xFF08"
         L"a\xFF09",
         L"T\xFF08"
         L"a / b\xFF09"},
        {kEnglish, L"T (a)", L"T (a / b)"},
        {kKorean, L"T (a)", L"T (a / b)"},
        {kSimplifiedChinese, L"T (a)", L"T (a / b)"},
        {kFrench, L"T (a)", L"T (a / b)"},
        {99, L"T (a)", L"T (a / b)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaptionWithDetail(c.language, L"T", L"a"), c.one) << c.language;
        EXPECT_EQ(CaptionWithTwoDetails(c.language, L"T", L"a", L"b"), c.two) << c.language;
    }
}

TEST(Composition, MouseJoinerByLanguage) {
    const std::wstring dot = L"\x30FB", korean = L" \x00B7 ", slash = L" / ";
    const std::wstring expected[] = {dot, slash, korean, dot, dot, slash, slash, slash, slash};
    for (int language : kEveryIndex)
        EXPECT_EQ(MouseJoiner(language), expected[language]) << language;
    EXPECT_EQ(MouseJoiner(-1), slash);
}

TEST(Composition, DoubleTapNamesTheKey) {
    EXPECT_EQ(DoubleTapText(L"Alt"),
              L"Alt \x00D7"
              L"2");
    EXPECT_EQ(DoubleTapText(L"Shift"),
              L"Shift \x00D7"
              L"2");
}

}  // namespace
}  // namespace lumetra::ui
