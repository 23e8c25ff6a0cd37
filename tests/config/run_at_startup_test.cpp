#include "config/run_at_startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::config {
namespace {

using Paths = std::vector<std::wstring>;

TEST(StartupShortcuts, PathsInTheFolderWithOneSeparator) {
    const Paths expected{L"C:\\Startup\\Lumetra.lnk", L"C:\\Startup\\Corvanel.lnk",
                         L"C:\\Startup\\Saffrel.lnk"};
    EXPECT_EQ(StartupShortcutPaths(L"C:\\Startup"), expected);
    EXPECT_EQ(StartupShortcutPaths(L"C:\\Startup\\"), expected);
    EXPECT_TRUE(StartupShortcutPaths(L"").empty()) << "no folder: nothing is deleted";
    EXPECT_EQ(StartupShortcutPath(L"", L"Lumetra.lnk"), L"");
}

TEST(StartupShortcuts, OnlyAPlainInstallWithTheSettingOnWritesItsOwn) {
    struct Case {
        bool packaged, on;
        const wchar_t* create;
    };
    const Case cases[] = {
        {false, true, L"S\\Lumetra.lnk"},
        {false, false, L""},
        {true, true, L""},  // the package's task starts it instead
        {true, false, L""},
    };
    for (const Case& c : cases) {
        const StartupShortcutPlan plan = PlanStartupShortcuts(L"S", c.packaged, c.on);
        // Every form removes all three: the earlier products' shortcuts always go.
        EXPECT_EQ(plan.remove, StartupShortcutPaths(L"S")) << c.packaged << c.on;
        EXPECT_EQ(plan.create, c.create) << c.packaged << c.on;
    }
    const StartupShortcutPlan none = PlanStartupShortcuts(L"", false, true);
    EXPECT_TRUE(none.remove.empty());
    EXPECT_TRUE(none.create.empty()) << "no folder, no shortcut";
}

TEST(StartupTask, EnableIsRequestedUnlessOnAndDisableOnlyWhatTheUserEnabled) {
    using A = StartupTaskAction;
    using S = StartupTaskState;
    struct Case {
        S state;
        A whenEnabling, whenDisabling;
    };
    const Case cases[] = {
        {S::kDisabled, A::kRequestEnable, A::kNone},
        {S::kDisabledByUser, A::kRequestEnable, A::kNone},
        {S::kEnabled, A::kNone, A::kDisable},
        {S::kDisabledByPolicy, A::kRequestEnable, A::kNone},
        {S::kEnabledByPolicy, A::kNone, A::kNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartupTaskActionFor(true, c.state), c.whenEnabling) << static_cast<int>(c.state);
        EXPECT_EQ(StartupTaskActionFor(false, c.state), c.whenDisabling)
            << static_cast<int>(c.state);
    }
}

}  // namespace
}  // namespace lumetra::config
