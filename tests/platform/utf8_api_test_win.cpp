// Our UTF-8 decoder must give what MultiByteToWideChar gives, strict and lenient.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/utf8.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::wstring SystemDecode(const Bytes& bytes, DWORD flags, bool& ok) {
    const auto* src = reinterpret_cast<const char*>(bytes.data());
    const int n =
        MultiByteToWideChar(CP_UTF8, flags, src, static_cast<int>(bytes.size()), nullptr, 0);
    ok = n > 0;
    if (n <= 0) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, flags, src, static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::vector<Bytes> Samples() {
    std::vector<Bytes> samples = {
        {'a', 'b'},
        {'a', 0, 'b'},
        {0xC3, 0xA9},
        {0xE3, 0x81, 0x82},
        {0xF0, 0x9F, 0x98, 0x80},
        {0xF4, 0x8F, 0xBF, 0xBF},
        {'a', 0x80, 'b'},
        {'c', 'a', 'f', 0xE9},
        {0xC0, 0xAF},
        {0xC1, 0xBF},
        {0xE0, 0x80, 0xAF},
        {0xE0, 0x9F, 0xBF},
        {0xED, 0xA0, 0x80},
        {0xED, 0xBF, 0xBF},
        {0xF4, 0x90, 0x80, 0x80},
        {0xF5, 'x'},
        {0xF8, 0x88, 0x80, 0x80, 0x80},
        {0xE3, 0x81, 'x'},
        {0xC3, 0xC3, 0xA9},
        {0xFF},
        {0xFE, 0xFF},
        {0xEF, 0xBF, 0xBE},
        {0xF0, 0x90, 0x80},
        {0xF0, 0x80, 0x80, 0x80},
        {0xC2},
        {0xE3, 0x81},
    };
    // Every single byte, and every lead byte followed by a few trail patterns.
    for (unsigned b = 0x80; b < 0x100; ++b) {
        samples.push_back({static_cast<std::uint8_t>(b)});
        samples.push_back({static_cast<std::uint8_t>(b), 'z'});
        samples.push_back({static_cast<std::uint8_t>(b), 0x80, 'z'});
        samples.push_back({static_cast<std::uint8_t>(b), 0xBF, 0xBF, 0xBF, 'z'});
    }
    return samples;
}

std::string Hex(const Bytes& bytes) {
    std::string s;
    char part[4];
    for (std::uint8_t b : bytes) {
        wsprintfA(part, "%02X ", b);
        s += part;
    }
    return s;
}

TEST(Utf8AgainstSystem, StrictAndLenientMatchMultiByteToWideChar) {
    for (const Bytes& sample : Samples()) {
        SCOPED_TRACE(Hex(sample));
        bool systemStrictOk = false;
        const std::wstring systemStrict =
            SystemDecode(sample, MB_ERR_INVALID_CHARS, systemStrictOk);
        std::wstring ours;
        EXPECT_EQ(lumetra::platform::DecodeUtf8Strict(sample.data(), sample.size(), ours),
                  systemStrictOk);
        if (systemStrictOk) {
            EXPECT_EQ(ours, systemStrict);
        }

        bool systemLenientOk = false;
        const std::wstring systemLenient = SystemDecode(sample, 0, systemLenientOk);
        std::wstring lenient;
        lumetra::platform::DecodeUtf8Lenient(sample.data(), sample.size(), lenient);
        EXPECT_EQ(lenient, systemLenient);
    }
}

TEST(Utf8AgainstSystem, EncodingMatchesWideCharToMultiByte) {
    const std::wstring samples[] = {L"plain", L"caf\x00E9 \x3042", std::wstring(L"\xD83D\xDE00"),
                                    std::wstring(L"\xD83Dx"), std::wstring(L"x\xDE00")};
    for (const std::wstring& text : samples) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
        std::string expected(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), expected.data(),
                            n, nullptr, nullptr);
        EXPECT_EQ(lumetra::platform::EncodeUtf8(text), expected);
    }
}

}  // namespace
