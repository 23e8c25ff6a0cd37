// Hotkey text on any input: no crash, and every hotkey the grammar accepts is
// stored in a form that parses back to the same pair.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/hotkey_text.h"

using namespace lumetra::config;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));

    (void)VirtualKeyFromName(text);
    Hotkey pair{0, 0};
    if (!ParseHotkeyText(text.c_str(), pair)) return 0;
    if (pair.key > 255) std::abort();

    const std::wstring stored = FormatHotkeyConfigText(pair);
    if (stored.size() > 95) std::abort();
    Hotkey back{0, 0};
    if (!ParseHotkeyText(stored.c_str(), back)) std::abort();
    const Hotkey expected = pair.key == 0 ? Hotkey{kModCtrlAlt, 0} : pair;
    if (!(back == expected)) std::abort();

    const std::wstring shown = FormatHotkeyDisplayText(pair);
    if (shown.size() > 127 || (pair.key == 0) != shown.empty()) std::abort();
    return 0;
}
