// The version block reader and the credit link on any bytes: no read past
// the block, every About text present (a default where the block has none),
// and a link address is always a part of the markup it came from.
#include <cstdint>
#include <span>

#include "fuzz_input.h"
#include "ui/about_version.h"

using namespace lumetra::ui;

using lumetra::fuzzing::Check;
using lumetra::fuzzing::Utf16;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> block(data, size);
    const AboutTexts texts = ReadAboutTexts(block);
    Check(!texts.title.empty() && !texts.version.empty() && !texts.credit.empty());
    FirstVersionTranslation(block);
    VersionText(block, L"\\StringFileInfo\\040904b0\\CreatedBy");

    const std::wstring markup = Utf16(data, size);
    const std::wstring address = LinkAddress(markup);
    Check(address.empty() || markup.find(address) != std::wstring::npos);
    return 0;
}
