#pragma once
// The shell's per-user list of hidden Desktop icons, reduced to the two sets
// the item filter works with, and what changed since the previous read.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::hostedview {

inline constexpr std::wstring_view kClsidThisPc = L"{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
inline constexpr std::wstring_view kClsidUserFiles = L"{59031a47-3f72-44a7-89c5-5595fe6b30ee}";
inline constexpr std::wstring_view kClsidNetworkOld = L"{208D2C60-3AEA-1069-A2D7-08002B30309D}";
inline constexpr std::wstring_view kClsidNetwork = L"{F02C1A0D-BE21-4350-88B0-7367FC96EF3C}";
inline constexpr std::wstring_view kClsidRecycleBin = L"{645FF040-5081-101B-9F08-00AA002F954E}";
inline constexpr std::wstring_view kClsidControlPanelIcon =
    L"{5399E694-6CE5-4D6C-8FCE-1D8870FDCBA0}";
inline constexpr std::wstring_view kClsidAllControlPanelItems =
    L"{21EC2020-3AEA-1069-A2DD-08002B30309D}";
inline constexpr std::wstring_view kClsidControlPanelCategory =
    L"{26EE0668-A00A-44D7-9371-BEB064C98683}";
inline constexpr std::wstring_view kClsidLibraries = L"{031E4825-7B94-4DC3-B131-E946B44C8DD5}";
inline constexpr std::wstring_view kClsidProfileFolder = L"{5E6C858F-0E22-4760-9AFE-EA3317B67173}";
inline constexpr std::wstring_view kClsidDocumentsFolder =
    L"{A8CDFF1C-4878-43be-B5FD-F8091C1C60D0}";

// The icons the user switches on and off in the shell's desktop icon settings.
enum class DesktopIcon : std::uint8_t {
    ThisPc,
    UserFiles,
    NetworkOld,
    Network,
    RecycleBin,
    ControlPanel
};
inline constexpr std::size_t kDesktopIconCount = 6;
inline constexpr std::wstring_view kDesktopIconClsids[kDesktopIconCount] = {
    kClsidThisPc,  kClsidUserFiles,  kClsidNetworkOld,
    kClsidNetwork, kClsidRecycleBin, kClsidControlPanelIcon};

inline constexpr std::wstring_view ClsidOf(DesktopIcon icon) {
    return kDesktopIconClsids[static_cast<std::size_t>(icon)];
}

// One value of a HideDesktopIcons key as enumeration found it.
struct IconValue {
    std::wstring name;
    bool isDword = false;  // REG_DWORD with four bytes of data
    std::uint32_t data = 0;
};
using IconValues = std::vector<IconValue>;

// Registry status codes the value enumeration tells apart.
inline constexpr long kRegSuccess = 0;
inline constexpr long kRegMoreData = 234;     // name or data larger than the buffers
inline constexpr long kRegNoMoreItems = 259;  // past the last value
// Reads the value at `index` into `value` and returns the registry status.
using ReadIconValueAt = std::function<long(std::uint32_t index, IconValue& value)>;
// Every value of one key. A value too large for the buffers is skipped; any
// other failure (the key deleted while it is read) ends the walk, since the
// next index would fail the same way and the reader runs on the UI thread.
IconValues CollectIconValues(const ReadIconValueAt& readAt);

using HiddenSet = std::set<std::wstring>;  // ordered by code unit

struct HiddenIconSets {
    HiddenSet known;  // the registry-controlled icons hidden now
    HiddenSet all;    // every "{...}" value holding 1 in either key
    friend bool operator==(const HiddenIconSets&, const HiddenIconSets&) = default;
};

// Hidden state of one registry-controlled icon: the NewStartPanel value wins,
// ClassicStartMenu decides without one, else only the Control Panel icon hides.
bool IsIconHiddenByValues(std::wstring_view clsid, const IconValues& newStartPanel,
                          const IconValues& classic);
HiddenIconSets BuildHiddenIconSets(const IconValues& newStartPanel, const IconValues& classic);

inline bool IsIconHidden(const HiddenIconSets& sets, DesktopIcon icon) {
    return sets.known.count(std::wstring(ClsidOf(icon))) != 0;
}
// Either of the two network identifiers hides Network.
inline bool IsNetworkHidden(const HiddenIconSets& sets) {
    return IsIconHidden(sets, DesktopIcon::NetworkOld) || IsIconHidden(sets, DesktopIcon::Network);
}

struct RegistryChange {
    bool changed = false;
    bool relaxed = false;  // something was un-hidden: only a full refresh brings it back
};

struct DesktopIconRegistry {
    HiddenIconSets sets = BuildHiddenIconSets({}, {});
    bool initialised = false;
};

// Takes the fresh sets; the first call of the process reports no change.
RegistryChange UpdateDesktopIconRegistry(DesktopIconRegistry& registry, HiddenIconSets fresh);

}  // namespace lumetra::hostedview
