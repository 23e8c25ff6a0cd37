#pragma once
// Stilvane's switches: "/save", "-restore", "--toggle", "/undo" in any letter case.
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::layouttool {

enum class Command { kUsage, kSave, kRestore, kToggle, kUndo, kUnknown };

// The switch named by one argument; a word without "/" or "-" is unknown.
Command ParseSwitch(std::wstring_view argument);
// `arguments` excludes the program name; only the first one counts.
Command ParseCommand(const std::vector<std::wstring>& arguments);

}  // namespace lumetra::layouttool
