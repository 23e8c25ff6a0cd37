#include "platform/utf8.h"

namespace lumetra::platform {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFFu;

// Decodes one sequence starting at data[i] (a byte >= 0x80) the way the
// Windows converter does: the bytes checked so far are consumed as one invalid
// unit, and a sequence cut off by the end of the input swallows what is left.
// Advances i; returns the code point or kInvalid.
char32_t DecodeSequence(const std::uint8_t* data, std::size_t size, std::size_t& i) {
    const std::uint8_t lead = data[i++];
    std::size_t trailing = 0;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        cp = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        cp = lead & 0x07u;
    } else {
        return kInvalid;
    }
    if (size - i < trailing) {
        i = size;
        return kInvalid;
    }
    auto take = [&](char32_t& value) {
        const unsigned bits = data[i] ^ 0x80u;
        if (bits >= 0x40) return false;
        value = (value << 6) | bits;
        return true;
    };
    if (trailing == 3) {
        if (!take(cp)) return kInvalid;
        ++i;
        if (cp < 0x10) return kInvalid;  // overlong four-byte form
    }
    if (trailing >= 2) {
        if (!take(cp)) return kInvalid;
        if (cp >= (0x110000 >> 6)) return kInvalid;  // beyond U+10FFFF: this byte stays
        ++i;
        if (cp < 0x20) return kInvalid;  // overlong three-byte form
        if (cp >= (0xD800 >> 6) && cp <= (0xDFFF >> 6)) return kInvalid;  // surrogate
    }
    if (!take(cp)) return kInvalid;
    ++i;
    if (cp < 0x80) return kInvalid;  // overlong two-byte form
    return cp;
}

void AppendCodePoint(char32_t cp, std::wstring& out) {
    if (cp < 0x10000) {
        out.push_back(static_cast<wchar_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    }
}

template <bool kStrict>
bool Decode(const std::uint8_t* data, std::size_t size, std::wstring& out) {
    const std::size_t start = out.size();
    out.reserve(start + size);
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t b = data[i];
        if (b < 0x80) {
            out.push_back(static_cast<wchar_t>(b));
            ++i;
            continue;
        }
        const char32_t cp = DecodeSequence(data, size, i);
        if (cp != kInvalid) {
            AppendCodePoint(cp, out);
        } else if (kStrict) {
            out.resize(start);
            return false;
        } else {
            out.push_back(static_cast<wchar_t>(0xFFFD));
        }
    }
    return true;
}

}  // namespace

bool DecodeUtf8Strict(const std::uint8_t* data, std::size_t size, std::wstring& out) {
    return Decode<true>(data, size, out);
}

void DecodeUtf8Lenient(const std::uint8_t* data, std::size_t size, std::wstring& out) {
    Decode<false>(data, size, out);
}

void DecodeLatin1(const std::uint8_t* data, std::size_t size, std::wstring& out) {
    out.reserve(out.size() + size);
    for (std::size_t i = 0; i < size; ++i) out.push_back(static_cast<wchar_t>(data[i]));
}

void EncodeUtf8(std::wstring_view text, std::string& out) {
    out.reserve(out.size() + text.size() * 3 / 2 + 8);
    auto put = [&out](unsigned v) { out.push_back(static_cast<char>(v)); };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char32_t>(text[i]) & 0xFFFFFFFFu;
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size()) {
            const auto next = static_cast<char32_t>(text[i + 1]);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (next - 0xDC00);
                ++i;
            }
        }
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
        if (cp < 0x80) {
            put(cp);
        } else if (cp < 0x800) {
            put(0xC0 | (cp >> 6));
            put(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            put(0xE0 | (cp >> 12));
            put(0x80 | ((cp >> 6) & 0x3F));
            put(0x80 | (cp & 0x3F));
        } else {
            put(0xF0 | (cp >> 18));
            put(0x80 | ((cp >> 12) & 0x3F));
            put(0x80 | ((cp >> 6) & 0x3F));
            put(0x80 | (cp & 0x3F));
        }
    }
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string out;
    EncodeUtf8(text, out);
    return out;
}

}  // namespace lumetra::platform
