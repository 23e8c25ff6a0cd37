#include "config/hotkey_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "config/settings_store.h"
#include "fake_config_host.h"

namespace lumetra::config {
namespace {

using testing::Crlf;
using testing::ResetWorld;
using testing::SavedText;
using testing::WriteFile;

TEST(VirtualKeyNames, HoldsTheNamedKeysInTableOrder) {
    const auto names = VirtualKeyNames();
    ASSERT_EQ(names.size(), 150u);
    EXPECT_EQ(std::wstring(names.front().name), L"VK_LBUTTON");
    EXPECT_EQ(std::wstring(names.back().name), L"VK_OEM_CLEAR");
    const struct {
        const wchar_t* name;
        std::uint32_t code;
    } spots[] = {
        {L"VK_HANGUL", 0x15},  {L"VK_HANGEUL", 0x15},   {L"VK_KANJI", 0x19},
        {L"VK_SLEEP", 0x5F},   {L"VK_SEPARATOR", 0x6C}, {L"VK_F24", 0x87},
        {L"VK_OEM_102", 0xE2}, {L"VK_PA1", 0xFD},       {L"VK_0", 0x30},
        {L"VK_Z", 0x5A},       {L"VK_OEM_PLUS", 0xBB},  {L"VK_PROCESSKEY", 0xE5},
    };
    for (const auto& s : spots) EXPECT_EQ(VirtualKeyFromName(s.name), s.code) << s.name;
    std::set<std::wstring> unique;
    for (const auto& entry : names) EXPECT_TRUE(unique.insert(entry.name).second) << entry.name;
}

TEST(VirtualKeyFromName, FollowsTheNameRules) {
    const struct {
        const wchar_t* text;
        std::uint32_t code;
    } cases[] = {
        {L"", 0},          {L"VK_D", 0x44},
        {L"vk_f1", 0x70},  {L"Vk_Oem_4", 0xDB},
        {L"VK_", 0},       {L"VK_FOO", 0},
        {L"0x41", 0x41},   {L"0X41", 0x41},
        {L"#44", 0x44},    {L"#0", 0},
        {L"0x100", 0},     {L"0xff", 0xFF},
        {L"0x", 0},        {L"#", 0},
        {L"0x-1", 0},      {L"#0x41", 0x41},
        {L"0x41zz", 0x41}, {L"65", 0x41},
        {L"256", 0},       {L"0", 0},
        {L"007", 7},       {L"99999999999999", 0},
        {L"space", 0x20},  {L"SPACE", 0x20},
        {L"m", 0x4D},      {L"Q", 0x51},
        {L"z", 0x5A},      {L"backslash", 0xDC},
        {L"OEM5", 0xDC},   {L"\\", 0xDC},
        {L"'d'", 0x44},    {L"'7'", 0x37},
        {L"'['", 0},       {L"d", 0x44},
        {L"5", 5},         {L"[", 0},
        {L"F1", 0},        {L"\x00E9", 0},
        {L"'\x00E9'", 0},  {L"-5", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFromName(c.text), c.code) << "text: " << testing::Narrow(c.text);
}

TEST(ParseHotkeyText, AcceptsTheGrammarAndRejectsTheRest) {
    const struct {
        const wchar_t* text;
        bool ok;
        Hotkey pair;  // expected when ok; key 0 where the text means "no hotkey"
    } cases[] = {
        {L"", true, {3, 0}},
        {L" \t ", true, {3, 0}},
        {L"NONE", true, {3, 0}},
        {L"Off", true, {3, 0}},
        {L"disabled", true, {3, 0}},
        {L"none ", true, {3, 0}},
        {L"VK_D", true, {3, 0x44}},
        {L"d", true, {3, 0x44}},
        {L"'D'", true, {3, 0x44}},
        {L"0x44", true, {3, 0x44}},
        {L"#44", true, {3, 0x44}},
        {L"68", true, {3, 0x44}},
        {L"  vk_f1", true, {3, 0x70}},
        {L"F1", true, {3, 0}},
        {L"Ctrl + Alt + D", true, {3, 0x44}},
        {L"ctrl+alt+VK_D", true, {3, 0x44}},
        {L"Shift+VK_F5", true, {4, 0x74}},
        {L"Ctrl++D", true, {2, 0x44}},
        {L"control+menu+shift+windows+VK_SPACE", true, {15, 0x20}},
        {L"LWin+RWin+Win+q", true, {8, 0x51}},
        {L"Win+Shift+VK_OEM_4", true, {12, 0xDB}},
        {L"VK_F5+Shift", false, {}},
        {L"+D", false, {}},
        {L"Ctrl+", false, {}},
        {L"Ctrl+Alt+Foo", false, {}},
        {L"Hyper+D", false, {}},
        {L"Win+Shift+'['", false, {}},
        {L"Ctrl+0x100", false, {}},
    };
    for (const auto& c : cases) {
        Hotkey pair{0, 0};
        EXPECT_EQ(ParseHotkeyText(c.text, pair), c.ok) << testing::Narrow(c.text);
        EXPECT_EQ(pair.modifiers, c.ok ? c.pair.modifiers : 3u) << testing::Narrow(c.text);
        EXPECT_EQ(pair.key, c.ok ? c.pair.key : 0u) << testing::Narrow(c.text);
    }
    Hotkey untouched{0, 0x51};
    EXPECT_FALSE(ParseHotkeyText(nullptr, untouched));
    EXPECT_EQ(untouched, (Hotkey{3, 0x51}));
}

TEST(ParseHotkeyText, LimitsLengthAndParts) {
    Hotkey pair{3, 0};
    std::wstring text = L"Ctrl+" + std::wstring(118, L' ') + L"VK_D";  // 127 units
    ASSERT_EQ(text.size(), 127u);
    EXPECT_TRUE(ParseHotkeyText(text.c_str(), pair));
    text.insert(5, L" ");
    EXPECT_FALSE(ParseHotkeyText(text.c_str(), pair)) << "128 units with a plus";
    // Only 16 parts are read: a key in the 17th is never seen.
    std::wstring many;
    for (int i = 0; i < 16; ++i) many += L"Ctrl+";
    EXPECT_FALSE(ParseHotkeyText((many + L"D").c_str(), pair));
    EXPECT_TRUE(ParseHotkeyText((many.substr(0, 15 * 5) + L"D").c_str(), pair));
    // Parts are cut to 47 units.
    EXPECT_FALSE(ParseHotkeyText((L"Ctrl+" + std::wstring(50, L'd')).c_str(), pair));
}

TEST(FormatHotkey, ConfigAndDisplayForms) {
    const struct {
        Hotkey pair;
        const wchar_t* config;
        const wchar_t* display;
    } cases[] = {
        {{4, 0x70}, L"Shift+VK_F1", L"Shift + VK_F1"},
        {{3, 0x44}, L"VK_D", L"Ctrl + Alt + VK_D"},
        {{2, 0xA0}, L"Ctrl+0xA0", L"Ctrl + 0xA0"},
        {{3, 0}, L"none", L""},
        {{6, 0x74}, L"Ctrl+Shift+VK_F5", L"Ctrl + Shift + VK_F5"},
        {{9, 0x20}, L"Alt+Win+VK_SPACE", L"Alt + Win + VK_SPACE"},
        {{15, 0x1D},
         L"Ctrl+Alt+Shift+Win+VK_NONCONVERT",
         L"Ctrl + Alt + Shift + Win + VK_NONCONVERT"},
        {{8, 0x15}, L"Win+VK_KANA", L"Win + VK_KANA"},
        {{1, 0x07}, L"Alt+0x07", L"Alt + 0x07"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatHotkeyConfigText(c.pair), c.config);
        EXPECT_EQ(FormatHotkeyDisplayText(c.pair), c.display);
    }
}

TEST(FormatHotkey, EveryStoredFormParsesBackToTheSamePair) {
    for (std::uint32_t modifiers = 1; modifiers <= 15; ++modifiers) {
        for (std::uint32_t key = 0; key <= 255; ++key) {
            const Hotkey pair{modifiers, key};
            const std::wstring text = FormatHotkeyConfigText(pair);
            Hotkey back{0, 0};
            ASSERT_TRUE(ParseHotkeyText(text.c_str(), back)) << testing::Narrow(text.c_str());
            const Hotkey expected = key == 0 ? Hotkey{3, 0} : pair;
            ASSERT_EQ(back, expected) << testing::Narrow(text.c_str());
        }
    }
}

TEST(SaveToggleHotkey, WritesOnlyItsKey) {
    ResetWorld();
    WriteFile(Crlf("[Window]\nX=5\n[Hotkey]\nTrigger=1"));
    Cfg().toggleHotkey = {6, 0x74};
    SaveToggleHotkey();
    EXPECT_EQ(SavedText(), "[Window]\nX=5\n[Hotkey]\nTrigger=1\nToggleHotkey=Ctrl+Shift+VK_F5");

    ResetWorld();
    WriteFile(Crlf("[Window]\nX=5"));
    Cfg().toggleHotkey = {3, 0};
    SaveToggleHotkey();
    EXPECT_EQ(SavedText(), "[Window]\nX=5\n[Hotkey]\nToggleHotkey=none") << "section appended";
}

}  // namespace
}  // namespace lumetra::config
