#include "layouttool/command_line.h"

namespace lumetra::layouttool {
namespace {

// ASCII-only folding: the switch words are ASCII and the locale must not matter.
bool EqualsIgnoringCase(std::wstring_view text, std::wstring_view lowerWord) {
    if (text.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != lowerWord[i]) return false;
    }
    return true;
}

}  // namespace

Command ParseSwitch(std::wstring_view argument) {
    std::wstring_view word;
    if (argument.starts_with(L"--")) {
        word = argument.substr(2);
    } else if (argument.starts_with(L"/") || argument.starts_with(L"-")) {
        word = argument.substr(1);
    } else {
        return Command::kUnknown;
    }
    if (EqualsIgnoringCase(word, L"save")) return Command::kSave;
    if (EqualsIgnoringCase(word, L"restore")) return Command::kRestore;
    if (EqualsIgnoringCase(word, L"toggle")) return Command::kToggle;
    if (EqualsIgnoringCase(word, L"undo")) return Command::kUndo;
    return Command::kUnknown;
}

Command ParseCommand(const std::vector<std::wstring>& arguments) {
    if (arguments.empty()) return Command::kUsage;
    return ParseSwitch(arguments.front());
}

}  // namespace lumetra::layouttool
