#pragma once
// The lister's arguments: any order, any letter case, unknown ones ignored.
#include <string>
#include <vector>

namespace lumetra::pinlister {

enum class RunMode {
    List,         // print the list, from the cache while its stamp holds
    RefreshList,  // "--refresh": enumerate, print and store anew
    StampOnly,    // "--stamp": print the current stamp; wins over "--refresh"
};

RunMode ParseArguments(const std::vector<std::wstring>& arguments);

}  // namespace lumetra::pinlister
