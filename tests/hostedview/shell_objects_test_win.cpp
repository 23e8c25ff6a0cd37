// The browser object and the folder filter answer the shell as the host needs.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include "fake_folder_view_win.h"
#include "hostedview/folder_filter_win.h"
#include "hostedview/hosted_view_win.h"
#include "hostedview/shell_browser_win.h"
#include "hostedview/shell_ids_win.h"

namespace lumetra::hostedview {
namespace {

class ComApartment : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override {
        View().shellView.reset();
        CoUninitialize();
    }
};

using ShellBrowserTest = ComApartment;
using FolderFilterTest = ComApartment;

const GUID kSomethingElse = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

TEST_F(ShellBrowserTest, AnswersItsThreeInterfacesAndCountsReferences) {
    HWND host = reinterpret_cast<HWND>(0x1234);
    LumetraShellBrowser* browser = LumetraShellBrowser::Create(host);
    ASSERT_NE(browser, nullptr);
    for (const GUID* iid : {&kIidUnknown, &kIidOleWindow, &kIidShellBrowser}) {
        void* out = nullptr;
        EXPECT_EQ(browser->QueryInterface(*iid, &out), S_OK);
        EXPECT_EQ(out, static_cast<IShellBrowser*>(browser));
        EXPECT_EQ(browser->Release(), 1u);
    }
    for (const GUID* iid : {&kIidShellView, &kIidFolderFilter, &kSomethingElse}) {
        void* out = browser;
        EXPECT_EQ(browser->QueryInterface(*iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(browser->QueryInterface(kIidUnknown, nullptr), E_POINTER);
    EXPECT_EQ(browser->AddRef(), 2u);
    EXPECT_EQ(browser->Release(), 1u);

    HWND window = nullptr;
    EXPECT_EQ(browser->GetWindow(&window), S_OK);
    EXPECT_EQ(window, host);
    EXPECT_EQ(browser->GetWindow(nullptr), E_POINTER);
    EXPECT_EQ(browser->Release(), 0u);
}

TEST_F(ShellBrowserTest, SlotsRefuseOrIgnoreWhatAHostOfTheDesktopNeverDoes) {
    LumetraShellBrowser* browser = LumetraShellBrowser::Create(nullptr);
    ASSERT_NE(browser, nullptr);
    PIDLIST_ABSOLUTE elsewhere = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &elsewhere), S_OK);
    IStream* stream = nullptr;
    HWND control = nullptr;
    LRESULT result = 0;
    MSG message{};
    struct Slot {
        const char* name;
        HRESULT actual;
        HRESULT expected;
    } slots[] = {
        {"ContextSensitiveHelp", browser->ContextSensitiveHelp(TRUE), E_NOTIMPL},
        {"InsertMenusSB", browser->InsertMenusSB(nullptr, nullptr), E_NOTIMPL},
        {"SetMenuSB", browser->SetMenuSB(nullptr, nullptr, nullptr), S_OK},
        {"RemoveMenusSB", browser->RemoveMenusSB(nullptr), S_OK},
        {"SetStatusTextSB", browser->SetStatusTextSB(L"status"), S_OK},
        {"EnableModelessSB", browser->EnableModelessSB(TRUE), S_OK},
        {"TranslateAcceleratorSB", browser->TranslateAcceleratorSB(&message, 0), E_NOTIMPL},
        {"BrowseObject", browser->BrowseObject(elsewhere, SBSP_DEFBROWSER), E_NOTIMPL},
        {"BrowseObject parent", browser->BrowseObject(nullptr, SBSP_PARENT), E_NOTIMPL},
        {"GetViewStateStream", browser->GetViewStateStream(STGM_READ, &stream), E_NOTIMPL},
        {"GetControlWindow", browser->GetControlWindow(FCW_STATUS, &control), E_NOTIMPL},
        {"SendControlMsg", browser->SendControlMsg(FCW_STATUS, WM_USER, 0, 0, &result), E_NOTIMPL},
        {"OnViewWindowActive", browser->OnViewWindowActive(nullptr), S_OK},
        {"SetToolbarItems", browser->SetToolbarItems(nullptr, 0, 0), E_NOTIMPL},
    };
    for (const Slot& s : slots) EXPECT_EQ(s.actual, s.expected) << s.name;
    EXPECT_EQ(stream, nullptr);
    CoTaskMemFree(elsewhere);
    browser->Release();
}

TEST_F(ShellBrowserTest, ActiveShellViewIsTheHostedOneWithAReferenceAndNoneAfterTeardown) {
    LumetraShellBrowser* browser = LumetraShellBrowser::Create(nullptr);
    ASSERT_NE(browser, nullptr);
    testing::FakeFolderView view;
    View().shellView = platform::ComPtr<IShellView>::Attach(&view);
    view.refs = 2;  // the record's reference and the test's

    IShellView* active = nullptr;
    EXPECT_EQ(browser->QueryActiveShellView(&active), S_OK);
    EXPECT_EQ(active, static_cast<IShellView*>(&view));
    EXPECT_EQ(view.refs, 3u);
    active->Release();
    EXPECT_EQ(browser->QueryActiveShellView(nullptr), E_POINTER);

    ReleaseExplorerBrowser();
    EXPECT_EQ(view.refs, 1u) << "teardown released the view";
    active = reinterpret_cast<IShellView*>(0x1);
    EXPECT_EQ(browser->QueryActiveShellView(&active), E_FAIL);
    EXPECT_EQ(active, nullptr);
    browser->Release();
}

TEST_F(FolderFilterTest, InterfacesAndEnumerationFlags) {
    LumetraFolderFilter* filter = LumetraFolderFilter::Create();
    ASSERT_NE(filter, nullptr);
    for (const GUID* iid : {&kIidUnknown, &kIidFolderFilter}) {
        void* out = nullptr;
        EXPECT_EQ(filter->QueryInterface(*iid, &out), S_OK);
        EXPECT_EQ(out, static_cast<IFolderFilter*>(filter));
        filter->Release();
    }
    void* out = filter;
    EXPECT_EQ(filter->QueryInterface(kIidShellBrowser, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(filter->QueryInterface(kIidFolderFilter, nullptr), E_POINTER);

    HWND window = reinterpret_cast<HWND>(0x77);
    DWORD flags = 0;
    EXPECT_EQ(filter->GetEnumFlags(nullptr, nullptr, &window, &flags), S_OK);
    EXPECT_EQ(flags, 0xE0u);
    EXPECT_EQ(window, reinterpret_cast<HWND>(0x77)) << "the window argument is left alone";
    EXPECT_EQ(filter->GetEnumFlags(nullptr, nullptr, &window, nullptr), E_POINTER);

    IShellFolder* desktop = nullptr;
    ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
    PIDLIST_ABSOLUTE child = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &child), S_OK);
    EXPECT_EQ(filter->ShouldShow(nullptr, nullptr, child), S_FALSE);
    EXPECT_EQ(filter->ShouldShow(desktop, nullptr, nullptr), S_FALSE);
    CoTaskMemFree(child);
    desktop->Release();
    EXPECT_EQ(filter->Release(), 0u);
}

TEST_F(FolderFilterTest, WineViewHasNoFilterSiteSoAttachingReportsFalse) {
    EXPECT_FALSE(AttachFolderFilter()) << "no view";
    testing::FakeFolderView view;
    View().shellView = platform::ComPtr<IShellView>::Attach(&view);
    view.refs = 2;
    EXPECT_FALSE(AttachFolderFilter());
    EXPECT_FALSE(View().filterAttached);
    EXPECT_TRUE(View().folderFilter) << "the filter object exists for a later attempt";
    ReleaseExplorerBrowser();
    EXPECT_FALSE(View().folderFilter);
}

}  // namespace
}  // namespace lumetra::hostedview
