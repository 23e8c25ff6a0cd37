#include "platform/import_patch_win.h"

namespace lumetra::platform {

void** FindImportSlot(HMODULE module, const WantedImport& wanted) {
    if (!module) return nullptr;
    auto* image = reinterpret_cast<std::uint8_t*>(module);
    // The loader has checked these headers; the size bounds every later read.
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + dos->e_lfanew);
    const auto slot = FindImportSlot(image, nt->OptionalHeader.SizeOfImage, wanted);
    return slot ? reinterpret_cast<void**>(image + *slot) : nullptr;
}

bool ReplaceImportSlot(void** slot, void* replacement) {
    DWORD previous = 0;
    if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &previous)) return false;
    *slot = replacement;
    DWORD ignored = 0;
    VirtualProtect(slot, sizeof(*slot), previous, &ignored);
    return true;
}

}  // namespace lumetra::platform
