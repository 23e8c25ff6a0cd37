// The item filter, the sweeps, the restore pass and info tips on the real
// Desktop namespace of the test prefix. Wine's view cannot remove, add or
// filter items, so the view here is a recording fake over real item ids.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/settings.h"
#include "fake_folder_view_win.h"
#include "hostedview/desktop_item_filter_win.h"
#include "hostedview/folder_filter_win.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/info_tip_win.h"
#include "hostedview/item_filter.h"
#include "hostedview/shell_ids_win.h"
#include "hostedview/view_subclass_win.h"
#include "hostedview/view_sweep_win.h"
#include "log/debug_log_capture.h"

namespace lumetra::hostedview {
extern int gForbiddenSeenNotes;
namespace {

using config::DesktopItemsMode;
using testing::FakeFolderView;
namespace fs = std::filesystem;

constexpr const wchar_t* kIconsRoot =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons";
constexpr const wchar_t* kNewStartPanel =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\NewStartPanel";
constexpr const wchar_t* kClassicStartMenu =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\HideDesktopIcons\\ClassicStartMenu";

struct DesktopItem {
    UniqueIdList child;
    UniqueIdList full;
    std::wstring parsingName;
    std::wstring displayName;
};

class DesktopItems : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        RegDeleteTreeW(HKEY_CURRENT_USER, kIconsRoot);
        config::Cfg().desktopItemsMode = DesktopItemsMode::SameAsDesktop;
        HostedView& v = View();
        ResolveDesktopPaths(v.paths);
        ASSERT_EQ(SHGetDesktopFolder(v.desktopFolder.put()), S_OK);
        if (!v.rootIdList) {
            ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, v.rootIdList.put()), S_OK);
        }
        v.iconRegistry = {};
        v.filterLog = {};
        ReadDesktopIconRegistry();
        desktop_ = fs::path(v.paths.desktop);
        fs::create_directories(desktop_);
        Write(desktop_ / L"hv note.txt");
        fs::create_directories(desktop_ / L"hv folder");
        Write(desktop_ / L"hv folder" / L"inner.txt");
        log::ResetCapturedLog();
        gForbiddenSeenNotes = 0;
    }
    void TearDown() override {
        View().shellView.reset();
        RestoreSubclassedWindows();
        View().viewWindow = nullptr;
        View().desktopFolder.reset();
        ClearInfoTipCache(View().infoTip);
        std::error_code ignored;
        for (const fs::path& p : created_) fs::remove_all(p, ignored);
        fs::remove_all(desktop_ / L"hv folder", ignored);
        fs::remove(desktop_ / L"hv note.txt", ignored);
        RegDeleteTreeW(HKEY_CURRENT_USER, kIconsRoot);
        config::Cfg().desktopItemsMode = DesktopItemsMode::SameAsDesktop;
        CoUninitialize();
    }

    void Write(const fs::path& file) {
        std::ofstream(file) << "text\n";
        created_.push_back(file);
    }

    std::vector<DesktopItem> Enumerate() {
        std::vector<DesktopItem> items;
        platform::ComPtr<IEnumIDList> children;
        if (View().desktopFolder->EnumObjects(nullptr, kDesktopEnumFlags, children.put()) != S_OK)
            return items;
        for (;;) {
            PITEMID_CHILD raw = nullptr;
            if (children->Next(1, &raw, nullptr) != S_OK) break;
            DesktopItem item;
            item.child.reset(raw);
            item.full.reset(ILCombine(View().rootIdList.get(), raw));
            item.parsingName = ItemParsingName(item.full.get());
            item.displayName = ItemDisplayName(item.full.get());
            items.push_back(std::move(item));
        }
        return items;
    }

    bool Shows(const DesktopItem& item) {
        return ShouldShowDesktopItem(View().desktopFolder.get(), item.child.get(), item.full.get());
    }

    const DesktopItem* Find(const std::vector<DesktopItem>& items, std::wstring_view clsid) {
        for (const DesktopItem& item : items)
            if (NameHasClsid(item.parsingName, clsid)) return &item;
        return nullptr;
    }

    // The record holds the fixture's fake, so TearDown lets go of it before it dies.
    void UseFakeView() {
        view.refs = 2;  // the record's reference and the fixture's
        View().shellView = platform::ComPtr<IShellView>::Attach(&view);
    }

    int LogLinesContaining(const wchar_t* text) {
        int n = 0;
        for (const std::wstring& line : log::CapturedLogLines())
            n += line.find(text) != std::wstring::npos;
        return n;
    }

    FakeFolderView view;
    fs::path desktop_;
    std::vector<fs::path> created_;
};

void SetDword(const wchar_t* key, std::wstring_view name, DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, std::wstring(name).c_str(), REG_DWORD, &value,
                    sizeof(value));
}

void SetText(const wchar_t* key, std::wstring_view name, const wchar_t* value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, std::wstring(name).c_str(), REG_SZ, value,
                    static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
}

TEST_F(DesktopItems, RealDesktopRootInBothModes) {
    // A file named after Control Panel is a file like any other.
    Write(desktop_ / (L"hv notes" + std::wstring(kClsidAllControlPanelItems) + L".txt"));
    const std::vector<DesktopItem> items = Enumerate();
    ASSERT_GE(items.size(), 4u);
    bool sawNote = false;
    for (const DesktopItem& item : items) {
        wchar_t path[MAX_PATH] = {};
        const bool onDesktop = SHGetPathFromIDListW(item.full.get(), path) &&
                               IsBelowFolder(path, View().paths.desktop);
        // Wine writes the CLSIDs in lower case.
        const bool knownIcon = NameHasClsid(item.parsingName, kClsidThisPc) ||
                               NameHasClsid(item.parsingName, kClsidRecycleBin);
        sawNote |= item.displayName == L"hv note.txt";
        config::Cfg().desktopItemsMode = DesktopItemsMode::SameAsDesktop;
        // Wine's root also lists "/" and Documents, which the real Desktop never shows.
        EXPECT_EQ(Shows(item), onDesktop || knownIcon)
            << "same as desktop: " << ::testing::PrintToString(item.parsingName);
        config::Cfg().desktopItemsMode = DesktopItemsMode::AllItems;
        EXPECT_TRUE(Shows(item)) << "all items: " << ::testing::PrintToString(item.parsingName);
    }
    EXPECT_TRUE(sawNote);
    EXPECT_FALSE(ShouldShowDesktopItem(nullptr, items[0].child.get(), items[0].full.get()));
    EXPECT_FALSE(ShouldShowDesktopItem(View().desktopFolder.get(), items[0].child.get(), nullptr));
}

TEST_F(DesktopItems, HiddenIconValuesWrittenToTheRegistry) {
    struct Step {
        const char* what;
        void (*write)();
        bool computerShown;
        bool trashShown;
        bool changed;
        bool relaxed;
    } steps[] = {
        {"no values", [] {}, true, true, false, false},
        {"This PC hidden in NewStartPanel", [] { SetDword(kNewStartPanel, kClsidThisPc, 1); },
         false, true, true, false},
        {"NewStartPanel 0 wins over ClassicStartMenu 1",
         [] {
             SetDword(kClassicStartMenu, kClsidThisPc, 1);
             SetDword(kNewStartPanel, kClsidThisPc, 0);
         },
         true, true, true, true},
        {"REG_SZ 1 does not hide", [] { SetText(kNewStartPanel, kClsidRecycleBin, L"1"); }, true,
         true, false, false},
        {"ClassicStartMenu hides Recycle Bin",
         [] { SetDword(kClassicStartMenu, kClsidRecycleBin, 1); }, true, false, true, false},
    };
    for (const Step& s : steps) {
        s.write();
        const RegistryChange change = ReadDesktopIconRegistry();
        EXPECT_EQ(change.changed, s.changed) << s.what;
        EXPECT_EQ(change.relaxed, s.relaxed) << s.what;
        const std::vector<DesktopItem> items = Enumerate();
        const DesktopItem* computer = Find(items, kClsidThisPc);
        const DesktopItem* trash = Find(items, kClsidRecycleBin);
        ASSERT_TRUE(computer && trash) << s.what;
        EXPECT_EQ(Shows(*computer), s.computerShown) << s.what;
        EXPECT_EQ(Shows(*trash), s.trashShown) << s.what;
        EXPECT_EQ(IsShownKnownDesktopIcon(computer->full.get()), s.computerShown) << s.what;
    }
    EXPECT_EQ(
        LogLinesContaining(
            L"Desktop icon registry: 1 hidden CLSID(s), sameAsDesktop=1 changed=1 relaxed=0."),
        2);

    config::Cfg().desktopItemsMode = DesktopItemsMode::AllItems;
    log::ResetCapturedLog();
    const RegistryChange change = ReadDesktopIconRegistry();
    EXPECT_FALSE(change.changed || change.relaxed);
    EXPECT_TRUE(log::CapturedLogLines().empty()) << "all-items mode reads nothing";
    const std::vector<DesktopItem> items = Enumerate();
    EXPECT_TRUE(Shows(*Find(items, kClsidRecycleBin)));
}

TEST_F(DesktopItems, ControlPanelIsRemovedInBothModesAndDesktopChildrenAreRecognised) {
    PIDLIST_ABSOLUTE controlPanel = nullptr;
    const std::wstring name =
        L"::" + std::wstring(kClsidThisPc) + L"\\::" + std::wstring(kClsidAllControlPanelItems);
    if (FAILED(SHParseDisplayName(name.c_str(), nullptr, &controlPanel, 0, nullptr)) ||
        !controlPanel)
        GTEST_SKIP() << "no Control Panel in this prefix";
    UniqueIdList owned(controlPanel);
    EXPECT_TRUE(IsControlPanelItem(owned.get()));

    platform::ComPtr<IShellFolder> computer;
    PIDLIST_ABSOLUTE computerIds = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computerIds), S_OK);
    UniqueIdList computerOwned(computerIds);
    ASSERT_EQ(View().desktopFolder->BindToObject(computerIds, nullptr, IID_IShellFolder,
                                                 computer.put_void()),
              S_OK);
    LumetraFolderFilter* filter = LumetraFolderFilter::Create();
    for (DesktopItemsMode mode : {DesktopItemsMode::SameAsDesktop, DesktopItemsMode::AllItems}) {
        config::Cfg().desktopItemsMode = mode;
        EXPECT_EQ(filter->ShouldShow(computer.get(), computerIds, ILFindLastID(owned.get())),
                  S_FALSE);
    }
    const std::vector<DesktopItem> items = Enumerate();
    for (DesktopItemsMode mode : {DesktopItemsMode::SameAsDesktop, DesktopItemsMode::AllItems}) {
        config::Cfg().desktopItemsMode = mode;
        for (const DesktopItem& item : items)
            EXPECT_EQ(filter->ShouldShow(View().desktopFolder.get(), View().rootIdList.get(),
                                         item.child.get()),
                      Shows(item) ? S_OK : S_FALSE);
    }
    filter->Release();

    struct Case {
        std::wstring path;
        bool child;
    } cases[] = {{(desktop_ / L"hv note.txt").wstring(), true},
                 {(desktop_ / L"hv folder").wstring(), true},
                 {(desktop_ / L"hv folder" / L"inner.txt").wstring(), false}};
    for (const Case& c : cases) {
        PIDLIST_ABSOLUTE ids = nullptr;
        ASSERT_EQ(SHParseDisplayName(c.path.c_str(), nullptr, &ids, 0, nullptr), S_OK);
        UniqueIdList owner(ids);
        EXPECT_EQ(IsDesktopChildPath(ids), c.child) << ::testing::PrintToString(c.path);
    }
    EXPECT_FALSE(IsDesktopChildPath(computerIds));
}

// Names as Windows gives them for a path longer than 260 characters, which
// Wine's shell cuts at 259.
std::wstring gLongPath;
std::wstring ReadLongPath(PCIDLIST_ABSOLUTE full, SIGDN kind) {
    if (kind == SIGDN_FILESYSPATH || kind == SIGDN_DESKTOPABSOLUTEPARSING) return gLongPath;
    return ShellItemName(full, kind);
}

TEST_F(DesktopItems, PathsLongerThan260CharactersReachTheFilterWhole) {
    // A real file-system item the Desktop does not show, so that only the path
    // read through the reader can make it count as a Desktop item.
    const std::vector<DesktopItem> items = Enumerate();
    const DesktopItem* other = nullptr;
    for (const DesktopItem& item : items) {
        SFGAOF attributes = SFGAO_FILESYSTEM;
        PCUITEMID_CHILD child = item.child.get();
        if (!Shows(item) &&
            SUCCEEDED(View().desktopFolder->GetAttributesOf(1, &child, &attributes)) &&
            (attributes & SFGAO_FILESYSTEM)) {
            other = &item;
            break;
        }
    }
    ASSERT_TRUE(other) << "Wine's root lists Documents and \"/\"";
    const std::wstring name(300, L'n');
    struct Case {
        const char* what;
        std::wstring path;
        bool shown;
        bool child;
    } cases[] = {
        {"on the Desktop", View().paths.desktop + name + L".txt", true, true},
        {"on the Public Desktop", View().paths.publicDesktop + name, true, true},
        {"in a Desktop sub-folder", View().paths.desktop + name + L"\\inner.txt", true, false},
        {"elsewhere", L"C:\\" + name, false, false},
    };
    for (const Case& c : cases) {
        gLongPath = c.path;
        EXPECT_EQ(ShouldShowDesktopItem(View().desktopFolder.get(), other->child.get(),
                                        other->full.get(), ReadLongPath),
                  c.shown)
            << c.what;
        EXPECT_EQ(IsDesktopChildPath(other->full.get(), ReadLongPath), c.child) << c.what;
    }
}

TEST_F(DesktopItems, SweepRemovesRejectedItemsFromTheLastIndexDown) {
    const std::vector<DesktopItem> items = Enumerate();
    int rejected = 0;
    for (const DesktopItem& item : items) {
        view.AddItem(item.child.get());
        rejected += Shows(item) ? 0 : 1;
    }
    ASSERT_GT(rejected, 0) << "Wine's root holds items the Desktop never shows";
    UseFakeView();

    EXPECT_TRUE(HasForbiddenItem());
    EXPECT_FALSE(IsViewCleanAndPopulated());
    view.itemCalls.clear();
    EXPECT_TRUE(PostFilterSweep());
    std::vector<int> expectedOrder;
    for (int i = static_cast<int>(items.size()) - 1; i >= 0; --i) expectedOrder.push_back(i);
    EXPECT_EQ(view.itemCalls, expectedOrder);
    EXPECT_EQ(static_cast<int>(view.removed.size()), rejected);
    EXPECT_EQ(static_cast<int>(view.items.size()), static_cast<int>(items.size()) - rejected);
    EXPECT_EQ(LogLinesContaining(L"Filtered from palette: "), rejected);
    EXPECT_EQ(gForbiddenSeenNotes, rejected);

    EXPECT_FALSE(PostFilterSweep()) << "nothing left to remove";
    EXPECT_FALSE(HasForbiddenItem());
    EXPECT_TRUE(IsViewCleanAndPopulated());

    view.removeDeletes = false;  // Wine's own view: S_OK and the item stays
    const std::vector<DesktopItem> again = Enumerate();
    for (const DesktopItem& item : again) view.AddItem(item.child.get());
    EXPECT_TRUE(PostFilterSweep());
    EXPECT_TRUE(HasForbiddenItem()) << "callers bound the passes, the sweep cannot tell";
}

TEST_F(DesktopItems, AtMostEightFilterLinesPerWindowAndControlPanelSilentInAllItemsMode) {
    // This PC hidden in the shell, and a view that lists it twelve times.
    View().iconRegistry.sets.all.insert(std::wstring(kClsidThisPc));
    const std::vector<DesktopItem> items = Enumerate();
    const DesktopItem* computer = Find(items, kClsidThisPc);
    ASSERT_TRUE(computer);
    for (int i = 0; i < 12; ++i) view.AddItem(computer->child.get());
    UseFakeView();
    EXPECT_TRUE(PostFilterSweep());
    EXPECT_EQ(view.removed.size(), 12u);
    const std::wstring line = L"Filtered from palette: " + computer->displayName;
    EXPECT_EQ(LogLinesContaining(line.c_str()), 8);

    config::Cfg().desktopItemsMode = DesktopItemsMode::AllItems;
    for (const DesktopItem& item : Enumerate()) view.AddItem(item.child.get());
    log::ResetCapturedLog();
    EXPECT_FALSE(PostFilterSweep()) << "all-items mode keeps every item but Control Panel";
    EXPECT_EQ(LogLinesContaining(L"Filtered from palette"), 0);
}

TEST_F(DesktopItems, RestorePassAddsWhatTheViewLacksInAllItemsModeOnly) {
    const std::vector<DesktopItem> items = Enumerate();
    ASSERT_GE(items.size(), 3u);
    view.AddItem(items[0].child.get());
    UseFakeView();

    EXPECT_FALSE(RestoreMissingDesktopItems()) << "same-as-desktop mode";
    config::Cfg().desktopItemsMode = DesktopItemsMode::AllItems;
    view.addResult = E_NOTIMPL;
    EXPECT_FALSE(RestoreMissingDesktopItems()) << "the view refuses every item";
    EXPECT_EQ(LogLinesContaining(L"RestoreMissingDesktopItems"), 0);

    view.addResult = S_OK;
    EXPECT_TRUE(RestoreMissingDesktopItems());
    EXPECT_EQ(view.added.size(), items.size() - 1);
    EXPECT_EQ(view.items.size(), items.size());
    const std::wstring line =
        L"RestoreMissingDesktopItems: added=" + std::to_wstring(items.size() - 1);
    EXPECT_EQ(LogLinesContaining(line.c_str()), 1);
    EXPECT_FALSE(RestoreMissingDesktopItems()) << "nothing missing any more";
}

// A list view with an open label edit blocks every pass over the view, also
// when the shell has recreated its list view since the palette last looked.
TEST_F(DesktopItems, OpenLabelEditInTheCurrentListViewBlocksSweepsAndRestore) {
    InitCommonControls();
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    View().viewWindow = parent;
    auto addListView = [parent] {
        return CreateWindowExW(0, WC_LISTVIEWW, L"",
                               WS_CHILD | WS_VISIBLE | LVS_EDITLABELS | LVS_ICON, 0, 0, 300, 300,
                               parent, nullptr, nullptr, nullptr);
    };
    auto procedureOf = [](HWND window) { return GetWindowLongPtrW(window, GWLP_WNDPROC); };
    const auto palettes = reinterpret_cast<LONG_PTR>(ListViewSubclassProc);
    HWND first = addListView();
    ASSERT_TRUE(first);
    ShowWindow(parent, SW_SHOW);
    FollowHostedListView();
    EXPECT_EQ(procedureOf(first), palettes);
    EXPECT_FALSE(ListViewEditing());

    DestroyWindow(first);  // the shell replaces its list view
    HWND second = addListView();
    ASSERT_TRUE(second);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"name");
    SendMessageW(second, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetFocus(second);
    SendMessageW(second, LVM_EDITLABELW, 0, 0);
    if (!SendMessageW(second, LVM_GETEDITCONTROL, 0, 0)) {
        DestroyWindow(parent);
        GTEST_SKIP() << "no label edit opened";
    }
    for (const DesktopItem& d : Enumerate()) view.AddItem(d.child.get());
    UseFakeView();
    EXPECT_TRUE(ListViewEditing());
    EXPECT_FALSE(PostFilterSweep());
    config::Cfg().desktopItemsMode = DesktopItemsMode::AllItems;
    EXPECT_FALSE(RestoreMissingDesktopItems());
    EXPECT_TRUE(view.itemCalls.empty());
    EXPECT_TRUE(view.removed.empty());

    // The palette's keys follow the new list view, and teardown gives it back.
    const LONG_PTR own = procedureOf(second);
    FollowHostedListView();
    EXPECT_EQ(procedureOf(second), palettes);
    RestoreSubclassedWindows();
    EXPECT_EQ(procedureOf(second), own);
    DestroyWindow(parent);
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
struct FakeQueryInfo final : IQueryInfo {
    const wchar_t* defaultTip = nullptr;  // null: the call fails
    const wchar_t* slowTip = nullptr;
    std::vector<DWORD> asked;
    STDMETHODIMP QueryInterface(REFIID, void** out) override {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetInfoTip(DWORD flags, PWSTR* tip) override {
        asked.push_back(flags);
        const wchar_t* text = flags == 0 ? defaultTip : slowTip;
        *tip = nullptr;
        if (!text) return E_FAIL;
        const std::size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
        *tip = static_cast<PWSTR>(CoTaskMemAlloc(bytes));
        memcpy(*tip, text, bytes);
        return S_OK;
    }
    STDMETHODIMP GetInfoFlags(DWORD*) override { return E_NOTIMPL; }
};
#pragma GCC diagnostic pop

TEST(InfoTip, SlowTipWhenTheDefaultIsMissingOrEmpty) {
    struct Case {
        const wchar_t* defaultTip;
        const wchar_t* slowTip;
        std::wstring expected;
        std::vector<DWORD> asked;
    } cases[] = {
        {L"Type: Text", L"slow", L"Type: Text", {0}},
        {L"", L"Size: 2 KB", L"Size: 2 KB", {0, 8}},
        {nullptr, L"Size: 2 KB", L"Size: 2 KB", {0, 8}},
        {L"", L"", L"", {0, 8}},
        {nullptr, nullptr, L"", {0, 8}},
    };
    for (const Case& c : cases) {
        FakeQueryInfo info;
        info.defaultTip = c.defaultTip;
        info.slowTip = c.slowTip;
        EXPECT_EQ(QueryItemInfoTip(&info), c.expected);
        EXPECT_EQ(info.asked, c.asked);
    }
    EXPECT_EQ(QueryItemInfoTip(nullptr), L"");
}

TEST_F(DesktopItems, InfoTipRequestsAskTheViewOncePerItemUntilARefresh) {
    InitCommonControls();
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_ICON, 0, 0, 300, 300, parent,
                                nullptr, nullptr, nullptr);
    HWND stray = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent && list && stray);
    View().viewWindow = parent;
    for (const DesktopItem& d : Enumerate()) view.AddItem(d.child.get());
    UseFakeView();

    wchar_t text[64] = {};
    auto request = [&](UINT code, HWND from, int index, int capacity) {
        NMLVGETINFOTIPW tip{};
        tip.hdr.code = code;
        tip.hdr.hwndFrom = from;
        tip.iItem = index;
        tip.pszText = text;
        tip.cchTextMax = capacity;
        return ProvideItemInfoTip(&tip.hdr);
    };
    struct Refused {
        const char* what;
        UINT code;
        HWND from;
        int index;
        int capacity;
    } refused[] = {
        {"another notification", LVN_GETDISPINFOW, list, 0, 64},
        {"no item", LVN_GETINFOTIPW, list, -1, 64},
        {"not a list view", LVN_GETINFOTIPW, parent, 0, 64},
        {"a list view outside the view window", LVN_GETINFOTIPW, stray, 0, 64},
        {"no room", LVN_GETINFOTIPW, list, 0, 0},
    };
    for (const Refused& r : refused) {
        EXPECT_FALSE(request(r.code, r.from, r.index, r.capacity)) << r.what;
        EXPECT_TRUE(view.itemCalls.empty()) << r.what;
    }
    // Wine has no IQueryInfo for Desktop items, so no tip comes back; the
    // number of questions to the view is what the cache decides.
    request(LVN_GETINFOTIPW, list, 1, 64);
    request(LVN_GETINFOTIPW, list, 1, 64);
    EXPECT_EQ(view.itemCalls, std::vector<int>{1});
    request(LVN_GETINFOTIPW, list, 0, 64);
    EXPECT_EQ(view.itemCalls, (std::vector<int>{1, 0}));
    ClearInfoTipCache(View().infoTip);
    request(LVN_GETINFOTIPW, list, 0, 64);
    EXPECT_EQ(view.itemCalls, (std::vector<int>{1, 0, 0}));

    View().infoTip.text = L"Cached tip that is long";
    EXPECT_TRUE(request(LVN_GETINFOTIPW, list, 0, 7));
    EXPECT_EQ(std::wstring(text), L"Cached");
    DestroyWindow(stray);
    DestroyWindow(parent);
}

TEST(FolderSettings, ShellClickSettingChoosesTheFlags) {
    // Whatever the prefix says, the flags follow it.
    const bool doubleClick = ShellDoubleClickOpens();
    const FolderSettingsChoice choice = ChooseFolderSettings(config::ViewMode::Medium, doubleClick);
    EXPECT_EQ(choice.flags, doubleClick ? 0x1u : 0x8201u);
}

}  // namespace
}  // namespace lumetra::hostedview
