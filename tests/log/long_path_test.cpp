#include "log/long_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lumetra::log {
namespace {

// How the system's calls answer a buffer that is too small.
enum class Answer { NeededSize, Truncated };

// A fill that behaves like such a call holding text; counts its calls.
FillBuffer CallHolding(const std::wstring& text, Answer answer, int& calls) {
    return [&text, answer, &calls](wchar_t* buffer, std::size_t capacity) -> std::size_t {
        ++calls;
        if (text.size() < capacity) {
            std::copy(text.begin(), text.end(), buffer);
            buffer[text.size()] = L'\0';
            return text.size();
        }
        if (answer == Answer::NeededSize) return text.size() + 1;
        std::copy_n(text.begin(), capacity - 1, buffer);
        buffer[capacity - 1] = L'\0';
        return capacity;
    };
}

TEST(ReadGrowing, ReturnsTheWholeTextWhateverTheCallAnswers) {
    for (Answer answer : {Answer::NeededSize, Answer::Truncated}) {
        for (std::size_t length : {1u, 259u, 260u, 261u, 300u, 5000u, 32767u}) {
            std::wstring text(length, L'a');
            text.back() = L'z';  // a cut text would miss it
            int calls = 0;
            const std::wstring read = ReadGrowing(CallHolding(text, answer, calls));
            EXPECT_TRUE(read == text)
                << "read " << read.size() << " of " << length
                << (answer == Answer::NeededSize ? " (needed size)" : " (truncated)");
            EXPECT_LE(calls, 8) << length;
        }
    }
}

TEST(ReadGrowing, GivesNothingForFailureOrATextBeyondAnyPath) {
    int calls = 0;
    const std::wstring huge(kMaxPathUnits, L'x');
    EXPECT_TRUE(ReadGrowing(CallHolding(huge, Answer::Truncated, calls)).empty());
    EXPECT_TRUE(ReadGrowing(CallHolding(huge, Answer::NeededSize, calls)).empty());
    EXPECT_EQ(ReadGrowing([](wchar_t*, std::size_t) -> std::size_t { return 0; }), L"");
}

TEST(FolderOf, DropsTheLastComponentAndItsSeparators) {
    const struct {
        const wchar_t* path;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\R\\veltor\\Lumetra\\toggle-debug.log", L"C:\\R\\veltor\\Lumetra"},
        {L"C:\\R\\veltor\\Lumetra\\\\toggle-debug.log", L"C:\\R\\veltor\\Lumetra"},
        {L"C:/R/Lumetra.exe", L"C:/R"},
        {L"C:\\Lumetra.exe", L"C:"},
        {L"toggle-debug.log", L""},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(FolderOf(c.path), c.folder);
    const std::wstring deep = L"C:\\" + std::wstring(300, L'd') + L"\\f.log";
    EXPECT_EQ(FolderOf(deep), L"C:\\" + std::wstring(300, L'd'));
}

TEST(ExtendedLengthForm, OnlyLongFullPathsChange) {
    const std::wstring name(kLongPathUnits, L'n');
    const struct {
        std::wstring path;
        std::wstring expected;
    } cases[] = {
        {L"C:\\short\\toggle-debug.log", L"C:\\short\\toggle-debug.log"},
        {L"C:\\" + name, L"\\\\?\\C:\\" + name},
        {L"d:\\" + name, L"\\\\?\\d:\\" + name},
        {L"\\\\server\\share\\" + name, L"\\\\?\\UNC\\server\\share\\" + name},
        {L"\\\\?\\C:\\" + name, L"\\\\?\\C:\\" + name},
        {L"\\\\.\\pipe\\" + name, L"\\\\.\\pipe\\" + name},
        {L"relative\\" + name, L"relative\\" + name},
    };
    for (const auto& c : cases) EXPECT_EQ(ExtendedLengthForm(c.path), c.expected);
}

TEST(FolderChain, NamesEveryFolderBelowTheRoot) {
    using Chain = std::vector<std::wstring>;
    EXPECT_EQ(FolderChain(L"\\\\?\\C:\\a\\bb\\c\\"),
              (Chain{L"\\\\?\\C:\\a", L"\\\\?\\C:\\a\\bb", L"\\\\?\\C:\\a\\bb\\c"}));
    EXPECT_EQ(FolderChain(L"\\\\?\\UNC\\srv\\share\\a\\b"),
              (Chain{L"\\\\?\\UNC\\srv\\share\\a", L"\\\\?\\UNC\\srv\\share\\a\\b"}));
    EXPECT_EQ(FolderChain(L"\\\\?\\C:\\"), Chain{});
    EXPECT_EQ(FolderChain(L"C:\\a\\b"), Chain{}) << "only the extended form is walked";
    EXPECT_EQ(FolderChain(L"\\\\?\\UNC\\srv"), Chain{});
}

}  // namespace
}  // namespace lumetra::log
