// The three per-monitor value grammars on any text: no crash, and every value
// that is accepted is written in a form that reads back to the same value.
#include <cstdint>
#include <string>

#include "config/monitor_values.h"
#include "fuzz_input.h"

using namespace lumetra::config;

using lumetra::fuzzing::Check;
using lumetra::fuzzing::Utf16;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::wstring text = Utf16(data + 1, size - 1);
    switch (data[0] % 4) {
        case 0:
            if (const auto rect = ParseMonitorPos(text)) {
                const auto written = FormatMonitorPos(*rect);
                Check(written.has_value());
                Check(ParseMonitorPos(*written) == rect);
            }
            break;
        case 1:
            if (const auto view = ParseMonitorView(text)) {
                Check(*view >= 1 && *view <= 4);
                Check(ParseMonitorView(std::to_wstring(*view)) == view);
            }
            break;
        case 2:
            if (const auto layout = ParseMonitorLayout(text)) {
                const std::wstring written = FormatMonitorLayout(*layout);
                const auto back = ParseMonitorLayout(written);
                Check(back.has_value());
                if (written.size() < 383) {
                    Check(back == layout);
                } else {
                    Check(layout->groupKey.compare(0, back->groupKey.size(), back->groupKey) == 0);
                }
            }
            break;
        default: {
            const std::wstring key = MonitorKeyFromDeviceName(text);
            Check(!key.empty() && key.find(L'\\') == std::wstring::npos);
            break;
        }
    }
    return 0;
}
