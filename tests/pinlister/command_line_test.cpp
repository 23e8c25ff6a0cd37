#include "pinlister/command_line.h"

#include <gtest/gtest.h>

namespace lumetra::pinlister {
namespace {

TEST(ParseArguments, AnyCaseAnyOrderStampWins) {
    const struct {
        std::vector<std::wstring> arguments;
        RunMode mode;
    } cases[] = {
        {{}, RunMode::List},
        {{L"--refresh"}, RunMode::RefreshList},
        {{L"--REFRESH"}, RunMode::RefreshList},
        {{L"--stamp"}, RunMode::StampOnly},
        {{L"--Stamp"}, RunMode::StampOnly},
        {{L"--refresh", L"--stamp"}, RunMode::StampOnly},
        {{L"--stamp", L"--refresh"}, RunMode::StampOnly},
        {{L"/refresh", L"-stamp", L"--stamps", L"refresh"}, RunMode::List},  // others are ignored
        {{L"extra", L"--refresh", L"more"}, RunMode::RefreshList},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseArguments(c.arguments), c.mode) << testing::PrintToString(c.arguments);
}

}  // namespace
}  // namespace lumetra::pinlister
