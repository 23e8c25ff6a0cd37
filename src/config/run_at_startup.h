#pragma once
// What bringing the start-with-Windows entry in line with the RunAtStartup
// setting means, without touching the system: which shortcuts go, which one
// is made, and what a packaged startup task is asked to do.
#include <string>
#include <vector>

namespace lumetra::config {

// Lumetra's own shortcut first, then those the maker's earlier products left.
inline constexpr const wchar_t* kStartupShortcutNames[] = {L"Lumetra.lnk", L"Corvanel.lnk",
                                                           L"Saffrel.lnk"};

// FOLDER\NAME with a backslash added when the folder lacks one; empty when
// the folder is.
std::wstring StartupShortcutPath(const std::wstring& folder, const wchar_t* name);

// The three shortcuts' paths in the folder; none when the folder is empty.
std::vector<std::wstring> StartupShortcutPaths(const std::wstring& folder);

struct StartupShortcutPlan {
    std::vector<std::wstring> remove;  // deleted in this order, failures ignored
    std::wstring create;               // Lumetra's shortcut to write, or empty
};

// Both forms drop every shortcut first (the older products' ones always go);
// only an unpackaged Lumetra with the setting on writes its own back.
StartupShortcutPlan PlanStartupShortcuts(const std::wstring& startupFolder, bool packaged,
                                         bool runAtStartup);

// The startup task's states as the system reports them.
enum class StartupTaskState : int {
    kDisabled = 0,
    kDisabledByUser = 1,
    kEnabled = 2,
    kDisabledByPolicy = 3,
    kEnabledByPolicy = 4,
};

enum class StartupTaskAction { kNone, kRequestEnable, kDisable };

// Enabling is asked for whenever the task is not on (the user or a policy may
// refuse, and is asked again at the next start); only a task the user could
// turn on is turned off: one a policy enabled stays.
StartupTaskAction StartupTaskActionFor(bool enable, StartupTaskState state);

}  // namespace lumetra::config
