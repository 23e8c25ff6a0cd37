#include "config/decimal.h"

#include <gtest/gtest.h>

namespace lumetra::config {
namespace {

TEST(ParseDecimal, ReadsLikeDecimalWcstol) {
    const struct {
        const wchar_t* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {L"0", 0},
        {L"42", 42},
        {L"-7", -7},
        {L"+7", 7},
        {L"  12", 12},
        {L"\t\r\n 3", 3},
        {L"010", 10},
        {L"0x10", 0},
        {L"12abc", 12},
        {L"1 2", 1},
        {L"", std::nullopt},
        {L" ", std::nullopt},
        {L"-", std::nullopt},
        {L"abc", std::nullopt},
        {L"- 1", std::nullopt},
        {L"2147483647", 2147483647},
        {L"2147483648", 2147483647},
        {L"-2147483648", -2147483647 - 1},
        {L"-99999999999999999999", -2147483647 - 1},
        {L"\x0661", std::nullopt},  // Arabic-Indic digit one is not a decimal digit here
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDecimal(c.text), c.value) << "text: \"" << c.text << '"';
}

}  // namespace
}  // namespace lumetra::config
