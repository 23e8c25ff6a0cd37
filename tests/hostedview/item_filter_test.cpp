#include "hostedview/item_filter.h"

#include <gtest/gtest.h>

namespace lumetra::hostedview {
namespace {

using config::DesktopItemsMode;

const DesktopPaths kPaths{L"C:\\Users\\ann\\Desktop\\", L"C:\\Users\\Public\\Desktop\\",
                          L"C:\\Users\\ann"};

TEST(PathRules, NormalisingAndComparing) {
    EXPECT_EQ(NormalizeFolderPath(L"C:/Users/ann/Desktop"), L"C:\\Users\\ann\\Desktop\\");
    EXPECT_EQ(NormalizeFolderPath(L"C:\\x\\"), L"C:\\x\\");
    EXPECT_EQ(NormalizeFolderPath(L""), L"\\");
    EXPECT_TRUE(SamePathIgnoringTrailingSeparators(L"C:\\USERS\\Ann\\", L"c:\\users\\ann"));
    EXPECT_TRUE(StartsWithNoCase(L"C:\\Users\\ANN\\Desktop\\\u00c9t\u00e9.txt",
                                 L"c:\\users\\ann\\desktop\\"));
    EXPECT_TRUE(EqualsNoCase(L"caf\u00c9", L"CAF\u00e9"));
    EXPECT_FALSE(EqualsNoCase(L"caf", L"cafe"));
    // An unresolved folder must not swallow UNC paths or anything else.
    EXPECT_FALSE(IsBelowFolder(L"\\\\server\\share\\a.txt", NormalizeFolderPath(L"")));
}

TEST(PathRules, WhichPathsBelongToTheDesktop) {
    struct Case {
        const char* what;
        std::wstring path;
        bool userFilesShown;
        bool owned;
        bool child;
        bool cloud;
    } cases[] = {
        {"file on the Desktop", L"C:\\Users\\ann\\Desktop\\notes.txt", true, true, true, false},
        {"forward slashes", L"C:/Users/ann/Desktop/notes.txt", true, true, true, false},
        {"other case", L"c:\\users\\ANN\\desktop\\Notes.txt", true, true, true, false},
        {"file on the Public Desktop", L"C:\\Users\\Public\\Desktop\\shared.lnk", true, true, true,
         false},
        {"file in a Desktop sub-folder", L"C:\\Users\\ann\\Desktop\\Photos\\beach.jpg", true, true,
         false, false},
        {"Public Desktop sub-folder", L"C:\\Users\\Public\\Desktop\\a\\b.txt", true, true, false,
         false},
        {"the Desktop folder itself", L"C:\\Users\\ann\\Desktop", true, false, false, false},
        {"a sibling named like the Desktop", L"C:\\Users\\ann\\Desktop2\\x.txt", true, false, false,
         false},
        {"the profile with user's files shown", L"C:\\Users\\ann", true, true, false, false},
        {"the profile with a trailing separator", L"C:\\Users\\ann\\", true, true, false, false},
        {"the profile with user's files hidden", L"C:\\Users\\ann", false, false, false, false},
        {"Documents", L"C:\\Users\\ann\\Documents", true, false, false, false},
        {"OneDrive root", L"C:\\Users\\ann\\OneDrive", true, false, false, true},
        {"inside OneDrive", L"C:\\Users\\ann\\OneDrive\\Work", true, false, false, true},
        {"inside Dropbox", L"C:/Users/ann/Dropbox/Work", true, false, false, true},
        {"OneDrive lookalike", L"C:\\Users\\ann\\OneDriveX", true, false, false, false},
        {"empty path", L"", true, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsDesktopOwnedPath(kPaths, c.path, c.userFilesShown), c.owned) << c.what;
        EXPECT_EQ(IsDesktopChildPathText(kPaths, c.path), c.child) << c.what;
        EXPECT_EQ(IsCloudStoragePath(kPaths, c.path), c.cloud) << c.what;
    }
    const DesktopPaths noProfile{kPaths.desktop, kPaths.publicDesktop, L""};
    EXPECT_FALSE(IsCloudStoragePath(noProfile, L"\\OneDrive\\x"));
    EXPECT_FALSE(IsDesktopOwnedPath(noProfile, L"\\", true));
}

struct FilterCase {
    const char* what;
    DesktopItemsMode mode;
    IconValues hidden;  // NewStartPanel values
    ItemFacts item;
    IconIdMatches matches;
    bool shown;
};

bool Decide(const FilterCase& c) {
    const HiddenIconSets sets = BuildHiddenIconSets(c.hidden, {});
    const FilterContext context{c.mode, &sets, &kPaths};
    switch (ClassifyDesktopItem(context, c.item)) {
        case FilterVerdict::Show: return true;
        case FilterVerdict::Hide: return false;
        case FilterVerdict::AskKnownIcons: break;
    }
    return FinishKnownIconDecision(context, c.item, c.matches);
}

IconValue Hide(std::wstring_view clsid) { return {std::wstring(clsid), true, 1}; }
ItemFacts File(std::wstring path) { return {path, path, FileSystemAttr::Set}; }
ItemFacts Virtual(std::wstring name) { return {std::move(name), L"", FileSystemAttr::Clear}; }

TEST(ItemFilter, SameAsDesktopAndAllItems) {
    const auto same = DesktopItemsMode::SameAsDesktop;
    const auto all = DesktopItemsMode::AllItems;
    const std::wstring thisPc = L"::" + std::wstring(kClsidThisPc);
    const std::wstring recycle = L"::" + std::wstring(kClsidRecycleBin);
    const std::wstring controlPanel = L"::" + std::wstring(kClsidAllControlPanelItems);
    const std::wstring category = L"::" + std::wstring(kClsidControlPanelCategory);
    const std::wstring libraries = L"::" + std::wstring(kClsidLibraries);
    const std::wstring cpIcon = L"::" + std::wstring(kClsidControlPanelIcon);
    const FilterCase cases[] = {
        {"Desktop file", same, {}, File(L"C:\\Users\\ann\\Desktop\\a.txt"), 0, true},
        {"Public Desktop file", same, {}, File(L"C:\\Users\\Public\\Desktop\\b.lnk"), 0, true},
        {"file attribute unknown still counts by path",
         same,
         {},
         {L"C:\\Users\\ann\\Desktop\\a.txt", L"C:\\Users\\ann\\Desktop\\a.txt",
          FileSystemAttr::Unknown},
         0,
         true},
        {"This PC by name", same, {}, Virtual(thisPc), 0, true},
        {"This PC by id list", same, {}, Virtual(L""), IconBit(DesktopIcon::ThisPc), true},
        {"This PC hidden",
         same,
         {Hide(kClsidThisPc)},
         Virtual(thisPc),
         IconBit(DesktopIcon::ThisPc),
         false},
        {"Recycle Bin", same, {}, Virtual(recycle), 0, true},
        {"Recycle Bin hidden", same, {Hide(kClsidRecycleBin)}, Virtual(recycle), 0, false},
        {"Network by older id", same, {}, Virtual(L""), IconBit(DesktopIcon::NetworkOld), true},
        {"Network hidden by the other id",
         same,
         {Hide(kClsidNetwork)},
         Virtual(L""),
         IconBit(DesktopIcon::NetworkOld),
         false},
        {"user's files icon", same, {}, Virtual(L"::" + std::wstring(kClsidUserFiles)), 0, true},
        {"profile folder by path", same, {}, File(L"C:\\Users\\ann"), 0, true},
        {"profile folder once user's files are hidden",
         same,
         {Hide(kClsidUserFiles)},
         File(L"C:\\Users\\ann"),
         0,
         false},
        {"Documents known folder with user's files",
         same,
         {},
         Virtual(L"::" + std::wstring(kClsidDocumentsFolder)),
         0,
         true},
        {"Documents by path is not on the Desktop",
         same,
         {},
         File(L"C:\\Users\\ann\\Documents"),
         0,
         false},
        {"Control Panel icon hidden by default",
         same,
         {},
         Virtual(cpIcon),
         IconBit(DesktopIcon::ControlPanel),
         false},
        {"Control Panel icon shown when un-hidden",
         same,
         {{std::wstring(kClsidControlPanelIcon), true, 0}},
         Virtual(cpIcon),
         0,
         true},
        {"All Control Panel items never",
         same,
         {{std::wstring(kClsidControlPanelIcon), true, 0}},
         Virtual(controlPanel),
         0,
         false},
        {"Control Panel category view never in all-items mode",
         all,
         {},
         Virtual(category),
         0,
         false},
        {"Control Panel item never in all-items mode",
         all,
         {},
         Virtual(controlPanel + L"\\::{X}"),
         0,
         false},
        {"Libraries excluded", same, {}, Virtual(libraries), 0, false},
        {"Libraries shown in all-items mode", all, {}, Virtual(libraries), 0, true},
        {"OneDrive root excluded", same, {}, File(L"C:\\Users\\ann\\OneDrive"), 0, false},
        {"Desktop file named like a hidden CLSID is still a Desktop file",
         same,
         {Hide(L"{12345678-0000-0000-0000-000000000000}")},
         File(L"C:\\Users\\ann\\Desktop\\{12345678-0000-0000-0000-000000000000}.txt"),
         0,
         true},
        {"hidden CLSID as the item's own name",
         same,
         {Hide(L"{12345678-0000-0000-0000-000000000000}")},
         Virtual(L"::{12345678-0000-0000-0000-000000000000}"),
         0,
         false},
        {"Desktop file named like Control Panel",
         same,
         {},
         File(L"C:\\Users\\ann\\Desktop\\notes" + std::wstring(kClsidAllControlPanelItems) +
              L".txt"),
         0,
         true},
        {"Desktop file named like Control Panel in all-items mode",
         all,
         {},
         File(L"C:\\Users\\ann\\Desktop\\" + std::wstring(kClsidControlPanelCategory)),
         0,
         true},
        {"Desktop folder named like Libraries",
         same,
         {},
         File(L"C:\\Users\\ann\\Desktop\\old" + std::wstring(kClsidLibraries)),
         0,
         true},
        {"a long Desktop path",
         same,
         {},
         File(L"C:\\Users\\ann\\Desktop\\" + std::wstring(300, L'n') + L".txt"),
         0,
         true},
        {"unknown virtual item",
         same,
         {},
         Virtual(L"::{9D20AAE8-0625-44B0-9CA7-71889C2254D9}\\/"),
         0,
         false},
        {"unknown virtual item in all-items mode",
         all,
         {},
         Virtual(L"::{9D20AAE8-0625-44B0-9CA7-71889C2254D9}\\/"),
         0,
         true},
        {"a folder elsewhere", same, {}, File(L"D:\\Data"), 0, false},
    };
    for (const FilterCase& c : cases) EXPECT_EQ(Decide(c), c.shown) << c.what;
}

// A CLSID names an item only as a whole "::{...}" element of its parsing name.
TEST(ItemFilter, ClsidMatchesWholeNameElementsOnly) {
    const std::wstring cp(kClsidAllControlPanelItems);
    const std::wstring pc(kClsidThisPc);
    struct Case {
        std::wstring name;
        bool controlPanel;
    } cases[] = {
        {L"::" + cp, true},
        {L"::{21ec2020-3aea-1069-a2dd-08002b30309d}", true},
        {L"::" + pc + L"\\::" + cp, true},
        {L"::" + cp + L"\\::{00000000-0000-0000-0000-000000000001}", true},
        {L"::" + std::wstring(kClsidControlPanelCategory) + L"\\0", true},
        {L"C:\\Users\\x\\Desktop\\notes" + cp + L".txt", false},
        {L"C:\\Users\\x\\Desktop\\" + cp, false},
        {L"C:\\Users\\x\\Desktop\\::" + cp + L".txt", false},
        {L"::" + cp + L"x", false},
        {L":" + cp, false},
        {cp, false},
        {L"::" + std::wstring(kClsidControlPanelIcon), false},
        {L"", false},
        {L"\\", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsControlPanelName(c.name), c.controlPanel) << ::testing::PrintToString(c.name);
    EXPECT_FALSE(NameHasClsid(L"::", L""));
}

TEST(ItemFilter, MissingContext) {
    const FilterContext empty{};
    EXPECT_EQ(ClassifyDesktopItem(empty, File(L"C:\\Users\\ann\\Desktop\\a.txt")),
              FilterVerdict::Hide);
    EXPECT_FALSE(FinishKnownIconDecision(empty, Virtual(L""), ~0u));
}

}  // namespace
}  // namespace lumetra::hostedview
