#include "pinlister/stamp.h"

#include <gtest/gtest.h>

#include "pinlister/pinned_folder.h"

namespace lumetra::pinlister {
namespace {

TEST(PinnedFolderFromAppData, AppendsTheTaskbarFolderToAUsableValue) {
    EXPECT_EQ(PinnedFolderFromAppData(L"C:\\Users\\u\\AppData\\Roaming"),
              L"C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\User "
              L"Pinned\\TaskBar");
    EXPECT_EQ(PinnedFolderFromAppData(L""), L"") << "variable missing";
    const std::wstring longest(259, L'a');
    EXPECT_FALSE(PinnedFolderFromAppData(longest).empty());
    EXPECT_EQ(PinnedFolderFromAppData(longest + L"a"), L"") << "260 units is too long";
}

TEST(EndsWithLnk, CaseInsensitiveExtensionOfALongEnoughPath) {
    const struct {
        const wchar_t* path;
        bool lnk;
    } cases[] = {{L"C:\\a.lnk", true},   {L"C:\\A.LNK", true}, {L".lnk", true}, {L"lnk", false},
                 {L"C:\\a.lnkx", false}, {L"C:\\alnk", false}, {L"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(EndsWithLnk(c.path), c.lnk) << testing::PrintToString(c.path);
}

TEST(FolderSignature, CountsShortcutFilesAndTakesTheNewestWriteTime) {
    const std::wstring folder = L"C:\\P";
    const struct {
        const char* what;
        std::wstring folder;
        std::vector<FolderEntry> entries;
        const wchar_t* signature;
    } cases[] = {
        {"unknown folder", L"", {{L"a.lnk", 5, false}}, L"no-folder"},
        {"nothing matched", folder, {}, L"no-folder"},
        {"files",
         folder,
         {{L"a.lnk", 5, false}, {L"b.lnk", 130000000000000000ull, false}, {L"c.lnk", 7, false}},
         L"C:\\P|130000000000000000|3"},
        {"a directory is neither counted nor dated",
         folder,
         {{L"a.lnk", 5, false}, {L"dir.lnk", 99, true}},
         L"C:\\P|5|1"},
        {"only a directory matched", folder, {{L"dir.lnk", 99, true}}, L"C:\\P|0|0"},
        {"the largest 64-bit time",
         folder,
         {{L"a.lnk", 18446744073709551615ull, false}},
         L"C:\\P|18446744073709551615|1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderSignature(c.folder, c.entries), c.signature) << c.what;
}

TEST(FolderSignature, KeepsCountAndTimeOfAVeryLongFolder) {
    const std::wstring folder = L"C:\\" + std::wstring(250, L'x');
    EXPECT_EQ(FolderSignature(folder, {{L"a.lnk", 42, false}}), folder + L"|42|1")
        << "cutting the text would hide every later change";
}

TEST(StampText, AppendsTheChangeCounter) {
    EXPECT_EQ(StampText(L"no-folder", 0), L"no-folder|comchg=0");
    EXPECT_EQ(StampText(L"C:\\P|5|1", 4294967295u), L"C:\\P|5|1|comchg=4294967295");
}

}  // namespace
}  // namespace lumetra::pinlister
