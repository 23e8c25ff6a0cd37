#pragma once
// Redirects one function that a loaded module imports, by rewriting the
// module's import address table slot for it.
#include <windows.h>

#include "platform/pe_imports.h"

namespace lumetra::platform {

// The slot through which `module` calls the wanted import, or null.
void** FindImportSlot(HMODULE module, const WantedImport& wanted);

// Stores `replacement` in the slot, making its page writable for the write
// and restoring its protection after. False when the page could not be made
// writable.
bool ReplaceImportSlot(void** slot, void* replacement);

}  // namespace lumetra::platform
