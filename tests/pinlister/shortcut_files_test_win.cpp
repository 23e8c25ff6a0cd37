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

// A loaded shortcut whose path is as long as a test needs, answering GetPath
// the way a shell does when the buffer is too small for it. A COM object
// released through IUnknown, never deleted through a base pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FakeLink final : public IShellLinkW {
  public:
    enum class ShortBuffer { Cut, Refuse, AlwaysFull };

    FakeLink(std::wstring path, ShortBuffer shortBuffer, const wchar_t* idListPath = nullptr)
        : path_(std::move(path)), shortBuffer_(shortBuffer), idListPath_(idListPath) {}
    int pathCalls = 0;

    HRESULT STDMETHODCALLTYPE GetPath(LPWSTR file, int cch, WIN32_FIND_DATAW*, DWORD) override {
        ++pathCalls;
        if (cch <= 0) return E_INVALIDARG;
        const auto room = static_cast<std::size_t>(cch) - 1;
        std::wstring answer = path_;
        if (shortBuffer_ == ShortBuffer::AlwaysFull) answer.assign(room, L'x');
        if (answer.size() > room && shortBuffer_ == ShortBuffer::Refuse) {
            file[0] = L'\0';
            return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
        }
        answer.resize(std::min(answer.size(), room));
        std::copy(answer.begin(), answer.end(), file);
        file[answer.size()] = L'\0';
        return answer.empty() ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE* idList) override {
        *idList = idListPath_ ? ILCreateFromPathW(idListPath_) : nullptr;
        return *idList ? S_OK : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR, int, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resolve(HWND, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR) override { return E_NOTIMPL; }

  private:
    std::wstring path_;
    ShortBuffer shortBuffer_;
    const wchar_t* idListPath_;
};
#pragma GCC diagnostic pop

// Wine keeps no shortcut path beyond 260 units, so long ones come from the fake.
TEST(ShortcutLinkTarget, APathOfAnyLengthComesBackWhole) {
    auto pathOf = [](std::size_t units) {
        std::wstring path = L"C:\\Apps";
        while (path.size() + 10 < units) path += L"\\" + std::wstring(40, L'd');
        path += L"\\";
        path.resize(units - 4, L'f');
        return path + L".exe";
    };
    using Short = FakeLink::ShortBuffer;
    const struct {
        const char* what;
        std::size_t units;
        Short shortBuffer;
    } cases[] = {
        {"short", 40, Short::Cut},
        {"259 units fill the first buffer", 259, Short::Cut},
        {"260 units, cut to fit", 260, Short::Cut},
        {"300 units, cut to fit", 300, Short::Cut},
        {"300 units, refused", 300, Short::Refuse},
        {"5000 units, cut to fit", 5000, Short::Cut},
        {"32767 units, the longest", 32767, Short::Refuse},
    };
    for (const auto& c : cases) {
        FakeLink link(pathOf(c.units), c.shortBuffer);
        const std::wstring target = ShortcutLinkTarget(&link);
        EXPECT_EQ(target.size(), c.units) << c.what;
        EXPECT_TRUE(target == pathOf(c.units)) << c.what;
    }
}

TEST(ShortcutLinkTarget, WithoutAPathTheIdListAnswersAndALinkThatNeverFitsEnds) {
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    FakeLink noPath(L"", FakeLink::ShortBuffer::Cut, windows);
    EXPECT_TRUE(EqualsIgnoringCase(ShortcutLinkTarget(&noPath), windows));
    FakeLink nothing(L"", FakeLink::ShortBuffer::Cut);
    EXPECT_EQ(ShortcutLinkTarget(&nothing), L"");

    FakeLink endless(L"", FakeLink::ShortBuffer::AlwaysFull, windows);
    EXPECT_TRUE(EqualsIgnoringCase(ShortcutLinkTarget(&endless), windows))
        << "no path fits even the longest buffer: the ID list answers";
    EXPECT_LE(endless.pathCalls, 8);
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
