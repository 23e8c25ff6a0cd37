// Any bytes: the INI reader must not crash, and a saved file must reload to
// the same document. The first save may lose what UTF-8 cannot hold (a UTF-16
// file's lone surrogates become U+FFFD, so two names can become one), so the
// round trip is checked from the first saved file on.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/ini_document.h"

namespace {

// Loads saved bytes and saves them again; aborts when the reload fails.
std::string Resave(const std::string& bytes) {
    lumetra::config::IniDocument doc(L"fuzz.ini");
    if (!doc.loadFromBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
        std::abort();
    return doc.serializeFileBytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lumetra::config::IniDocument doc(L"fuzz.ini");
    if (!doc.loadFromBytes(data, size)) return 0;
    const std::string first = doc.serializeFileBytes();
    if (first.empty() || first.size() > lumetra::config::kIniMaxFileBytes) return 0;
    const std::string second = Resave(first);
    if (second.size() > lumetra::config::kIniMaxFileBytes) return 0;
    if (Resave(second) != second) std::abort();
    return 0;
}
