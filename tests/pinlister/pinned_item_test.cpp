#include "pinlister/pinned_item.h"

#include <gtest/gtest.h>

#include <map>

namespace lumetra::pinlister {
namespace {

// What the shell answers for one item; absent names are "".
struct Answers {
    bool hasShellItem = true;
    std::map<ShellName, std::wstring> shellItem;
    std::wstring idListName;
    std::wstring idListPath;
};

PinnedItemSource SourceFor(const Answers& a) {
    PinnedItemSource source;
    if (a.hasShellItem)
        source.shellItemName = [&a](ShellName kind) {
            auto it = a.shellItem.find(kind);
            return it == a.shellItem.end() ? std::wstring() : it->second;
        };
    source.nameFromIdList = [&a] { return a.idListName; };
    source.parsingPathFromIdList = [&a] { return a.idListPath; };
    return source;
}

// The pinned folder holds one shortcut, "Pinned.lnk", pointing at C:\Pinned.exe.
ShortcutFinder PinnedFolder() {
    return ShortcutFinder({L"C:\\Pins",
                           [] {
                               return std::vector<FolderEntry>{{L"Pinned.lnk", 0, false}};
                           },
                           [](const std::wstring&) { return std::wstring(L"C:\\Pinned.exe"); }});
}

using N = ShellName;

TEST(ProcessPinnedItem, TakesEachFieldFromTheFirstSourceThatAnswers) {
    const struct {
        const char* what;
        Answers answers;
        const char* line;  // nullptr: no line
    } cases[] = {
        {"shell item names first",
         {true,
          {{N::NormalDisplay, L"Shown"},
           {N::ParentRelativeParsing, L"rel"},
           {N::DesktopAbsoluteParsing, L"C:\\A.exe"},
           {N::FileSysPath, L"C:\\fs.exe"}},
          L"idname",
          L"C:\\id.exe"},
         "Shown|C:\\A.exe|C:\\A.exe"},
        {"parent-relative name, then the file-system path",
         {true,
          {{N::ParentRelativeParsing, L"rel"}, {N::FileSysPath, L"C:\\fs.exe"}},
          L"idname",
          L"C:\\id.exe"},
         "rel|C:\\fs.exe|C:\\fs.exe"},
        {"names of the ID list when the shell item has none",
         {true, {}, L"idname", L"C:\\id.exe"},
         "idname|C:\\id.exe|C:\\id.exe"},
        {"a target that matches a pinned shortcut gets it",
         {true,
          {{N::NormalDisplay, L"P"}, {N::DesktopAbsoluteParsing, L"c:\\pinned.EXE"}},
          L"",
          L""},
         "P|c:\\pinned.EXE|C:\\Pins\\Pinned.lnk"},
        {"no shell item: the ID list alone, and no shortcut lookup",
         {false, {}, L"Pinned", L"C:\\Pinned.exe"},
         "Pinned|C:\\Pinned.exe|C:\\Pinned.exe"},
        {"no shell item and no name", {false, {}, L"", L"C:\\x.exe"}, nullptr},
        {"no shell item and no target", {false, {}, L"x", L""}, nullptr},
        {"a shell item name that cleans to nothing falls back to the ID list",
         {true,
          {{N::NormalDisplay, L" | "}, {N::DesktopAbsoluteParsing, L"C:\\A.exe"}},
          L"Named",
          L"C:\\A.exe"},
         "Named|C:\\A.exe|C:\\A.exe"},
        {"no target from the shell item: the ID list again",
         {true, {{N::NormalDisplay, L"Shown"}}, L"idname", L"C:\\id.exe"},
         "Shown|C:\\id.exe|C:\\id.exe"},
        {"nothing anywhere", {true, {}, L"", L""}, nullptr},
    };
    for (const auto& c : cases) {
        PinnedLines out;
        ShortcutFinder finder = PinnedFolder();
        const bool added = ProcessPinnedItem(SourceFor(c.answers), finder, out);
        EXPECT_EQ(added, c.line != nullptr) << c.what;
        EXPECT_EQ(out.lines, c.line ? std::vector<std::string>{c.line} : std::vector<std::string>{})
            << c.what;
    }
}

TEST(ProcessPinnedItem, ARepeatedTargetStaysDroppedOnTheSecondTry) {
    PinnedLines out;
    ShortcutFinder finder = PinnedFolder();
    const Answers first{
        true, {{N::NormalDisplay, L"One"}, {N::DesktopAbsoluteParsing, L"C:\\X.exe"}}, L"", L""};
    const Answers second{true,
                         {{N::NormalDisplay, L"Two"}, {N::DesktopAbsoluteParsing, L"c:\\x.exe"}},
                         L"Two",
                         L"C:\\X.EXE"};
    EXPECT_TRUE(ProcessPinnedItem(SourceFor(first), finder, out));
    EXPECT_FALSE(ProcessPinnedItem(SourceFor(second), finder, out));
    EXPECT_EQ(out.lines, std::vector<std::string>{"One|C:\\X.exe|C:\\X.exe"})
        << "the first one met";
}

}  // namespace
}  // namespace lumetra::pinlister
