#pragma once
// Output helpers shared by winprobe's verbs: every answer is one line of JSON.
#include <windows.h>

#include <cstdio>
#include <string>

namespace lumetra::winprobe {

inline std::string Utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}

// A JSON string literal of the text.
inline std::string JsonString(const wchar_t* text) {
    std::string out = "\"";
    for (char c : Utf8(text)) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

inline int Fail(const char* what) {
    std::printf("{\"error\":\"%s\"}\n", what);
    return 2;
}

}  // namespace lumetra::winprobe
