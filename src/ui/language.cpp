#include "ui/language.h"

#include "ui/string_tables.h"

namespace lumetra::ui {
namespace {

constexpr LanguageAlias kAliases[] = {
    {L"ja", L"ja-JP", kJapanese},
    {L"ja-JP", L"ja-JP", kJapanese},
    {L"japanese", L"ja-JP", kJapanese},
    {L"en", L"en-US", kEnglish},
    {L"en-US", L"en-US", kEnglish},
    {L"english", L"en-US", kEnglish},
    {L"ko", L"ko-KR", kKorean},
    {L"ko-KR", L"ko-KR", kKorean},
    {L"korean", L"ko-KR", kKorean},
    {L"zh", L"zh-CN", kSimplifiedChinese},
    {L"zh-CN", L"zh-CN", kSimplifiedChinese},
    {L"zh-Hans", L"zh-CN", kSimplifiedChinese},
    {L"chinese", L"zh-CN", kSimplifiedChinese},
    {L"zh-TW", L"zh-TW", kTraditionalChinese},
    {L"zh-Hant", L"zh-TW", kTraditionalChinese},
    {L"fr", L"fr-FR", kFrench},
    {L"fr-FR", L"fr-FR", kFrench},
    {L"french", L"fr-FR", kFrench},
    {L"it", L"it-IT", kItalian},
    {L"it-IT", L"it-IT", kItalian},
    {L"italian", L"it-IT", kItalian},
    {L"de", L"de-DE", kGerman},
    {L"de-DE", L"de-DE", kGerman},
    {L"german", L"de-DE", kGerman},
    {L"es", L"es-ES", kSpanish},
    {L"es-ES", L"es-ES", kSpanish},
    {L"spanish", L"es-ES", kSpanish},
};

// Codes are compared without the locale: only ASCII letters fold.
wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

bool EqualIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

std::wstring& Code() {
    static std::wstring code;
    return code;
}

}  // namespace

std::span<const LanguageAlias> LanguageAliases() { return kAliases; }

const LanguageAlias* FindLanguageAlias(std::wstring_view code) {
    for (const LanguageAlias& alias : kAliases)
        if (EqualIgnoringAsciiCase(code, alias.alias)) return &alias;
    return nullptr;
}

int LanguageIndexForSystem(std::uint16_t languageId) {
    const unsigned primary = languageId & 0x3FFu;
    const unsigned sublanguage = static_cast<unsigned>(languageId) >> 10;
    switch (primary) {
        case 0x11: return kJapanese;
        case 0x12: return kKorean;
        case 0x04:  // Taiwan, Hong Kong and Macao write Traditional Chinese
            return sublanguage == 1 || sublanguage == 3 || sublanguage == 5 ? kTraditionalChinese
                                                                            : kSimplifiedChinese;
        case 0x0C: return kFrench;
        case 0x10: return kItalian;
        case 0x07: return kGerman;
        case 0x0A: return kSpanish;
        default: return kEnglish;
    }
}

int LanguageIndexFor(std::wstring_view code, std::uint16_t systemLanguageId) {
    if (!code.empty())
        if (const LanguageAlias* alias = FindLanguageAlias(code)) return alias->index;
    return LanguageIndexForSystem(systemLanguageId);
}

const std::wstring& CurrentLanguageCode() { return Code(); }

PreferredLanguageChange ReplaceLanguageCode(std::wstring_view code) {
    code = code.substr(0, kLanguageCodeMaxLength);
    if (EqualIgnoringAsciiCase(code, Code())) return {};
    Code().assign(code);
    const LanguageAlias* alias = code.empty() ? nullptr : FindLanguageAlias(code);
    return {true, alias ? alias->tag : nullptr};
}

}  // namespace lumetra::ui
