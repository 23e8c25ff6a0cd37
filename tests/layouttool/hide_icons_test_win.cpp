#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "layouttool/icon_toggle_win.h"
#include "read_only_key_win.h"

namespace lumetra::layouttool {
namespace {

// A scratch key standing in for Explorer's "Advanced" key.
class ScratchKey {
  public:
    ScratchKey()
        : path_(L"Software\\veltor-tests\\HideIcons-" + std::to_wstring(GetCurrentProcessId())) {
        RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
    }
    ~ScratchKey() {
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    }
    const wchar_t* path() const { return path_.c_str(); }
    void Set(DWORD type, const void* data, DWORD size) {
        RegSetValueExW(key_, kHideIconsValue, 0, type, static_cast<const BYTE*>(data), size);
    }

  private:
    std::wstring path_;
    HKEY key_ = nullptr;
};

TEST(HideIcons, ReadsOnlyADwordAndWritesOne) {
    ScratchKey key;
    HideIconsValue read = ReadHideIconsAt(HKEY_CURRENT_USER, key.path());
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.value, 0u) << "missing";

    ASSERT_TRUE(WriteHideIconsAt(HKEY_CURRENT_USER, key.path(), 1));
    EXPECT_EQ(ReadHideIconsAt(HKEY_CURRENT_USER, key.path()).value, 1u);

    const wchar_t text[] = L"1";
    key.Set(REG_SZ, text, sizeof text);
    read = ReadHideIconsAt(HKEY_CURRENT_USER, key.path());
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.value, 0u) << "a string reads as 0";

    const wchar_t longText[] = L"hidden icons";
    key.Set(REG_SZ, longText, sizeof longText);
    EXPECT_EQ(ReadHideIconsAt(HKEY_CURRENT_USER, key.path()).value, 0u);

    const ULONGLONG wide = 1;
    key.Set(REG_QWORD, &wide, sizeof wide);
    EXPECT_EQ(ReadHideIconsAt(HKEY_CURRENT_USER, key.path()).value, 0u)
        << "a QWORD is another type";

    ASSERT_TRUE(WriteHideIconsAt(HKEY_CURRENT_USER, key.path(), 0));
    DWORD type = 0, value = 7, size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, key.path(), kHideIconsValue, RRF_RT_ANY, &type, &value, &size);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << "written back as a DWORD";
    EXPECT_EQ(value, 0u);
}

TEST(HideIcons, ReadOnlyKeyFailsTheWrite) {
    ScratchKey key;
    ASSERT_TRUE(WriteHideIconsAt(HKEY_CURRENT_USER, key.path(), 1));
    ASSERT_TRUE(MakeKeyReadOnly(key.path()));
    EXPECT_FALSE(WriteHideIconsAt(HKEY_CURRENT_USER, key.path(), 0));
    const HideIconsValue read = ReadHideIconsAt(HKEY_CURRENT_USER, key.path());
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.value, 1u);
}

TEST(HideIcons, MissingKeyIsNotCreated) {
    const wchar_t* missing = L"Software\\veltor-tests\\no-such-key-for-hide-icons";
    EXPECT_FALSE(ReadHideIconsAt(HKEY_CURRENT_USER, missing).ok);
    EXPECT_FALSE(WriteHideIconsAt(HKEY_CURRENT_USER, missing, 1));
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, missing, 0, KEY_READ, &key), ERROR_SUCCESS);
}

}  // namespace
}  // namespace lumetra::layouttool
