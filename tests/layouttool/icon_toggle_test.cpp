#include "layouttool/icon_toggle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layouttool/exit_codes.h"

namespace lumetra::layouttool {
namespace {

// The shell as the toggle sees it, recording what the toggle did.
struct FakeShell {
    DesktopViewWindows before;      // first search
    DesktopViewWindows afterSpawn;  // search after the worker request
    bool keyOpens = true;
    bool writable = true;
    std::uint32_t stored = 0;
    std::vector<std::string> calls;
    int searches = 0;

    ToggleSteps Steps() {
        ToggleSteps s;
        s.findDesktop = [this] { return searches++ == 0 ? before : afterSpawn; };
        s.spawnWorkers = [this] { calls.push_back("spawn"); };
        s.readHideIcons = [this] {
            return keyOpens ? HideIconsValue{true, stored} : HideIconsValue{};
        };
        s.writeHideIcons = [this](std::uint32_t v) {
            calls.push_back("write " + std::to_string(v));
            if (writable && keyOpens) stored = v;
            return writable && keyOpens;
        };
        s.postToggleCommand = [this](WindowRef w) { calls.push_back("post " + std::to_string(w)); };
        s.announceChange = [this] { calls.push_back("announce"); };
        return s;
    }
};

using Calls = std::vector<std::string>;

TEST(ToggleDesktopIcons, Routes) {
    const DesktopViewWindows full{4, 7, 8};
    const DesktopViewWindows defViewOnly{0, 9, 0};
    const DesktopViewWindows nothing{};
    struct Case {
        const char* name;
        DesktopViewWindows before, afterSpawn;
        bool keyOpens, writable;
        std::uint32_t stored;
        int exitCode;
        Calls calls;
    };
    const Case cases[] = {
        {"view route, icons shown", full, nothing, true, true, 0, kExitOk, {"post 7", "write 1"}},
        {"view route, icons hidden", full, nothing, true, true, 1, kExitOk, {"post 7", "write 0"}},
        {"view route, any non-zero counts as hidden",
         full,
         nothing,
         true,
         true,
         5,
         kExitOk,
         {"post 7", "write 0"}},
        {"view route, key unreadable writes 1",
         full,
         nothing,
         false,
         true,
         1,
         kExitOk,
         {"post 7", "write 1"}},
        {"view route ignores a failed write",
         full,
         nothing,
         true,
         false,
         0,
         kExitOk,
         {"post 7", "write 1"}},
        {"a view without list view asks Progman first",
         defViewOnly,
         defViewOnly,
         true,
         true,
         0,
         kExitOk,
         {"spawn", "post 9", "write 1"}},
        {"worker request creates the view",
         nothing,
         full,
         true,
         true,
         1,
         kExitOk,
         {"spawn", "post 7", "write 0"}},
        {"registry route flips 0 to 1",
         nothing,
         nothing,
         true,
         true,
         0,
         kExitOk,
         {"spawn", "write 1", "announce"}},
        {"registry route flips 1 to 0",
         nothing,
         nothing,
         true,
         true,
         1,
         kExitOk,
         {"spawn", "write 0", "announce"}},
        {"registry route, key cannot be opened",
         nothing,
         nothing,
         false,
         true,
         0,
         kExitToggleKeyUnavailable,
         {"spawn"}},
        {"registry route, value cannot be written",
         nothing,
         nothing,
         true,
         false,
         0,
         kExitToggleWriteFailed,
         {"spawn", "write 1"}},
    };
    for (const Case& c : cases) {
        FakeShell shell;
        shell.before = c.before;
        shell.afterSpawn = c.afterSpawn;
        shell.keyOpens = c.keyOpens;
        shell.writable = c.writable;
        shell.stored = c.stored;
        EXPECT_EQ(RunToggle(shell.Steps()), c.exitCode) << c.name;
        EXPECT_EQ(shell.calls, c.calls) << c.name;
    }
}

TEST(ToggleDesktopIcons, TwoRunsOnTheRegistryRouteReturnToTheStart) {
    FakeShell shell;
    EXPECT_EQ(RunToggle(shell.Steps()), kExitOk);
    EXPECT_EQ(shell.stored, 1u);
    shell.searches = 0;
    EXPECT_EQ(RunToggle(shell.Steps()), kExitOk);
    EXPECT_EQ(shell.stored, 0u);
}

TEST(HideIconsFromStored, OnlyAFourByteDwordCounts) {
    const std::uint8_t one[4] = {1, 0, 0, 0};
    const std::uint8_t big[4] = {0x78, 0x56, 0x34, 0x12};
    const std::uint8_t text[4] = {'1', 0, 0, 0};
    constexpr std::uint32_t kDword = 4, kString = 1, kBinary = 3;
    EXPECT_EQ(HideIconsFromStored(true, kDword, one, 4), 1u);
    EXPECT_EQ(HideIconsFromStored(true, kDword, big, 4), 0x12345678u);
    EXPECT_EQ(HideIconsFromStored(false, kDword, one, 4), 0u) << "missing";
    EXPECT_EQ(HideIconsFromStored(true, kString, text, 4), 0u) << "a string reads as 0";
    EXPECT_EQ(HideIconsFromStored(true, kBinary, one, 4), 0u);
    EXPECT_EQ(HideIconsFromStored(true, kDword, one, 2), 0u) << "short dword";
}

}  // namespace
}  // namespace lumetra::layouttool
