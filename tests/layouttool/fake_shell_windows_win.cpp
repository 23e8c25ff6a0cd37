// fake_shell_windows.dll: an in-process server registered for the shell's
// window-registry class in the test prefix, standing in for the Desktop that
// Wine lacks. It hands out a desktop browser whose active view is a folder
// view described by the scenario file named in STILVANE_FAKE_DESKTOP:
//
//   view ok | none | no-layout | no-count | no-items
//   autoarrange 0 | 1
//   item NAME X Y [nopos]
//
// An item's ID list is its size (2 + name length), the name's bytes and a zero
// terminator. Positioning calls are logged to "<scenario>.log".
// windows.h comes first: the other Windows headers depend on it.
// clang-format off
#include <windows.h>
#include <exdisp.h>
#include <servprov.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "layouttool/shell_guids_win.h"

namespace {

using lumetra::layouttool::kIidClassFactory;
using lumetra::layouttool::kIidDispatch;
using lumetra::layouttool::kIidEnumIdList;
using lumetra::layouttool::kIidFolderView;
using lumetra::layouttool::kIidFolderView2;
using lumetra::layouttool::kIidOleWindow;
using lumetra::layouttool::kIidServiceProvider;
using lumetra::layouttool::kIidShellBrowser;
using lumetra::layouttool::kIidShellView;
using lumetra::layouttool::kIidShellWindows;
using lumetra::layouttool::kIidUnknown;
using lumetra::layouttool::kSidTopLevelBrowser;

LONG objectCount = 0;

struct FakeItem {
    std::vector<BYTE> id;
    std::string name;
    POINT point{};
    bool hasPosition = true;
};

struct Scenario {
    std::string view = "none";
    bool autoArrange = false;
    std::vector<FakeItem> items;
    std::wstring logPath;
};

std::vector<BYTE> IdFor(const std::string& name) {
    std::vector<BYTE> id(name.size() + 4, 0);
    const auto cb = static_cast<unsigned>(name.size() + 2);
    id[0] = static_cast<BYTE>(cb & 0xFF);
    id[1] = static_cast<BYTE>(cb >> 8);
    std::memcpy(id.data() + 2, name.data(), name.size());
    return id;
}

Scenario LoadScenario() {
    Scenario s;
    wchar_t path[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"STILVANE_FAKE_DESKTOP", path, MAX_PATH)) return s;
    s.logPath = std::wstring(path) + L".log";
    FILE* file = _wfopen(path, L"rb");
    if (!file) return s;
    char line[512];
    while (std::fgets(line, sizeof line, file)) {
        char word[64] = {}, name[256] = {}, flag[32] = {};
        long x = 0, y = 0;
        if (std::sscanf(line, "view %63s", word) == 1) s.view = word;
        if (std::sscanf(line, "autoarrange %ld", &x) == 1) s.autoArrange = x != 0;
        const int fields = std::sscanf(line, "item %255s %ld %ld %31s", name, &x, &y, flag);
        if (fields >= 3)
            s.items.push_back(
                {IdFor(name), name, {x, y}, !(fields == 4 && std::strcmp(flag, "nopos") == 0)});
    }
    std::fclose(file);
    return s;
}

void Log(const Scenario& s, const std::string& line) {
    if (s.logPath.empty()) return;
    FILE* file = _wfopen(s.logPath.c_str(), L"ab");
    if (!file) return;
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
}

std::size_t IdSize(const BYTE* id) {
    std::size_t size = 0;
    for (;;) {
        const unsigned cb = static_cast<unsigned>(id[size]) | static_cast<unsigned>(id[size + 1])
                                                                  << 8;
        if (cb == 0) return size + 2;
        size += cb;
    }
}

FakeItem* Find(Scenario& s, const BYTE* id) {
    const std::size_t size = IdSize(id);
    for (FakeItem& item : s.items)
        if (item.id.size() == size && std::memcmp(item.id.data(), id, size) == 0) return &item;
    return nullptr;
}

// The COM interfaces declare no virtual destructors; objects are only ever
// deleted through their own class.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// Reference counting shared by the fakes.
class Counted {
  protected:
    Counted() { InterlockedIncrement(&objectCount); }
    virtual ~Counted() { InterlockedDecrement(&objectCount); }
    ULONG AddRefImpl() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG ReleaseImpl() {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

  private:
    LONG refs_ = 1;
};

template <typename T>
HRESULT Hand(T* object, void** out) {
    object->AddRef();
    *out = object;
    return S_OK;
}

class FakeEnum final : public IEnumIDList, private Counted {
  public:
    explicit FakeEnum(std::vector<std::vector<BYTE>> ids) : ids_(std::move(ids)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid == kIidUnknown || iid == kIidEnumIdList)
            return Hand(static_cast<IEnumIDList*>(this), out);
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, PITEMID_CHILD* items, ULONG* fetched) override {
        ULONG n = 0;
        while (n < count && next_ < ids_.size()) {
            const std::vector<BYTE>& id = ids_[next_++];
            void* copy = CoTaskMemAlloc(id.size());
            std::memcpy(copy, id.data(), id.size());
            items[n++] = static_cast<PITEMID_CHILD>(copy);
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumIDList**) override { return E_NOTIMPL; }

  private:
    std::vector<std::vector<BYTE>> ids_;
    std::size_t next_ = 0;
};

class FakeView final : public IShellView, public IFolderView2, private Counted {
  public:
    explicit FakeView(Scenario scenario) : s_(std::move(scenario)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid == kIidUnknown || iid == kIidShellView || iid == kIidOleWindow)
            return Hand(static_cast<IShellView*>(this), out);
        if (iid == kIidFolderView) return Hand(static_cast<IFolderView*>(this), out);
        if (iid == kIidFolderView2 && s_.view != "no-layout")
            return Hand(static_cast<IFolderView2*>(this), out);
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    // IFolderView: what the layout tool uses.
    HRESULT STDMETHODCALLTYPE ItemCount(UINT, int* count) override {
        if (s_.view == "no-count") return E_FAIL;
        *count = static_cast<int>(s_.items.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Items(UINT, REFIID iid, void** out) override {
        *out = nullptr;
        if (s_.view == "no-items") return E_FAIL;
        std::vector<std::vector<BYTE>> ids;
        for (const FakeItem& item : s_.items) ids.push_back(item.id);
        auto* items = new (std::nothrow) FakeEnum(std::move(ids));
        if (!items) return E_OUTOFMEMORY;
        const HRESULT hr = items->QueryInterface(iid, out);
        items->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE GetItemPosition(PCUITEMID_CHILD id, POINT* point) override {
        const FakeItem* item = Find(s_, reinterpret_cast<const BYTE*>(id));
        if (!item || !item->hasPosition) return E_FAIL;
        *point = item->point;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetAutoArrange() override { return s_.autoArrange ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY ids,
                                                     POINT* points, DWORD flags) override {
        if (count != 1 || !(flags & SVSI_POSITIONITEM)) {
            Log(s_, "bad-call");
            return E_INVALIDARG;
        }
        FakeItem* item = Find(s_, reinterpret_cast<const BYTE*>(ids[0]));
        if (!item) {
            Log(s_, "missing " + std::to_string(points[0].x) + " " + std::to_string(points[0].y));
            return E_FAIL;
        }
        item->point = points[0];
        Log(s_, "moved " + item->name + " " + std::to_string(points[0].x) + " " +
                    std::to_string(points[0].y));
        return S_OK;
    }

    // Everything else is not needed.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UIActivate(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Refresh() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateViewWindow(IShellView*, LPCFOLDERSETTINGS, IShellBrowser*,
                                               RECT*, HWND*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DestroyViewWindow() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentInfo(LPFOLDERSETTINGS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE,
                                                    LPARAM) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SaveViewState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectItem(PCUITEMID_CHILD, SVSIF) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItemObject(UINT, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentViewMode(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetCurrentViewMode(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFolder(REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Item(int, PITEMID_CHILD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSelectionMarkedItem(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFocusedItem(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSpacing(POINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDefaultSpacing(POINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectItem(int, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetGroupBy(REFPROPERTYKEY, WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGroupBy(PROPERTYKEY*, WINBOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY,
                                              REFPROPVARIANT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY,
                                              PROPVARIANT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetExtendedTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetText(FVTEXTTYPE, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetCurrentFolderFlags(DWORD, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentFolderFlags(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSortColumnCount(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSortColumns(const SORTCOLUMN*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSortColumns(SORTCOLUMN*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItem(int, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVisibleItem(int, WINBOOL, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSelectedItem(int, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSelection(WINBOOL, IShellItemArray**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetSelectionState(PCUITEMID_CHILD, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE InvokeVerbOnSelection(LPCSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetViewModeAndIconSize(FOLDERVIEWMODE, int) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetViewModeAndIconSize(FOLDERVIEWMODE*, int*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetGroupSubsetCount(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGroupSubsetCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRedraw(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsMoveInSameFolder() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoRename() override { return E_NOTIMPL; }

  private:
    Scenario s_;
};

// The desktop window's automation object, its service provider and browser.
class FakeDesktop final : public IDispatch,
                          public IServiceProvider,
                          public IShellBrowser,
                          private Counted {
  public:
    explicit FakeDesktop(Scenario scenario) : s_(std::move(scenario)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid == kIidUnknown || iid == kIidDispatch)
            return Hand(static_cast<IDispatch*>(this), out);
        if (iid == kIidServiceProvider) return Hand(static_cast<IServiceProvider*>(this), out);
        if (iid == kIidShellBrowser || iid == kIidOleWindow)
            return Hand(static_cast<IShellBrowser*>(this), out);
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID iid, void** out) override {
        *out = nullptr;
        if (service != kSidTopLevelBrowser) return E_NOINTERFACE;
        return QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** view) override {
        auto* active = new (std::nothrow) FakeView(s_);
        if (!active) return E_OUTOFMEMORY;
        *view = active;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenuSB(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveMenusSB(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusTextSB(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnableModelessSB(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAcceleratorSB(MSG*, WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BrowseObject(PCUIDLIST_RELATIVE, UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetViewStateStream(DWORD, IStream**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetControlWindow(UINT, HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE OnViewWindowActive(IShellView*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override {
        return E_NOTIMPL;
    }

  private:
    Scenario s_;
};

class FakeShellWindows final : public IShellWindows, private Counted {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid == kIidUnknown || iid == kIidDispatch || iid == kIidShellWindows)
            return Hand(static_cast<IShellWindows*>(this), out);
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE FindWindowSW(VARIANT*, VARIANT*, int swClass, LONG* hwnd, int options,
                                           IDispatch** out) override {
        *out = nullptr;
        if (hwnd) *hwnd = 0;
        Scenario s = LoadScenario();
        Log(s, "find " + std::to_string(swClass) + " " + std::to_string(options));
        if (swClass != SWC_DESKTOP || s.view == "none") return S_FALSE;
        auto* desktop = new (std::nothrow) FakeDesktop(std::move(s));
        if (!desktop) return E_OUTOFMEMORY;
        *out = desktop;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_Count(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Item(VARIANT, IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Register(IDispatch*, LONG, int, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterPending(LONG, VARIANT*, VARIANT*, int, LONG*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Revoke(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnNavigate(LONG, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnActivated(LONG, VARIANT_BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnCreated(LONG, IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ProcessAttachDetach(VARIANT_BOOL) override { return E_NOTIMPL; }
};

class Factory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid == kIidUnknown || iid == kIidClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    // Static lifetime: one factory for the module.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* windows = new (std::nothrow) FakeShellWindows;
        if (!windows) return E_OUTOFMEMORY;
        const HRESULT hr = windows->QueryInterface(iid, out);
        windows->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(WINBOOL) override { return S_OK; }
};

#pragma GCC diagnostic pop

Factory factory;

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
    *out = nullptr;
    if (clsid != lumetra::layouttool::kClsidShellWindows) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() { return objectCount == 0 ? S_OK : S_FALSE; }
