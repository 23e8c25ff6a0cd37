#include <gtest/gtest.h>

#include <cwchar>

#include "layouttool/layout_path.h"
#include "layouttool/texts.h"
#include "layouttool/toast_geometry.h"

namespace lumetra::layouttool {
namespace {

TEST(ToastGeometry, HeightIsTheBodyPlusRoomForTheTitleWithinLimits) {
    struct Case {
        bool measured;
        int body;
        int height;
    };
    const Case cases[] = {{true, 0, 88},    {true, 19, 88},          {true, 34, 88},
                          {true, 35, 89},   {true, 100, 154},        {true, 146, 200},
                          {true, 147, 200}, {true, 2147483647, 200}, {true, -50, 88},
                          {false, 0, 102},  {false, 1000, 102}};
    for (const Case& c : cases) EXPECT_EQ(ToastHeight(c.measured, c.body), c.height) << c.body;
}

TEST(ToastGeometry, SitsSixteenPixelsFromTheWorkAreasCorner) {
    EXPECT_EQ(PlaceToast({0, 0, 1920, 1040}, 88), (ToastRect{1504, 936, 1904, 1024}));
    EXPECT_EQ(PlaceToast({-1280, 40, 0, 1024}, 200), (ToastRect{-416, 808, -16, 1008}));
}

TEST(Texts, JapaneseOnlyForTheJapanesePrimaryLanguage) {
    EXPECT_TRUE(IsJapaneseUiLanguage(0x0411));
    EXPECT_TRUE(IsJapaneseUiLanguage(0x0811)) << "any sublanguage";
    EXPECT_FALSE(IsJapaneseUiLanguage(0x0409));
    EXPECT_FALSE(IsJapaneseUiLanguage(0x0412));
    EXPECT_FALSE(IsJapaneseUiLanguage(0x0411 & 0xFC00)) << "the sublanguage bits alone";
    EXPECT_STREQ(Pick(text::kNoLayoutFileTitle, true), L"レイアウトがありません");
    EXPECT_STREQ(Pick(text::kNoLayoutFileTitle, false), L"No layout file");
}

TEST(LayoutPath, BelowTheApplicationDataFolder) {
    EXPECT_EQ(LayoutFileInFolder(LayoutFolderFromAppData(L"C:\\Users\\ann\\AppData\\Roaming")),
              L"C:\\Users\\ann\\AppData\\Roaming\\veltor\\Stilvane\\desktop_layout.sv1");
    EXPECT_EQ(LayoutFolderFromAppData(L"D:\\"), L"D:\\veltor\\Stilvane");
    EXPECT_EQ(LayoutFolderFromAppData(L""), L"");
    EXPECT_EQ(LayoutFolderFromAppData(std::wstring(259, L'a')).size(), 259u + 16u);
    EXPECT_EQ(LayoutFolderFromAppData(std::wstring(260, L'a')), L"") << "longer than MAX_PATH - 1";
    EXPECT_EQ(LayoutFileInFolder(L""), L"");
}

TEST(LayoutPath, TheUndoFileAndTheSnapshotLieBesideTheLayoutFile) {
    const std::wstring layout =
        L"C:\\Users\\ann\\AppData\\Roaming\\veltor\\Stilvane\\desktop_layout.sv1";
    EXPECT_EQ(UndoFileBeside(layout),
              L"C:\\Users\\ann\\AppData\\Roaming\\veltor\\Stilvane\\desktop_layout.undo.sv1");
    EXPECT_EQ(SnapshotFileBeside(layout),
              L"C:\\Users\\ann\\AppData\\Roaming\\veltor\\Stilvane\\desktop_layout.undo.sv1.new");
    EXPECT_EQ(UndoFileBeside(L"D:\\a.b\\x.sv1"), L"D:\\a.b\\desktop_layout.undo.sv1")
        << "the folder, whatever the file is called";
    EXPECT_EQ(UndoFileBeside(L""), L"");
    EXPECT_EQ(UndoFileBeside(L"desktop_layout.sv1"), L"") << "no folder named";
    EXPECT_EQ(SnapshotFileBeside(L""), L"");
}

}  // namespace
}  // namespace lumetra::layouttool
