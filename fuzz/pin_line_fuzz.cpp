// Any three fields: a printed line keeps its shape (three fields, two bars, no
// line break, valid UTF-8, no blanks at field ends, a name and a target), a
// target is printed once, and a stored stamp still matches behind line ends.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pinlister/pin_cache.h"
#include "pinlister/pin_line.h"
#include "platform/utf8.h"

namespace {

using lumetra::pinlister::PinnedLines;

// Splits the input into three UTF-16 fields at the first two units 0xFFFF.
void ReadFields(const std::uint8_t* data, std::size_t size, std::wstring (&fields)[3]) {
    std::size_t field = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0xFFFF && field < 2) {
            ++field;
            continue;
        }
        fields[field].push_back(unit);
    }
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void CheckLine(const std::string& line) {
    std::size_t bars = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] == '\r') std::abort();
        if (i < line.size() && line[i] == '\n') std::abort();
        if (i < line.size() && line[i] != '|') continue;
        const std::string field = line.substr(start, i - start);
        if (!field.empty() && (IsBlank(field.front()) || IsBlank(field.back()))) std::abort();
        if (bars < 2 && field.empty()) std::abort();  // name and target are never empty
        if (i < line.size()) ++bars;
        start = i + 1;
    }
    if (bars != 2) std::abort();
    std::wstring decoded;
    if (!lumetra::platform::DecodeUtf8Strict(reinterpret_cast<const std::uint8_t*>(line.data()),
                                             line.size(), decoded))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring fields[3];
    ReadFields(data, size, fields);
    PinnedLines out;
    if (lumetra::pinlister::EmitPinnedLine(out, fields[0], fields[1], fields[2])) {
        if (out.lines.size() != 1) std::abort();
        CheckLine(out.lines[0]);
        if (lumetra::pinlister::EmitPinnedLine(out, L"again", fields[1], L"")) std::abort();
        const std::string stamp = out.lines[0];
        if (!lumetra::pinlister::StampMatches(stamp + "\r\n\n", stamp)) std::abort();
    } else if (!out.lines.empty()) {
        std::abort();
    }
    return 0;
}
