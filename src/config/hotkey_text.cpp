#include "config/hotkey_text.h"

#include <array>
#include <optional>
#include <vector>

#include "config/config_host.h"
#include "log/bounded_format.h"

namespace lumetra::config {
namespace {

constexpr VirtualKeyName kNames[] = {
    {L"VK_LBUTTON", 0x01},    {L"VK_RBUTTON", 0x02},    {L"VK_CANCEL", 0x03},
    {L"VK_MBUTTON", 0x04},    {L"VK_XBUTTON1", 0x05},   {L"VK_XBUTTON2", 0x06},
    {L"VK_BACK", 0x08},       {L"VK_TAB", 0x09},        {L"VK_CLEAR", 0x0C},
    {L"VK_RETURN", 0x0D},     {L"VK_SHIFT", 0x10},      {L"VK_CONTROL", 0x11},
    {L"VK_MENU", 0x12},       {L"VK_PAUSE", 0x13},      {L"VK_CAPITAL", 0x14},
    {L"VK_KANA", 0x15},       {L"VK_HANGUL", 0x15},     {L"VK_HANGEUL", 0x15},
    {L"VK_JUNJA", 0x17},      {L"VK_FINAL", 0x18},      {L"VK_HANJA", 0x19},
    {L"VK_KANJI", 0x19},      {L"VK_ESCAPE", 0x1B},     {L"VK_CONVERT", 0x1C},
    {L"VK_NONCONVERT", 0x1D}, {L"VK_ACCEPT", 0x1E},     {L"VK_MODECHANGE", 0x1F},
    {L"VK_SPACE", 0x20},      {L"VK_PRIOR", 0x21},      {L"VK_NEXT", 0x22},
    {L"VK_END", 0x23},        {L"VK_HOME", 0x24},       {L"VK_LEFT", 0x25},
    {L"VK_UP", 0x26},         {L"VK_RIGHT", 0x27},      {L"VK_DOWN", 0x28},
    {L"VK_SELECT", 0x29},     {L"VK_PRINT", 0x2A},      {L"VK_EXECUTE", 0x2B},
    {L"VK_SNAPSHOT", 0x2C},   {L"VK_INSERT", 0x2D},     {L"VK_DELETE", 0x2E},
    {L"VK_HELP", 0x2F},       {L"VK_0", 0x30},          {L"VK_1", 0x31},
    {L"VK_2", 0x32},          {L"VK_3", 0x33},          {L"VK_4", 0x34},
    {L"VK_5", 0x35},          {L"VK_6", 0x36},          {L"VK_7", 0x37},
    {L"VK_8", 0x38},          {L"VK_9", 0x39},          {L"VK_A", 0x41},
    {L"VK_B", 0x42},          {L"VK_C", 0x43},          {L"VK_D", 0x44},
    {L"VK_E", 0x45},          {L"VK_F", 0x46},          {L"VK_G", 0x47},
    {L"VK_H", 0x48},          {L"VK_I", 0x49},          {L"VK_J", 0x4A},
    {L"VK_K", 0x4B},          {L"VK_L", 0x4C},          {L"VK_M", 0x4D},
    {L"VK_N", 0x4E},          {L"VK_O", 0x4F},          {L"VK_P", 0x50},
    {L"VK_Q", 0x51},          {L"VK_R", 0x52},          {L"VK_S", 0x53},
    {L"VK_T", 0x54},          {L"VK_U", 0x55},          {L"VK_V", 0x56},
    {L"VK_W", 0x57},          {L"VK_X", 0x58},          {L"VK_Y", 0x59},
    {L"VK_Z", 0x5A},          {L"VK_LWIN", 0x5B},       {L"VK_RWIN", 0x5C},
    {L"VK_APPS", 0x5D},       {L"VK_SLEEP", 0x5F},      {L"VK_NUMPAD0", 0x60},
    {L"VK_NUMPAD1", 0x61},    {L"VK_NUMPAD2", 0x62},    {L"VK_NUMPAD3", 0x63},
    {L"VK_NUMPAD4", 0x64},    {L"VK_NUMPAD5", 0x65},    {L"VK_NUMPAD6", 0x66},
    {L"VK_NUMPAD7", 0x67},    {L"VK_NUMPAD8", 0x68},    {L"VK_NUMPAD9", 0x69},
    {L"VK_MULTIPLY", 0x6A},   {L"VK_ADD", 0x6B},        {L"VK_SEPARATOR", 0x6C},
    {L"VK_SUBTRACT", 0x6D},   {L"VK_DECIMAL", 0x6E},    {L"VK_DIVIDE", 0x6F},
    {L"VK_F1", 0x70},         {L"VK_F2", 0x71},         {L"VK_F3", 0x72},
    {L"VK_F4", 0x73},         {L"VK_F5", 0x74},         {L"VK_F6", 0x75},
    {L"VK_F7", 0x76},         {L"VK_F8", 0x77},         {L"VK_F9", 0x78},
    {L"VK_F10", 0x79},        {L"VK_F11", 0x7A},        {L"VK_F12", 0x7B},
    {L"VK_F13", 0x7C},        {L"VK_F14", 0x7D},        {L"VK_F15", 0x7E},
    {L"VK_F16", 0x7F},        {L"VK_F17", 0x80},        {L"VK_F18", 0x81},
    {L"VK_F19", 0x82},        {L"VK_F20", 0x83},        {L"VK_F21", 0x84},
    {L"VK_F22", 0x85},        {L"VK_F23", 0x86},        {L"VK_F24", 0x87},
    {L"VK_NUMLOCK", 0x90},    {L"VK_SCROLL", 0x91},     {L"VK_OEM_1", 0xBA},
    {L"VK_OEM_PLUS", 0xBB},   {L"VK_OEM_COMMA", 0xBC},  {L"VK_OEM_MINUS", 0xBD},
    {L"VK_OEM_PERIOD", 0xBE}, {L"VK_OEM_2", 0xBF},      {L"VK_OEM_3", 0xC0},
    {L"VK_OEM_4", 0xDB},      {L"VK_OEM_5", 0xDC},      {L"VK_OEM_6", 0xDD},
    {L"VK_OEM_7", 0xDE},      {L"VK_OEM_8", 0xDF},      {L"VK_OEM_AX", 0xE1},
    {L"VK_OEM_102", 0xE2},    {L"VK_PROCESSKEY", 0xE5}, {L"VK_PACKET", 0xE7},
    {L"VK_ATTN", 0xF6},       {L"VK_CRSEL", 0xF7},      {L"VK_EXSEL", 0xF8},
    {L"VK_EREOF", 0xF9},      {L"VK_PLAY", 0xFA},       {L"VK_ZOOM", 0xFB},
    {L"VK_NONAME", 0xFC},     {L"VK_PA1", 0xFD},        {L"VK_OEM_CLEAR", 0xFE},
};
static_assert(std::size(kNames) == 150);

constexpr std::uint32_t kOem4 = 0xDB;
constexpr std::uint32_t kOem6 = 0xDD;
constexpr std::size_t kMaxChordText = 128;  // texts with "+" must be shorter
constexpr std::size_t kMaxPartLength = 47;
constexpr std::size_t kMaxParts = 16;
constexpr std::size_t kConfigTextUnits = 96;
constexpr std::size_t kDisplayTextUnits = 128;

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; }
wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsCSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Unsigned base-16 reading as the C library's wcstoul does it with a 32-bit
// unsigned long: blanks, a sign, an optional "0x", digits, saturating.
// Empty when no digit was read.
std::optional<std::uint32_t> ScanHex(std::wstring_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsCSpace(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) negative = s[i++] == L'-';
    if (i + 2 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X') &&
        HexValue(s[i + 2]) >= 0)
        i += 2;
    if (i >= s.size() || HexValue(s[i]) < 0) return std::nullopt;
    std::uint64_t value = 0;
    for (; i < s.size() && HexValue(s[i]) >= 0; ++i) {
        value = value * 16 + static_cast<std::uint64_t>(HexValue(s[i]));
        if (value > 0xFFFFFFFFu) value = 0x100000000u;
    }
    if (value > 0xFFFFFFFFu) return 0xFFFFFFFFu;
    const auto v = static_cast<std::uint32_t>(value);
    return negative ? static_cast<std::uint32_t>(0u - v) : v;
}

std::uint32_t CodeIfByte(std::uint64_t value) {
    return value >= 1 && value <= 255 ? static_cast<std::uint32_t>(value) : 0;
}

// A digit or an ASCII letter names its own key; letters by their capital.
std::uint32_t CharacterKey(wchar_t c) {
    if (IsDigit(c)) return static_cast<std::uint32_t>(c);
    if (IsAsciiLetter(c)) return static_cast<std::uint32_t>(AsciiUpper(c));
    return 0;
}

std::uint32_t ModifierBit(std::wstring_view part) {
    if (EqualsNoCase(part, L"ctrl") || EqualsNoCase(part, L"control")) return kModControl;
    if (EqualsNoCase(part, L"alt") || EqualsNoCase(part, L"menu")) return kModAlt;
    if (EqualsNoCase(part, L"shift")) return kModShift;
    if (EqualsNoCase(part, L"win") || EqualsNoCase(part, L"windows") ||
        EqualsNoCase(part, L"lwin") || EqualsNoCase(part, L"rwin"))
        return kModWin;
    return 0;
}

std::wstring_view TrimBlanks(std::wstring_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::wstring KeyName(std::uint32_t code) {
    for (const VirtualKeyName& entry : kNames)
        if (entry.code == code) return entry.name;
    wchar_t text[16];
    if ((code >= L'0' && code <= L'9') || (code >= L'A' && code <= L'Z'))
        log::FormatToBuffer(text, std::size(text), L"'%c'", static_cast<wchar_t>(code));
    else
        log::FormatToBuffer(text, std::size(text), L"0x%02X", code);
    return text;
}

struct ModifierName {
    std::uint32_t bit;
    const wchar_t* name;
};
constexpr ModifierName kModifierNames[] = {
    {kModControl, L"Ctrl"}, {kModAlt, L"Alt"}, {kModShift, L"Shift"}, {kModWin, L"Win"}};

// Modifier names in their fixed order, then the key name, joined by
// `separator`; a piece that would not fit in `units` (with terminator) ends it.
std::wstring JoinChord(const Hotkey& pair, std::wstring_view separator, std::size_t units) {
    std::vector<std::wstring> pieces;
    for (const ModifierName& m : kModifierNames)
        if (pair.modifiers & m.bit) pieces.emplace_back(m.name);
    pieces.push_back(KeyName(pair.key));
    std::wstring text;
    for (const std::wstring& piece : pieces) {
        const std::size_t extra = (text.empty() ? 0 : separator.size()) + piece.size();
        if (text.size() + extra >= units) break;
        if (!text.empty()) text += separator;
        text += piece;
    }
    return text;
}

}  // namespace

std::span<const VirtualKeyName> VirtualKeyNames() { return kNames; }

bool IsBracketKey(std::uint32_t key) { return key == kOem4 || key == kOem6; }

std::uint32_t VirtualKeyFromName(std::wstring_view text) {
    if (text.empty()) return 0;
    if (text.size() > 3 && EqualsNoCase(text.substr(0, 3), L"VK_")) {
        for (const VirtualKeyName& entry : kNames)
            if (EqualsNoCase(text, entry.name)) return entry.code;
    }
    if (text.size() >= 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
        return CodeIfByte(ScanHex(text.substr(2)).value_or(0));
    if (text[0] == L'#') return CodeIfByte(ScanHex(text.substr(1)).value_or(0));

    bool allDigits = true;
    for (wchar_t c : text) allDigits = allDigits && IsDigit(c);
    if (allDigits) {
        std::uint64_t value = 0;
        for (wchar_t c : text) {
            value = value * 10 + static_cast<std::uint64_t>(c - L'0');
            if (value > 255) return 0;
        }
        return CodeIfByte(value);
    }

    if (EqualsNoCase(text, L"space")) return 0x20;
    if (EqualsNoCase(text, L"m")) return 0x4D;
    if (EqualsNoCase(text, L"q")) return 0x51;
    if (EqualsNoCase(text, L"z")) return 0x5A;
    if (EqualsNoCase(text, L"backslash") || EqualsNoCase(text, L"oem5") || text == L"\\")
        return 0xDC;
    if (text.size() == 3 && text[0] == L'\'' && text[2] == L'\'') return CharacterKey(text[1]);
    if (text.size() == 1) return CharacterKey(text[0]);
    return 0;
}

bool ParseHotkeyText(const wchar_t* text, Hotkey& pair) {
    pair.modifiers = kModCtrlAlt;
    if (!text) return false;
    std::wstring_view rest(text);
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    if (rest.empty()) return true;
    if (EqualsNoCase(rest, L"none") || EqualsNoCase(rest, L"off") ||
        EqualsNoCase(rest, L"disabled"))
        return true;
    if (rest.find(L'+') == std::wstring_view::npos) {
        pair.key = VirtualKeyFromName(rest);
        return true;
    }
    if (rest.size() >= kMaxChordText) return false;

    std::array<std::wstring_view, kMaxParts> parts;
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos <= rest.size() && count < kMaxParts) {
        std::size_t end = rest.find(L'+', pos);
        if (end == std::wstring_view::npos) end = rest.size();
        std::wstring_view part = TrimBlanks(rest.substr(pos, end - pos));
        if (part.size() > kMaxPartLength) part = part.substr(0, kMaxPartLength);
        if (!part.empty()) parts[count++] = part;
        pos = end + 1;
    }
    if (count < 2) return false;

    std::uint32_t modifiers = 0;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const std::uint32_t bit = ModifierBit(parts[i]);
        if (bit == 0) return false;
        modifiers |= bit;
    }
    const std::uint32_t key = VirtualKeyFromName(parts[count - 1]);
    if (key == 0) return false;
    pair = Hotkey{modifiers, key};
    return true;
}

std::wstring FormatHotkeyConfigText(const Hotkey& pair) {
    if (pair.key == 0) return L"none";
    if (pair.modifiers == kModCtrlAlt) return KeyName(pair.key);
    return JoinChord(pair, L"+", kConfigTextUnits);
}

std::wstring FormatHotkeyDisplayText(const Hotkey& pair) {
    if (pair.key == 0) return {};
    return JoinChord(pair, L" + ", kDisplayTextUnits);
}

void SaveToggleHotkey() {
    const std::wstring text = FormatHotkeyConfigText(Cfg().toggleHotkey);
    IniDocument doc(L"");
    if (!LoadForWriting(doc)) return;
    doc.ensureSection(L"Hotkey");
    doc.set(L"Hotkey", L"ToggleHotkey", text.c_str());
    HostSave(doc);
}

}  // namespace lumetra::config
