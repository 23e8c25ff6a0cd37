#include "hostedview/desktop_icons.h"

#include <algorithm>

#include "hostedview/path_rules.h"

namespace lumetra::hostedview {
namespace {

// Registry value names are case-insensitive.
const IconValue* FindDword(const IconValues& values, std::wstring_view name) {
    const auto it = std::find_if(values.begin(), values.end(), [&](const IconValue& v) {
        return v.isDword && EqualsNoCase(v.name, name);
    });
    return it == values.end() ? nullptr : &*it;
}

bool HasMissing(const HiddenSet& before, const HiddenSet& after) {
    return std::any_of(before.begin(), before.end(),
                       [&](const std::wstring& s) { return after.count(s) == 0; });
}

}  // namespace

IconValues CollectIconValues(const ReadIconValueAt& readAt) {
    IconValues values;
    for (std::uint32_t index = 0;; ++index) {
        IconValue value;
        const long status = readAt(index, value);
        if (status == kRegMoreData) continue;
        if (status != kRegSuccess) break;
        values.push_back(std::move(value));
    }
    return values;
}

bool IsIconHiddenByValues(std::wstring_view clsid, const IconValues& newStartPanel,
                          const IconValues& classic) {
    if (const IconValue* v = FindDword(newStartPanel, clsid)) return v->data == 1;
    if (const IconValue* v = FindDword(classic, clsid)) return v->data == 1;
    return clsid == kClsidControlPanelIcon;
}

HiddenIconSets BuildHiddenIconSets(const IconValues& newStartPanel, const IconValues& classic) {
    HiddenIconSets sets;
    auto hides = [](const IconValue& v) {
        return v.isDword && v.data == 1 && !v.name.empty() && v.name[0] == L'{';
    };
    for (const IconValue& v : newStartPanel)
        if (hides(v)) sets.all.insert(v.name);
    // NewStartPanel wins here too: its 0 must not be undone by a ClassicStartMenu 1.
    for (const IconValue& v : classic)
        if (hides(v) && !FindDword(newStartPanel, v.name)) sets.all.insert(v.name);
    for (std::wstring_view clsid : kDesktopIconClsids)
        if (IsIconHiddenByValues(clsid, newStartPanel, classic))
            sets.known.insert(std::wstring(clsid));
    return sets;
}

RegistryChange UpdateDesktopIconRegistry(DesktopIconRegistry& registry, HiddenIconSets fresh) {
    const HiddenIconSets before = std::move(registry.sets);
    registry.sets = std::move(fresh);
    if (!registry.initialised) {
        registry.initialised = true;
        return {};
    }
    if (registry.sets == before) return {};
    RegistryChange change;
    change.changed = true;
    change.relaxed =
        HasMissing(before.known, registry.sets.known) || HasMissing(before.all, registry.sets.all);
    return change;
}

}  // namespace lumetra::hostedview
