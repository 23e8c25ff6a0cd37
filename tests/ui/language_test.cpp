#include "ui/language.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "config/ini_document.h"
#include "config/settings_keys.h"
#include "ui/string_tables.h"

namespace lumetra::ui {
namespace {

constexpr std::uint16_t kEnglishUs = 0x0409;
constexpr std::uint16_t kJapaneseJp = 0x0411;

// What ApplyUILanguage sees: the code config.ini gives.
std::wstring CodeFromIni(const wchar_t* text) {
    config::IniDocument doc(L"");
    doc.parseText(text);
    return config::LanguageCodeFrom(doc);
}

class LanguageCode : public ::testing::Test {
  protected:
    void SetUp() override { ReplaceLanguageCode(L""); }
    void TearDown() override { ReplaceLanguageCode(L""); }
};

TEST(LanguageAliases, AreUniqueIgnoringCaseAndNameKnownLanguages) {
    std::set<std::wstring> seen;
    for (const LanguageAlias& alias : LanguageAliases()) {
        std::wstring folded = alias.alias;
        for (wchar_t& c : folded) c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
        EXPECT_TRUE(seen.insert(folded).second) << folded;
        EXPECT_GE(alias.index, 0);
        EXPECT_LT(alias.index, kUiLanguageCount);
    }
    EXPECT_EQ(seen.size(), 27u);
}

TEST(LanguageIndexFor, MatchesAliasesInAnyCaseElseTheSystemLanguage) {
    const struct {
        const wchar_t* code;
        std::uint16_t system;
        int index;
        const wchar_t* tag;  // null: no alias
    } cases[] = {
        {L"japanese", kEnglishUs, kJapanese, L"ja-JP"},
        {L"JAPANESE", kEnglishUs, kJapanese, L"ja-JP"},
        {L"JaPaNeSe", kEnglishUs, kJapanese, L"ja-JP"},
        {L"zh-Hant", kEnglishUs, kTraditionalChinese, L"zh-TW"},
        {L"ZH-HANS", kJapaneseJp, kSimplifiedChinese, L"zh-CN"},
        {L"zh", kEnglishUs, kSimplifiedChinese, L"zh-CN"},
        {L"de", kJapaneseJp, kGerman, L"de-DE"},
        {L"EN-us", kJapaneseJp, kEnglish, L"en-US"},
        {L"spanish", kEnglishUs, kSpanish, L"es-ES"},
        {L"zh-HK", kEnglishUs, kEnglish, nullptr},
        {L"zh-HK", kJapaneseJp, kJapanese, nullptr},
        {L"pt-BR", 0x0407, kGerman, nullptr},
        {L"", kJapaneseJp, kJapanese, nullptr},
        {L"ja ", kEnglishUs, kEnglish, nullptr},
        {L"j", kEnglishUs, kEnglish, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageIndexFor(c.code, c.system), c.index) << c.code;
        const LanguageAlias* alias = FindLanguageAlias(c.code);
        if (c.tag) {
            ASSERT_NE(alias, nullptr) << c.code;
            EXPECT_EQ(std::wstring(alias->tag), c.tag);
        } else {
            EXPECT_EQ(alias, nullptr) << c.code;
        }
    }
}

TEST(LanguageIndexForSystem, MapsPrimaryLanguageAndChineseRegions) {
    const struct {
        std::uint16_t id;
        int index;
    } cases[] = {
        {0x0411, kJapanese},
        {0x0412, kKorean},
        {0x0404, kTraditionalChinese},  // Taiwan
        {0x0C04, kTraditionalChinese},  // Hong Kong
        {0x1404, kTraditionalChinese},  // Macao
        {0x0804, kSimplifiedChinese},   // PRC
        {0x1004, kSimplifiedChinese},   // Singapore
        {0x7804, kSimplifiedChinese},
        {0x040C, kFrench},
        {0x0C0C, kFrench},
        {0x0410, kItalian},
        {0x0407, kGerman},
        {0x0807, kGerman},
        {0x0C0A, kSpanish},
        {0x080A, kSpanish},
        {0x0416, kEnglish},  // Portuguese
        {0x0816, kEnglish},
        {0x0409, kEnglish},
        {0x0000, kEnglish},
        {0xFFFF, kEnglish},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageIndexForSystem(c.id), c.index) << std::hex << c.id;
}

TEST(LanguageCodeFromConfig, LanguageKeyWinsLegacyValuesOnlyZeroToFour) {
    const struct {
        const wchar_t* ini;
        const wchar_t* code;
    } cases[] = {
        {L"[UI]\nLanguage=japanese\n", L"japanese"},
        {L"[UI]\nUILanguage=4\n", L"zh-TW"},
        {L"[UI]\nUILanguage=0\n", L"ja"},
        {L"[UI]\nUILanguage=3\n", L"zh"},
        {L"[UI]\nUILanguage=7\n", L""},
        {L"[UI]\nUILanguage=-1\n", L""},
        {L"[UI]\nUILanguage=text\n", L""},
        {L"[UI]\nUILanguage=\n", L""},
        {L"[UI]\nLanguage=\nUILanguage=1\n", L""},
        {L"[UI]\nUILanguage=2\nLanguage=de\n", L"de"},
        {L"[General]\nLanguage=de\n", L""},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(CodeFromIni(c.ini), c.code) << c.ini;
}

TEST_F(LanguageCode, ChangesOnlyWhenTheCodeDiffersIgnoringCase) {
    const struct {
        const wchar_t* code;
        bool changed;
        const wchar_t* tag;  // null: back to the user's default languages
    } steps[] = {
        {L"", false, nullptr},   {L"japanese", true, L"ja-JP"}, {L"JAPANESE", false, nullptr},
        {L"ja", true, L"ja-JP"}, {L"zh-HK", true, nullptr},     {L"zh-hk", false, nullptr},
        {L"fr", true, L"fr-FR"}, {L"", true, nullptr},          {L"", false, nullptr},
    };
    for (const auto& s : steps) {
        const PreferredLanguageChange change = ReplaceLanguageCode(s.code);
        EXPECT_EQ(change.changed, s.changed) << s.code;
        EXPECT_EQ(change.tag ? std::wstring(change.tag) : L"(reset)", s.tag ? s.tag : L"(reset)")
            << s.code;
    }
}

TEST_F(LanguageCode, KeepsTheFirstSixtyThreeCharacters) {
    const std::wstring longCode(100, L'x');
    ReplaceLanguageCode(longCode);
    EXPECT_EQ(CurrentLanguageCode(), longCode.substr(0, 63));
    EXPECT_FALSE(ReplaceLanguageCode(longCode.substr(0, 63)).changed);
    // A known alias followed by more text is not that alias.
    EXPECT_EQ(LanguageIndexFor(CodeFromIni(L"[UI]\nLanguage=japanese-extended\n"), kEnglishUs),
              kEnglish);
}

TEST_F(LanguageCode, ConfigEditsReachTheLabels) {
    const struct {
        const wchar_t* ini;
        std::uint16_t system;
        int index;
    } cases[] = {
        {L"[UI]\nLanguage=japanese\n", kEnglishUs, kJapanese},
        {L"[UI]\nLanguage=zh-Hant\n", kEnglishUs, kTraditionalChinese},
        {L"[UI]\nUILanguage=4\n", kEnglishUs, kTraditionalChinese},
        {L"[UI]\nLanguage=zh-HK\n", 0x0C04, kTraditionalChinese},
        {L"[UI]\nLanguage=\nUILanguage=0\n", kEnglishUs, kEnglish},
        {L"[UI]\nUILanguage=7\n", 0x0412, kKorean},
        {L"[UI]\nLanguage=de\n", kJapaneseJp, kGerman},
    };
    for (const auto& c : cases) {
        ReplaceLanguageCode(CodeFromIni(c.ini));
        EXPECT_EQ(LanguageIndexFor(CurrentLanguageCode(), c.system), c.index) << c.ini;
    }
}

}  // namespace
}  // namespace lumetra::ui
