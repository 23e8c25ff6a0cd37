#include "pinlister/shortcut_finder.h"

#include <gtest/gtest.h>

#include <map>

namespace lumetra::pinlister {
namespace {

const std::wstring kFolder = L"C:\\Pins";

// A pinned-shortcut folder in memory: names in listing order, their targets,
// and how often it was listed and each file resolved.
struct FakeFolder {
    std::vector<FolderEntry> entries;
    std::map<std::wstring, std::wstring> targets;  // by full path
    int listings = 0;
    std::map<std::wstring, int> resolutions;

    void add(const std::wstring& name, const std::wstring& target, bool directory = false) {
        entries.push_back({name, 0, directory});
        targets[kFolder + L"\\" + name] = target;
    }
    ShortcutFolderAccess access(std::wstring folder = kFolder) {
        return {std::move(folder),
                [this] {
                    ++listings;
                    return entries;
                },
                [this](const std::wstring& path) {
                    ++resolutions[path];
                    return targets[path];
                }};
    }
};

TEST(NameStem, EndsAtTheFirstDot) {
    EXPECT_EQ(NameStem(L"App.Beta.lnk"), L"App");
    EXPECT_EQ(NameStem(L"App.lnk"), L"App");
    EXPECT_EQ(NameStem(L".lnk"), L"");
    EXPECT_EQ(NameStem(L"NoDot"), L"NoDot");
}

TEST(ShortcutFinder, AnExactTargetLaterInTheListingWinsOverAnEarlierNameMatch) {
    FakeFolder folder;
    folder.add(L"Editor.lnk", L"C:\\Old\\Editor.exe");     // name match, wrong target
    folder.add(L"Something.lnk", L"C:\\New\\editor.EXE");  // target match, other name
    ShortcutFinder finder(folder.access());
    EXPECT_EQ(finder.find(L"Editor", L"C:\\New\\Editor.exe"), L"C:\\Pins\\Something.lnk");
}

TEST(ShortcutFinder, NameFallbacksCompareTheTextBeforeTheFirstDot) {
    FakeFolder folder;
    folder.add(L"App.Beta.lnk", L"C:\\Elsewhere\\1.exe");
    folder.add(L"app.lnk", L"C:\\Elsewhere\\2.exe");
    folder.add(L"App.Beta.Two.lnk", L"C:\\Elsewhere\\3.exe");
    ShortcutFinder finder(folder.access());
    const struct {
        const wchar_t* name;
        const wchar_t* expected;
    } cases[] = {
        {L"App", L"C:\\Pins\\App.Beta.lnk"},  // the first name match is kept
        {L"APP", L"C:\\Pins\\App.Beta.lnk"},
        {L"App.Beta", L""},  // never matches a stem
        {L"", L""},          // an empty name has no fallback
        {L"Other", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(finder.find(c.name, L"C:\\Target.exe"), c.expected)
            << testing::PrintToString(c.name);
}

TEST(ShortcutFinder, ATargetThatIsAShortcutAnswersItself) {
    FakeFolder folder;
    folder.add(L"A.lnk", L"C:\\A.exe");
    ShortcutFinder finder(folder.access());
    EXPECT_EQ(finder.find(L"A", L"D:\\Links\\A.LNK"), L"D:\\Links\\A.LNK");
    EXPECT_EQ(finder.find(L"A", L".lnk"), L".lnk") << "four units are long enough";
    EXPECT_EQ(folder.listings, 0) << "no need to look into the folder";
}

TEST(ShortcutFinder, DirectoriesAndUnknownFoldersGiveNothing) {
    FakeFolder folder;
    folder.add(L"Tool.lnk", L"C:\\Tool.exe", /*directory=*/true);
    EXPECT_EQ(ShortcutFinder(folder.access()).find(L"Tool", L"C:\\Tool.exe"), L"");
    folder.entries.clear();
    folder.add(L"Tool.lnk", L"C:\\Tool.exe");
    EXPECT_EQ(ShortcutFinder(folder.access(L"")).find(L"Tool", L"C:\\Tool.exe"), L"");
    EXPECT_EQ(ShortcutFinder(folder.access()).find(L"Tool", L"C:\\Tool.exe"),
              L"C:\\Pins\\Tool.lnk");
}

TEST(ShortcutFinder, AnUnreadableShortcutMatchesNoTargetButStillItsName) {
    FakeFolder folder;
    folder.add(L"Broken.lnk", L"");
    ShortcutFinder finder(folder.access());
    EXPECT_EQ(finder.find(L"Broken", L"C:\\Broken.exe"), L"C:\\Pins\\Broken.lnk");
    EXPECT_EQ(finder.find(L"Other", L"C:\\Broken.exe"), L"");
}

TEST(ShortcutFinder, ListsOnceAndResolvesEachShortcutOncePerEnumeration) {
    FakeFolder folder;
    for (int i = 0; i < 50; ++i)
        folder.add(L"App" + std::to_wstring(i) + L".lnk",
                   L"C:\\Apps\\" + std::to_wstring(i) + L".exe");
    ShortcutFinder finder(folder.access());
    for (int i = 49; i >= 0; --i)
        EXPECT_EQ(finder.find(L"x", L"C:\\Apps\\" + std::to_wstring(i) + L".exe"),
                  L"C:\\Pins\\App" + std::to_wstring(i) + L".lnk");
    EXPECT_EQ(folder.listings, 1);
    EXPECT_EQ(folder.resolutions.size(), 50u);
    for (const auto& [path, count] : folder.resolutions)
        EXPECT_EQ(count, 1) << testing::PrintToString(path);
}

}  // namespace
}  // namespace lumetra::pinlister
