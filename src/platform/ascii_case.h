#pragma once
// Case folding of ASCII letters only, for names the system compares that way
// (DLL names, verbs, class names); it never depends on a locale.
#include <string_view>

namespace lumetra::platform {

template <typename Char>
constexpr Char FoldAsciiCase(Char c) {
    return c >= Char('A') && c <= Char('Z') ? Char(c - Char('A') + Char('a')) : c;
}

template <typename Char>
constexpr bool EqualsIgnoringAsciiCase(std::basic_string_view<Char> a,
                                       std::basic_string_view<Char> b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
    return true;
}

}  // namespace lumetra::platform
