// Any bytes: the INI reader must not crash, and what it accepts must survive a
// save and a reload unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumetra::config::IniDocument doc(L"fuzz.ini");
    if (!doc.loadFromBytes(data, size)) return 0;
    const std::string bytes = doc.serializeFileBytes();
    if (bytes.empty()) return 0;
    lumetra::config::IniDocument again(L"fuzz.ini");
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (bytes.size() > lumetra::config::kIniMaxFileBytes) return 0;
    if (!again.loadFromBytes(p, bytes.size())) std::abort();
    if (again.serializeFileBytes() != bytes) std::abort();
    return 0;
}
