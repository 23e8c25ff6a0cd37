// The pinned-shortcut folder with real shortcut files, under Wine.
#include <gtest/gtest.h>

#include <algorithm>

#include "pinlister/pin_line.h"
#include "pinlister/shortcut_files_win.h"
#include "pinlister/stamp.h"
#include "shortcut_test_support_win.h"

namespace lumetra::pinlister {
namespace {

using fakes::CreateShortcut;
using fakes::PinnedFolderScope;

std::vector<std::wstring> Names(const std::vector<FolderEntry>& entries) {
    std::vector<std::wstring> names;
    for (const FolderEntry& entry : entries) names.push_back(entry.name);
    return names;
}

TEST(PinnedShortcutFolder, FollowsAppDataAndIsUnknownWithoutAUsableValue) {
    PinnedFolderScope scope;
    EXPECT_EQ(PinnedShortcutFolder(), scope.pinned());
    SetEnvironmentVariableW(L"APPDATA", nullptr);
    EXPECT_EQ(PinnedShortcutFolder(), L"");
    SetEnvironmentVariableW(L"APPDATA", std::wstring(260, L'x').c_str());
    EXPECT_EQ(PinnedShortcutFolder(), L"");
    SetEnvironmentVariableW(L"APPDATA", std::wstring(259, L'x').c_str());
    EXPECT_FALSE(PinnedShortcutFolder().empty());
}

TEST(ResolveShortcutTarget, GivesTheTargetOfAShortcutFile) {
    PinnedFolderScope scope;
    const std::wstring exe = scope.app(L"Editor.exe");
    ASSERT_TRUE(CreateShortcut(scope.pin(L"Editor.lnk"), exe));
    ASSERT_TRUE(CreateShortcut(scope.pin(L"Apps folder.lnk"), scope.apps()));
    EXPECT_TRUE(EqualsIgnoringCase(ResolveShortcutTarget(scope.pin(L"Editor.lnk")), exe));
    EXPECT_TRUE(
        EqualsIgnoringCase(ResolveShortcutTarget(scope.pin(L"Apps folder.lnk")), scope.apps()));
}

TEST(ResolveShortcutTarget, UnreadableShortcutsGiveNothing) {
    PinnedFolderScope scope;
    EXPECT_EQ(ResolveShortcutTarget(scope.pin(L"Missing.lnk")), L"");
    const char garbage[] = "not a shortcut at all";
    ASSERT_TRUE(testing_support::WriteBytes(scope.pin(L"Garbage.lnk"), garbage, sizeof garbage));
    EXPECT_EQ(ResolveShortcutTarget(scope.pin(L"Garbage.lnk")), L"");
}

TEST(ListShortcutFolder, ListsShortcutsAndMarksDirectories) {
    PinnedFolderScope scope;
    EXPECT_TRUE(ListShortcutFolder(scope.pinned()).empty());
    EXPECT_TRUE(ListShortcutFolder(L"").empty());
    ASSERT_TRUE(CreateShortcut(scope.pin(L"B.lnk"), scope.app(L"B.exe")));
    ASSERT_TRUE(CreateShortcut(scope.pin(L"A.lnk"), scope.app(L"A.exe")));
    ASSERT_TRUE(CreateDirectoryW(scope.pin(L"Folder.lnk").c_str(), nullptr));
    ASSERT_TRUE(fakes::CreateEmptyFile(scope.pin(L"notes.txt")));

    const std::vector<FolderEntry> entries = ListShortcutFolder(scope.pinned());
    std::vector<std::wstring> names = Names(entries);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A.lnk", L"B.lnk", L"Folder.lnk"}));
    std::uint64_t newest = 0;
    for (const FolderEntry& entry : entries) {
        EXPECT_EQ(entry.isDirectory, entry.name == L"Folder.lnk");
        if (!entry.isDirectory) newest = std::max(newest, entry.lastWriteTime);
    }
    EXPECT_GT(newest, 116444736000000000ull) << "a real time, after 1970";
    EXPECT_EQ(FolderSignature(scope.pinned(), entries),
              scope.pinned() + L"|" + std::to_wstring(newest) + L"|2");
}

TEST(FolderSignature, ChangesWhenAShortcutIsTouchedAddedOrRemoved) {
    PinnedFolderScope scope;
    auto signature = [&] {
        return FolderSignature(scope.pinned(), ListShortcutFolder(scope.pinned()));
    };
    EXPECT_EQ(signature(), L"no-folder");
    ASSERT_TRUE(CreateShortcut(scope.pin(L"A.lnk"), scope.app(L"A.exe")));
    ASSERT_TRUE(CreateShortcut(scope.pin(L"B.lnk"), scope.app(L"B.exe")));
    const std::wstring before = signature();

    // Touch A with a time later than both files.
    HANDLE file = CreateFileW(scope.pin(L"A.lnk").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER later{{now.dwLowDateTime, now.dwHighDateTime}};
    later.QuadPart += 36000000000ull;  // one hour ahead
    const FILETIME touched{later.LowPart, later.HighPart};
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &touched));
    CloseHandle(file);
    const std::wstring afterTouch = signature();
    EXPECT_NE(afterTouch, before);
    EXPECT_EQ(afterTouch, scope.pinned() + L"|" + std::to_wstring(later.QuadPart) + L"|2");

    ASSERT_TRUE(CreateShortcut(scope.pin(L"C.lnk"), scope.app(L"C.exe")));
    EXPECT_EQ(signature(), scope.pinned() + L"|" + std::to_wstring(later.QuadPart) + L"|3");
    ASSERT_TRUE(DeleteFileW(scope.pin(L"A.lnk").c_str()));
    const std::wstring afterRemove = signature();
    EXPECT_NE(afterRemove, afterTouch);
    EXPECT_EQ(afterRemove.substr(afterRemove.size() - 2), L"|2");
}

TEST(FindPinnedShortcut, AnExactTargetLaterInTheListingWinsOverAnEarlierNameMatch) {
    PinnedFolderScope scope;
    const std::wstring oldEditor = scope.app(L"Editor-1.exe");
    const std::wstring newEditor = scope.app(L"Editor-2.exe");
    ASSERT_TRUE(CreateShortcut(scope.pin(L"Editor.lnk"), oldEditor));
    ASSERT_TRUE(CreateShortcut(scope.pin(L"Zed.lnk"), newEditor));
    const std::vector<std::wstring> listed = Names(ListShortcutFolder(scope.pinned()));
    ASSERT_EQ(listed, (std::vector<std::wstring>{L"Editor.lnk", L"Zed.lnk"}))
        << "the name match comes first in the listing";

    EXPECT_EQ(FindPinnedShortcut(L"Editor", newEditor), scope.pin(L"Zed.lnk"));
    EXPECT_EQ(FindPinnedShortcut(L"Editor", oldEditor), scope.pin(L"Editor.lnk"));
    EXPECT_EQ(FindPinnedShortcut(L"Editor", scope.app(L"Unpinned.exe")), scope.pin(L"Editor.lnk"))
        << "no target matches: the name does";
}

TEST(FindPinnedShortcut, ADottedShortcutNameFallsBackOnlyForItsFirstPart) {
    PinnedFolderScope scope;
    ASSERT_TRUE(CreateShortcut(scope.pin(L"App.Beta.lnk"), scope.app(L"Beta.exe")));
    const std::wstring other = scope.app(L"Other.exe");
    EXPECT_EQ(FindPinnedShortcut(L"App", other), scope.pin(L"App.Beta.lnk"));
    EXPECT_EQ(FindPinnedShortcut(L"App.Beta", other), L"");
}

TEST(FindPinnedShortcut, NothingWithoutAppData) {
    PinnedFolderScope scope;
    const std::wstring exe = scope.app(L"Tool.exe");
    ASSERT_TRUE(CreateShortcut(scope.pin(L"Tool.lnk"), exe));
    ASSERT_EQ(FindPinnedShortcut(L"Tool", exe), scope.pin(L"Tool.lnk"));
    SetEnvironmentVariableW(L"APPDATA", nullptr);
    EXPECT_EQ(FindPinnedShortcut(L"Tool", exe), L"");
    EXPECT_EQ(FindPinnedShortcut(L"Tool", scope.pin(L"Tool.lnk")), scope.pin(L"Tool.lnk"))
        << "a shortcut target is still its own shortcut";
}

}  // namespace
}  // namespace lumetra::pinlister
