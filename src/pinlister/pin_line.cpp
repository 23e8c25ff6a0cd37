#include "pinlister/pin_line.h"

#include <algorithm>

#include "platform/utf8.h"

namespace lumetra::pinlister {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// towlower of the C locale the programs run in, without asking the locale:
// ASCII letters only.
wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }

}  // namespace

std::wstring CleanField(std::wstring_view field) {
    std::wstring text(field);
    std::replace_if(
        text.begin(), text.end(), [](wchar_t c) { return c == L'\n' || c == L'\r' || c == L'|'; },
        L' ');
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    const auto first = std::find_if_not(text.begin(), last, IsBlank);
    return std::wstring(first, last);
}

std::wstring LowerCase(std::wstring_view text) {
    std::wstring lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return lower;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return Lower(x) == Lower(y); });
}

bool EmitPinnedLine(PinnedLines& out, std::wstring_view name, std::wstring_view target,
                    std::wstring_view shortcut) {
    const std::wstring cleanName = CleanField(name);
    const std::wstring cleanTarget = CleanField(target);
    if (cleanName.empty() || cleanTarget.empty()) return false;
    const std::wstring cleanShortcut = shortcut.empty() ? cleanTarget : CleanField(shortcut);

    std::wstring key = LowerCase(cleanTarget);
    if (std::find(out.seenTargets.begin(), out.seenTargets.end(), key) != out.seenTargets.end())
        return false;

    std::string line = platform::EncodeUtf8(cleanName);
    line += '|';
    platform::EncodeUtf8(cleanTarget, line);
    line += '|';
    platform::EncodeUtf8(cleanShortcut, line);
    out.lines.push_back(std::move(line));
    out.seenTargets.push_back(std::move(key));
    return true;
}

}  // namespace lumetra::pinlister
