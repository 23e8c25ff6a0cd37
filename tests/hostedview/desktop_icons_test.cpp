#include "hostedview/desktop_icons.h"

#include <gtest/gtest.h>

namespace lumetra::hostedview {
namespace {

IconValue Dword(std::wstring name, std::uint32_t data) { return {std::move(name), true, data}; }
IconValue Text(std::wstring name) { return {std::move(name), false, 1}; }  // REG_SZ "1"

std::wstring S(std::wstring_view v) { return std::wstring(v); }

TEST(DesktopIcons, HiddenStateResolution) {
    struct Case {
        const char* what;
        IconValues newStartPanel;
        IconValues classic;
        std::wstring_view clsid;
        bool hidden;
    } cases[] = {
        {"no values: This PC shows", {}, {}, kClsidThisPc, false},
        {"no values: user's files show", {}, {}, kClsidUserFiles, false},
        {"no values: Network shows", {}, {}, kClsidNetwork, false},
        {"no values: Recycle Bin shows", {}, {}, kClsidRecycleBin, false},
        {"no values: Control Panel icon hidden", {}, {}, kClsidControlPanelIcon, true},
        {"NewStartPanel 0 beats ClassicStartMenu 1",
         {Dword(S(kClsidThisPc), 0)},
         {Dword(S(kClsidThisPc), 1)},
         kClsidThisPc,
         false},
        {"NewStartPanel 1 beats ClassicStartMenu 0",
         {Dword(S(kClsidThisPc), 1)},
         {Dword(S(kClsidThisPc), 0)},
         kClsidThisPc,
         true},
        {"ClassicStartMenu decides without a NewStartPanel value",
         {},
         {Dword(S(kClsidRecycleBin), 1)},
         kClsidRecycleBin,
         true},
        {"REG_SZ 1 is not hidden", {Text(S(kClsidRecycleBin))}, {}, kClsidRecycleBin, false},
        {"REG_SZ in NewStartPanel leaves ClassicStartMenu to decide",
         {Text(S(kClsidThisPc))},
         {Dword(S(kClsidThisPc), 1)},
         kClsidThisPc,
         true},
        {"REG_SZ leaves the Control Panel default",
         {Text(S(kClsidControlPanelIcon))},
         {},
         kClsidControlPanelIcon,
         true},
        {"Control Panel icon shown by value 0",
         {Dword(S(kClsidControlPanelIcon), 0)},
         {},
         kClsidControlPanelIcon,
         false},
        {"value 2 is not hidden", {Dword(S(kClsidThisPc), 2)}, {}, kClsidThisPc, false},
        {"value names match whatever their case",
         {Dword(L"{20d04fe0-3aea-1069-a2d8-08002b30309d}", 1)},
         {},
         kClsidThisPc,
         true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsIconHiddenByValues(c.clsid, c.newStartPanel, c.classic), c.hidden) << c.what;
}

TEST(DesktopIcons, SetsCollectEveryBracedValueOfOneAndEitherNetworkIdHidesNetwork) {
    const HiddenIconSets sets = BuildHiddenIconSets(
        {Dword(S(kClsidNetworkOld), 1), Dword(L"{11111111-2222-3333-4444-555555555555}", 1),
         Dword(L"NotAClsid", 1), Dword(L"{AAAAAAAA-0000-0000-0000-000000000000}", 0)},
        {Dword(L"{BBBBBBBB-0000-0000-0000-000000000000}", 1),
         Text(L"{CCCCCCCC-0000-0000-0000-000000000000}")});
    EXPECT_EQ(sets.all, (HiddenSet{S(kClsidNetworkOld), L"{11111111-2222-3333-4444-555555555555}",
                                   L"{BBBBBBBB-0000-0000-0000-000000000000}"}));
    EXPECT_EQ(sets.known, (HiddenSet{S(kClsidNetworkOld), S(kClsidControlPanelIcon)}));
    EXPECT_TRUE(IsNetworkHidden(sets));
    // A NewStartPanel 0 keeps a ClassicStartMenu 1 out of both sets.
    const HiddenIconSets shown = BuildHiddenIconSets(
        {Dword(S(kClsidThisPc), 0), Dword(L"{EEEEEEEE-0000-0000-0000-000000000000}", 0)},
        {Dword(S(kClsidThisPc), 1), Dword(L"{eeeeeeee-0000-0000-0000-000000000000}", 1)});
    EXPECT_TRUE(shown.all.empty());
    EXPECT_FALSE(IsIconHidden(shown, DesktopIcon::ThisPc));
    EXPECT_FALSE(IsNetworkHidden(BuildHiddenIconSets({}, {})));
    EXPECT_TRUE(IsNetworkHidden(BuildHiddenIconSets({}, {Dword(S(kClsidNetwork), 1)})));
}

TEST(DesktopIcons, ChangesReportedAgainstThePreviousRead) {
    DesktopIconRegistry registry;
    const IconValues none;
    const IconValues recycleHidden{Dword(S(kClsidRecycleBin), 1)};
    const IconValues recycleAndPcHidden{Dword(S(kClsidRecycleBin), 1), Dword(S(kClsidThisPc), 1)};
    const IconValues otherHidden{Dword(S(kClsidRecycleBin), 1), Dword(S(kClsidThisPc), 1),
                                 Dword(L"{DDDDDDDD-0000-0000-0000-000000000000}", 1)};
    struct Step {
        const char* what;
        const IconValues* values;
        bool changed;
        bool relaxed;
    } steps[] = {
        {"first read of the process reports nothing", &recycleHidden, false, false},
        {"same again", &recycleHidden, false, false},
        {"hiding one more: changed only", &recycleAndPcHidden, true, false},
        {"hiding an unknown CLSID: changed only", &otherHidden, true, false},
        {"un-hiding the unknown CLSID: relaxed through the all set", &recycleAndPcHidden, true,
         true},
        {"un-hiding This PC: relaxed", &recycleHidden, true, true},
        {"un-hiding everything: relaxed", &none, true, true},
        {"nothing left to change", &none, false, false},
    };
    for (const Step& s : steps) {
        const RegistryChange change =
            UpdateDesktopIconRegistry(registry, BuildHiddenIconSets(*s.values, {}));
        EXPECT_EQ(change.changed, s.changed) << s.what;
        EXPECT_EQ(change.relaxed, s.relaxed) << s.what;
    }
    EXPECT_TRUE(registry.initialised);
}

// A key whose values are read one index at a time; from `failFrom` on every
// index fails with `failure`, as when the key is deleted while it is read.
TEST(DesktopIcons, EnumerationSkipsOversizedValuesAndStopsOnAnyOtherFailure) {
    constexpr long kKeyDeleted = 1018;  // ERROR_KEY_DELETED
    constexpr long kAccessDenied = 5;   // ERROR_ACCESS_DENIED
    constexpr std::uint32_t kNever = ~0u;
    struct Case {
        const char* what;
        std::vector<long> statuses;  // per index; past the end: kRegNoMoreItems
        std::uint32_t failFrom;
        long failure;
        std::vector<std::wstring> names;
    } cases[] = {
        {"every value", {kRegSuccess, kRegSuccess}, kNever, 0, {L"v0", L"v1"}},
        {"an oversized value is skipped",
         {kRegSuccess, kRegMoreData, kRegSuccess},
         kNever,
         0,
         {L"v0", L"v2"}},
        {"an empty key", {}, kNever, 0, {}},
        {"the key deleted mid-way", {kRegSuccess}, 1, kKeyDeleted, {L"v0"}},
        {"after a skipped value", {kRegMoreData, kRegSuccess}, 2, kKeyDeleted, {L"v1"}},
        {"access lost at once", {}, 0, kAccessDenied, {}},
    };
    for (const Case& c : cases) {
        std::uint32_t calls = 0;
        const IconValues values = CollectIconValues([&](std::uint32_t index, IconValue& value) {
            // Stands in for a walk that would never end.
            if (++calls > 1000) return kRegNoMoreItems;
            if (index >= c.failFrom) return c.failure;
            if (index >= c.statuses.size()) return kRegNoMoreItems;
            if (c.statuses[index] == kRegSuccess) value.name = L"v" + std::to_wstring(index);
            return c.statuses[index];
        });
        std::vector<std::wstring> names;
        for (const IconValue& v : values) names.push_back(v.name);
        EXPECT_EQ(names, c.names) << c.what;
        EXPECT_LE(calls, c.statuses.size() + 1) << c.what << ": read past the end or the failure";
    }
}

}  // namespace
}  // namespace lumetra::hostedview
