#include "log/bounded_format.h"

#include <cstdint>
#include <cwchar>

namespace lumetra::log {
namespace {

// Writes what fits and counts everything, like snprintf.
struct Sink {
    wchar_t* buffer;
    std::size_t capacity;  // usable units, terminator excluded
    std::size_t length = 0;

    void Put(wchar_t c) {
        if (length < capacity) buffer[length] = c;
        ++length;
    }
    void Repeat(wchar_t c, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) Put(c);
    }
};

struct Conversion {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int precision = -1;
    enum class Length {
        kNone,
        kChar,
        kShort,
        kLong,
        kLongLong,
        kSize,
        kMax
    } length = Length::kNone;
};

void PutPadded(Sink& sink, const Conversion& conv, std::size_t bodyLength, auto&& writeBody) {
    const std::size_t width = conv.width > 0 ? static_cast<std::size_t>(conv.width) : 0;
    const std::size_t pad = width > bodyLength ? width - bodyLength : 0;
    if (!conv.left) sink.Repeat(L' ', pad);
    writeBody();
    if (conv.left) sink.Repeat(L' ', pad);
}

void PutWideString(Sink& sink, const Conversion& conv, const wchar_t* text) {
    if (!text) text = L"(null)";
    std::size_t n = 0;
    while (text[n] && (conv.precision < 0 || n < static_cast<std::size_t>(conv.precision))) ++n;
    PutPadded(sink, conv, n, [&] {
        for (std::size_t i = 0; i < n; ++i) sink.Put(text[i]);
    });
}

void PutNarrowString(Sink& sink, const Conversion& conv, const char* text) {
    if (!text) text = "(null)";
    std::size_t n = 0;
    while (text[n] && (conv.precision < 0 || n < static_cast<std::size_t>(conv.precision))) ++n;
    PutPadded(sink, conv, n, [&] {
        for (std::size_t i = 0; i < n; ++i)
            sink.Put(static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
    });
}

void PutInteger(Sink& sink, const Conversion& conv, std::uint64_t magnitude, bool negative,
                unsigned base, bool upper, const wchar_t* prefix) {
    wchar_t digits[24];
    std::size_t n = 0;
    const wchar_t* alphabet = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    while (magnitude != 0) {
        digits[n++] = alphabet[magnitude % base];
        magnitude /= base;
    }
    // Precision 0 with value 0 prints no digits; otherwise at least one.
    std::size_t minDigits = conv.precision >= 0 ? static_cast<std::size_t>(conv.precision) : 1;
    if (n == 0 && conv.alt && base == 8) minDigits = 1;
    const std::size_t zeros = minDigits > n ? minDigits - n : 0;

    wchar_t sign = 0;
    if (negative)
        sign = L'-';
    else if (conv.plus)
        sign = L'+';
    else if (conv.space)
        sign = L' ';
    std::size_t prefixLength = 0;
    while (prefix && prefix[prefixLength]) ++prefixLength;

    const std::size_t body = (sign ? 1 : 0) + prefixLength + zeros + n;
    const std::size_t width = conv.width > 0 ? static_cast<std::size_t>(conv.width) : 0;
    const std::size_t pad = width > body ? width - body : 0;
    const bool zeroPad = conv.zero && !conv.left && conv.precision < 0;

    if (!conv.left && !zeroPad) sink.Repeat(L' ', pad);
    if (sign) sink.Put(sign);
    for (std::size_t i = 0; i < prefixLength; ++i) sink.Put(prefix[i]);
    if (zeroPad) sink.Repeat(L'0', pad);
    sink.Repeat(L'0', zeros);
    while (n > 0) sink.Put(digits[--n]);
    if (conv.left) sink.Repeat(L' ', pad);
}

std::int64_t ReadSigned(const Conversion& conv, va_list& args) {
    switch (conv.length) {
        case Conversion::Length::kChar: return static_cast<signed char>(va_arg(args, int));
        case Conversion::Length::kShort: return static_cast<short>(va_arg(args, int));
        case Conversion::Length::kLong: return va_arg(args, long);
        case Conversion::Length::kLongLong: return va_arg(args, long long);
        case Conversion::Length::kSize: return static_cast<std::int64_t>(va_arg(args, std::size_t));
        case Conversion::Length::kMax: return va_arg(args, std::intmax_t);
        case Conversion::Length::kNone: break;
    }
    return va_arg(args, int);
}

std::uint64_t ReadUnsigned(const Conversion& conv, va_list& args) {
    switch (conv.length) {
        case Conversion::Length::kChar: return static_cast<unsigned char>(va_arg(args, unsigned));
        case Conversion::Length::kShort: return static_cast<unsigned short>(va_arg(args, unsigned));
        case Conversion::Length::kLong: return va_arg(args, unsigned long);
        case Conversion::Length::kLongLong: return va_arg(args, unsigned long long);
        case Conversion::Length::kSize: return va_arg(args, std::size_t);
        case Conversion::Length::kMax: return va_arg(args, std::uintmax_t);
        case Conversion::Length::kNone: break;
    }
    return va_arg(args, unsigned);
}

int ReadNumber(const wchar_t*& p) {
    int value = 0;
    while (*p >= L'0' && *p <= L'9') {
        if (value < 100000) value = value * 10 + (*p - L'0');
        ++p;
    }
    return value;
}

}  // namespace

std::size_t FormatWideV(wchar_t* buffer, std::size_t capacity, const wchar_t* format,
                        va_list argsIn) {
    Sink sink{buffer, capacity > 0 ? capacity - 1 : 0};
    va_list args;
    va_copy(args, argsIn);
    for (const wchar_t* p = format; p && *p; ++p) {
        if (*p != L'%') {
            sink.Put(*p);
            continue;
        }
        const wchar_t* start = p++;
        Conversion conv;
        for (;; ++p) {
            if (*p == L'-')
                conv.left = true;
            else if (*p == L'+')
                conv.plus = true;
            else if (*p == L' ')
                conv.space = true;
            else if (*p == L'#')
                conv.alt = true;
            else if (*p == L'0')
                conv.zero = true;
            else
                break;
        }
        if (*p == L'*') {
            conv.width = va_arg(args, int);
            if (conv.width < 0) {
                conv.left = true;
                conv.width = conv.width == INT32_MIN ? 0 : -conv.width;
            }
            ++p;
        } else {
            conv.width = ReadNumber(p);
        }
        if (*p == L'.') {
            ++p;
            if (*p == L'*') {
                conv.precision = va_arg(args, int);
                if (conv.precision < 0) conv.precision = -1;
                ++p;
            } else {
                conv.precision = ReadNumber(p);
            }
        }
        bool narrow = false;
        switch (*p) {
            case L'h':
                if (p[1] == L'h') {
                    conv.length = Conversion::Length::kChar;
                    ++p;
                } else
                    conv.length = Conversion::Length::kShort;
                narrow = true;
                ++p;
                break;
            case L'l':
                if (p[1] == L'l') {
                    conv.length = Conversion::Length::kLongLong;
                    ++p;
                } else
                    conv.length = Conversion::Length::kLong;
                ++p;
                break;
            case L'z':
                conv.length = Conversion::Length::kSize;
                ++p;
                break;
            case L'j':
                conv.length = Conversion::Length::kMax;
                ++p;
                break;
            default: break;
        }
        switch (*p) {
            case L'%': sink.Put(L'%'); break;
            case L'd':
            case L'i': {
                const std::int64_t v = ReadSigned(conv, args);
                const std::uint64_t magnitude =
                    v < 0 ? 0u - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
                PutInteger(sink, conv, magnitude, v < 0, 10, false, nullptr);
                break;
            }
            case L'u':
                PutInteger(sink, conv, ReadUnsigned(conv, args), false, 10, false, nullptr);
                break;
            case L'o':
                PutInteger(sink, conv, ReadUnsigned(conv, args), false, 8, false, nullptr);
                break;
            case L'x':
            case L'X': {
                const std::uint64_t v = ReadUnsigned(conv, args);
                const bool upper = *p == L'X';
                PutInteger(sink, conv, v, false, 16, upper,
                           conv.alt && v ? (upper ? L"0X" : L"0x") : nullptr);
                break;
            }
            case L'p': {
                Conversion pointer = conv;
                pointer.precision = static_cast<int>(2 * sizeof(void*));
                const auto v = reinterpret_cast<std::uintptr_t>(va_arg(args, void*));
                PutInteger(sink, pointer, v, false, 16, true, nullptr);
                break;
            }
            case L'c': {
                const auto c = static_cast<wchar_t>(va_arg(args, int));
                PutPadded(sink, conv, 1, [&] { sink.Put(c); });
                break;
            }
            case L's':
                if (narrow)
                    PutNarrowString(sink, conv, va_arg(args, const char*));
                else
                    PutWideString(sink, conv, va_arg(args, const wchar_t*));
                break;
            default:
                // Unknown conversion: copy it literally, including a lone '%' at the end.
                for (const wchar_t* q = start; q <= p && *q; ++q) sink.Put(*q);
                if (!*p) --p;
                break;
        }
    }
    va_end(args);
    if (capacity > 0) buffer[sink.length < sink.capacity ? sink.length : sink.capacity] = L'\0';
    return sink.length;
}

std::int32_t FormatToBufferV(wchar_t* buffer, std::size_t capacity, const wchar_t* format,
                             va_list args) {
    if (capacity == 0) return kFormatInvalidArg;
    if (capacity > kFormatMaxCapacity) {
        if (buffer) buffer[0] = L'\0';
        return kFormatInvalidArg;
    }
    if (!buffer) return kFormatInvalidArg;
    const std::size_t needed = FormatWideV(buffer, capacity, format, args);
    return needed < capacity ? kFormatOk : kFormatInsufficientBuffer;
}

std::int32_t FormatToBuffer(wchar_t* buffer, std::size_t capacity, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const std::int32_t result = FormatToBufferV(buffer, capacity, format, args);
    va_end(args);
    return result;
}

int FormatToBufferSecure(wchar_t* buffer, std::size_t capacity, const wchar_t* format, ...) {
    if (!buffer || capacity == 0 || !format) return -1;
    va_list args;
    va_start(args, format);
    const std::size_t needed = FormatWideV(buffer, capacity, format, args);
    va_end(args);
    if (needed >= capacity) {
        buffer[0] = L'\0';
        return -1;
    }
    return static_cast<int>(needed);
}

int FormatToBufferTruncating(wchar_t (&buffer)[kTruncatingBufferUnits], std::size_t count,
                             const wchar_t* format, ...) {
    if (!format) {
        buffer[0] = L'\0';
        return -1;
    }
    // Format into the whole buffer first, then cut to the allowed count.
    va_list args;
    va_start(args, format);
    const std::size_t needed = FormatWideV(buffer, kTruncatingBufferUnits, format, args);
    va_end(args);
    const std::size_t limit = count == kTruncate ? kTruncatingBufferUnits - 1 : count;
    if (needed <= limit && needed < kTruncatingBufferUnits) return static_cast<int>(needed);
    if (count == kTruncate || count < kTruncatingBufferUnits) {
        buffer[limit] = L'\0';
        return -1;
    }
    buffer[0] = L'\0';
    return -1;
}

}  // namespace lumetra::log
