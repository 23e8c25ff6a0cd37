#include "config/run_at_startup.h"

namespace lumetra::config {

std::wstring StartupShortcutPath(const std::wstring& folder, const wchar_t* name) {
    if (folder.empty()) return {};
    std::wstring path = folder;
    if (path.back() != L'\\') path += L'\\';
    return path + name;
}

std::vector<std::wstring> StartupShortcutPaths(const std::wstring& folder) {
    std::vector<std::wstring> paths;
    if (folder.empty()) return paths;
    for (const wchar_t* name : kStartupShortcutNames)
        paths.push_back(StartupShortcutPath(folder, name));
    return paths;
}

StartupShortcutPlan PlanStartupShortcuts(const std::wstring& startupFolder, bool packaged,
                                         bool runAtStartup) {
    StartupShortcutPlan plan{StartupShortcutPaths(startupFolder), {}};
    if (!plan.remove.empty() && !packaged && runAtStartup) plan.create = plan.remove.front();
    return plan;
}

StartupTaskAction StartupTaskActionFor(bool enable, StartupTaskState state) {
    if (enable)
        return state == StartupTaskState::kEnabled || state == StartupTaskState::kEnabledByPolicy
                   ? StartupTaskAction::kNone
                   : StartupTaskAction::kRequestEnable;
    return state == StartupTaskState::kEnabled ? StartupTaskAction::kDisable
                                               : StartupTaskAction::kNone;
}

}  // namespace lumetra::config
