#pragma once
// The registered window messages the palette answers: "TaskbarCreated" and
// the three toggle messages other processes may post.
#include <windows.h>

namespace lumetra::palette {

// Registers the messages and lets them through the palette's message filter.
void RegisterPaletteMessages(HWND palette);
// True when `message` is one of the registered toggle messages (0 never matches).
bool IsToggleMessage(UINT message);
bool IsTaskbarCreatedMessage(UINT message);

}  // namespace lumetra::palette
