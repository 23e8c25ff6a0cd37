#pragma once
#include "layouttool/texts.h"

namespace lumetra::layouttool {

// Japanese texts when the user's UI language is Japanese.
bool UiIsJapanese();
// A toast (falling back to a warning dialog) or an error dialog, in the user's language.
void ShowNotice(const Notice& notice);

}  // namespace lumetra::layouttool
