#pragma once
// What the settings ask of the shell's folder view, and whether what the view
// reports is already that: view mode and icon size, the one sort column, and
// the grouping key with its text form "{FMTID}:pid" as config.ini keeps it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "hostedview/view_rules.h"

namespace lumetra::hostedview {

// Folder view modes (FVM_*) beyond the two the view is created with.
inline constexpr unsigned kFvmList = 3;
inline constexpr unsigned kFvmDetails = 4;

inline constexpr int kSmallIconPx = 20;
// A view whose icons are this close to the wanted size counts as showing it.
inline constexpr int kIconSizeTolerancePx = 4;

// Folder flags the palette forces on the view.
inline constexpr unsigned kFwfNoHeaderInAllViews = 0x1000000;

struct ViewModeTarget {
    unsigned folderViewMode = 0;
    int iconPx = 0;
};
// Small icons are shown as icon mode at 20 px while grouped, since the shell
// drops the groups of its small-icon mode. An invalid view maps like medium.
ViewModeTarget WantedViewMode(config::ViewMode view, bool grouped);

// A GUID without the platform's type, laid out as Windows lays out one.
struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};
    friend bool operator==(const Guid&, const Guid&) = default;
};

// Braced, upper-case hex: "{B725F130-47EF-101A-A5F1-02608C9EEBAC}".
std::wstring FormatGuid(const Guid& guid);
// Only the braced form with hex digits of either case; nothing around it.
bool ParseGuid(std::wstring_view text, Guid& guid);

struct PropKey {
    Guid fmtid;
    std::uint32_t pid = 0;
    friend bool operator==(const PropKey&, const PropKey&) = default;
    // The null key (zero FMTID and id) is what an ungrouped view reports.
    bool IsNull() const { return *this == PropKey{}; }
};

// The storage property set: name 10, size 12, date modified 14.
inline constexpr Guid kStorageFmtid{
    0xB725F130, 0x47EF, 0x101A, {0xA5, 0xF1, 0x02, 0x60, 0x8C, 0x9E, 0xEB, 0xAC}};
inline constexpr PropKey kNameKey{kStorageFmtid, 10};
inline constexpr PropKey kSizeKey{kStorageFmtid, 12};
inline constexpr PropKey kDateModifiedKey{kStorageFmtid, 14};

inline constexpr int kSortAscending = 1;
inline constexpr int kSortDescending = -1;

struct SortColumnSpec {
    PropKey key;
    int direction = kSortAscending;
    friend bool operator==(const SortColumnSpec&, const SortColumnSpec&) = default;
};
// The column a sort mode asks for; an unknown mode sorts by name ascending.
SortColumnSpec WantedSortColumn(config::SortMode sort, bool ascending);
// The sort mode a column the shell reports stands for; anything else is name.
config::SortMode SortModeOfColumn(const PropKey& key);

// "{FMTID}:pid", cut to the 79 characters config.ini keeps.
std::wstring FormatGroupByKey(const PropKey& key);

// The grouping the settings ask for: false when grouping is off or the key
// text is unusable; an empty key text means grouping by name.
bool ParseGroupByKeyString(const config::Settings& cfg, PropKey& key, bool& ascending);

// What the view reported; a failed query leaves its `...Read` false.
struct ViewReport {
    bool modeRead = false;
    unsigned folderViewMode = 0;
    int iconPx = 0;
    bool groupRead = false;
    PropKey groupKey;
    bool groupAscending = true;
    bool sortRead = false;
    SortColumnSpec sort;
};

// The view shows `view`'s icon size (within the tolerance) in a mode that can
// show it.
bool IsShellViewModeAt(config::ViewMode view, const ViewReport& report);
// Grouped unless the view reports the null key; the setting when it cannot say.
bool ReportGrouped(const ViewReport& report, bool groupBySetting);
// The view is as the settings want it: mode and size, grouping, and the sort
// when the settings own it.
bool IsViewModeCommitted(const config::Settings& cfg, const ViewReport& report);

// The shell put the view into list or details mode, which the palette never uses.
inline bool IsListOrDetails(unsigned folderViewMode) {
    return folderViewMode == kFvmList || folderViewMode == kFvmDetails;
}

// LVS_EX_UNDERLINEHOT and LVS_EX_UNDERLINECOLD for the shell's IconUnderline
// value (0 hover, 1 always, else never).
inline constexpr unsigned kUnderlineStyleMask = 0x1800;
unsigned UnderlineStyleFor(std::uint32_t iconUnderline);

}  // namespace lumetra::hostedview
