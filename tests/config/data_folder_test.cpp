#include "config/data_folder.h"

#include <gtest/gtest.h>

namespace lumetra::config {
namespace {

auto Fixed(const wchar_t* value) {
    return [value] { return std::wstring(value); };
}

TEST(ChooseDataRoot, FirstUsableSourceWinsAndEndsWithABackslash) {
    EXPECT_EQ(ChooseDataRoot({Fixed(L"C:\\Known"), Fixed(L"C:\\Shell"), Fixed(L"C:\\Env"),
                              Fixed(L"C:\\Users\\u"), Fixed(L"C:\\Exe")}),
              L"C:\\Known\\");
    EXPECT_EQ(ChooseDataRoot({Fixed(L""), Fixed(L"C:\\Shell\\"), {}, {}, {}}), L"C:\\Shell\\");
    EXPECT_EQ(ChooseDataRoot({{}, {}, Fixed(L"D:\\Roam"), {}, {}}), L"D:\\Roam\\")
        << "a folder without a trailing backslash gets one";
    EXPECT_EQ(ChooseDataRoot({{}, {}, Fixed(L"D:\\Roam\\"), {}, {}}), L"D:\\Roam\\")
        << "a trailing backslash is kept as it is";
    EXPECT_EQ(ChooseDataRoot({{}, {}, {}, Fixed(L"C:\\Users\\u"), {}}),
              L"C:\\Users\\u\\AppData\\Roaming\\");
    EXPECT_EQ(ChooseDataRoot({{}, {}, {}, {}, Fixed(L"C:\\Tools")}), L"C:\\Tools\\");
    EXPECT_EQ(ChooseDataRoot({}), L"");
}

TEST(ChooseDataRoot, LongVariablesAreUsedWhole) {
    // A root in another folder than the user's would split the settings.
    const std::wstring longFolder = L"C:\\" + std::wstring(400, L'a');
    EXPECT_EQ(ChooseDataRoot({{}, {}, [&] { return longFolder; }, {}, Fixed(L"C:\\Exe")}),
              longFolder + L"\\");
    EXPECT_EQ(ChooseDataRoot({{}, {}, {}, [&] { return longFolder; }, Fixed(L"C:\\Exe")}),
              longFolder + L"\\AppData\\Roaming\\");
}

TEST(DataFolderPaths, NamesBelowTheRoot) {
    const std::wstring root = L"C:\\R\\";
    EXPECT_EQ(ConfigPathFromRoot(root), L"C:\\R\\veltor\\Lumetra\\config.ini");
    EXPECT_EQ(LogPathFromRoot(root), L"C:\\R\\veltor\\Lumetra\\toggle-debug.log");
    EXPECT_EQ(MigrationSourcesFromRoot(root),
              (std::vector<std::wstring>{L"C:\\R\\veltor\\Corvanel\\config.ini",
                                         L"C:\\R\\veltor\\Saffrel\\config.ini"}));
    EXPECT_EQ(ConfigPathFromRoot(L""), L"veltor\\Lumetra\\config.ini") << "no root: relative path";
}

}  // namespace
}  // namespace lumetra::config
