// The import-table reader on any bytes: no read past the image, and a slot it
// names always lies wholly inside it.
#include <cstdint>

#include "fuzz_input.h"
#include "platform/pe_imports.h"

using lumetra::fuzzing::Check;
using lumetra::platform::FindImportSlot;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const auto& wanted :
         {lumetra::platform::WantedImport{"uxtheme.dll", 49, "OpenNcThemeData"},
          lumetra::platform::WantedImport{"a", 0, "b"}}) {
        if (const auto slot = FindImportSlot(data, size, wanted))
            Check(*slot + std::size_t{4} <= size);
    }
    return 0;
}
