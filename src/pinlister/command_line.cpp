#include "pinlister/command_line.h"

#include "pinlister/pin_line.h"

namespace lumetra::pinlister {

RunMode ParseArguments(const std::vector<std::wstring>& arguments) {
    bool refresh = false;
    for (const std::wstring& argument : arguments) {
        if (EqualsIgnoringCase(argument, L"--stamp")) return RunMode::StampOnly;
        if (EqualsIgnoringCase(argument, L"--refresh")) refresh = true;
    }
    return refresh ? RunMode::RefreshList : RunMode::List;
}

}  // namespace lumetra::pinlister
