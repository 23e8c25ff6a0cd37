// The GroupByKey text and the braced GUID inside it on any text: no crash, an
// accepted GUID is written back as the same text in upper case, and an
// accepted key is written in a form that reads back to the same key.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "hostedview/view_mode_rules.h"

using namespace lumetra::hostedview;

using lumetra::fuzzing::Check;
using lumetra::fuzzing::Utf16;

namespace {

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::wstring text = Utf16(data + 1, size - 1);

    Guid guid;
    if (ParseGuid(text, guid)) {
        const std::wstring written = FormatGuid(guid);
        Check(written.size() == text.size());
        for (std::size_t i = 0; i < text.size(); ++i) Check(written[i] == Upper(text[i]));
    }

    lumetra::config::Settings cfg;
    cfg.groupBy = (data[0] & 1) != 0;
    cfg.groupByAscending = (data[0] & 2) != 0;
    cfg.groupByKey = text;
    PropKey key;
    bool ascending = !cfg.groupByAscending;
    if (ParseGroupByKeyString(cfg, key, ascending)) {
        Check(cfg.groupBy && ascending == cfg.groupByAscending);
        cfg.groupByKey = FormatGroupByKey(key);
        PropKey back;
        Check(ParseGroupByKeyString(cfg, back, ascending));
        Check(back == key);
    }
    return 0;
}
