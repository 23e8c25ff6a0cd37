#include "layouttool/texts.h"

namespace lumetra::layouttool {

bool IsJapaneseUiLanguage(std::uint16_t languageId) { return (languageId & 0x3FF) == 0x11; }

const wchar_t* Pick(const TextPair& text, bool japanese) {
    return japanese ? text.japanese : text.english;
}

}  // namespace lumetra::layouttool
