#pragma once
// What the palette does around every menu it owns: counts it open, brings
// itself forward for it, and queues the deferred re-sync once the last one
// closed.
#include "ui/menu_bracket_win.h"

namespace lumetra::palette {

ui::MenuOwner PaletteMenuOwner();

}  // namespace lumetra::palette
