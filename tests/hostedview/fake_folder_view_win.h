#pragma once
// An in-process stand-in for the shell's folder view: it answers IShellView,
// IFolderView2 and IShellFolderView over a list of child ids and records what
// the code under test asks of it. Wine's own view lacks a working
// RemoveObject/AddObject, info tips, icon sizes, sort and grouping, so the
// sweeps and the view mode are checked here.
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace lumetra::hostedview::testing {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class FakeFolderView final : public IShellView, public IFolderView2, public IShellFolderView {
  public:
    FakeFolderView();
    FakeFolderView(const FakeFolderView&) = delete;
    FakeFolderView& operator=(const FakeFolderView&) = delete;
    ~FakeFolderView();

    // The view's items (owned clones of child ids).
    std::vector<PITEMID_CHILD> items;
    void AddItem(PCUITEMID_CHILD child);

    // What was asked.
    std::vector<int> itemCalls;          // indices passed to Item
    std::vector<PITEMID_CHILD> removed;  // clones of the ids passed to RemoveObject
    std::vector<PITEMID_CHILD> added;    // ids handed over by AddObject
    HRESULT addResult = S_OK;
    bool removeDeletes = true;  // false behaves like Wine: S_OK, nothing removed
    ULONG refs = 1;

    // View mode, icon size, folder flags, sort and grouping as a shell keeps
    // them. Every call that sets one is recorded in `calls` as text such as
    // "SetViewModeAndIconSize 1 20" or "SetGroupBy 10 1".
    std::vector<std::wstring> calls;
    FOLDERVIEWMODE mode = FVM_ICON;
    int iconPx = 48;
    DWORD folderFlags = 0;
    PROPERTYKEY groupKey{};  // the null key: not grouped
    BOOL groupAscending = TRUE;
    SORTCOLUMN sort{};  // as the shell starts: by name, ascending (set in the constructor)
    // What it can be told to do: answer like Wine (E_NOTIMPL for all of the
    // above), refuse an icon size in some modes, report another size than it
    // shows, fail the grouping calls, drop its groups in small-icon mode.
    bool notImplemented = false;
    std::vector<FOLDERVIEWMODE> sizeFailsIn;
    int reportedPx = 0;  // 0: the size it shows
    HRESULT groupResult = S_OK;
    bool smallIconsDropGroups = false;
    // The shell's own keyboard shortcut for details.
    void SwitchToDetails() { mode = FVM_DETAILS; }
    int CallCount(const std::wstring& prefix) const;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }  // lives on the test's stack

    // IOleWindow / IShellView
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return E_NOTIMPL; }
    STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP UIActivate(UINT) override { return S_OK; }
    STDMETHODIMP Refresh() override { return S_OK; }
    STDMETHODIMP CreateViewWindow(IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*,
                                  HWND*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP DestroyViewWindow() override { return S_OK; }
    STDMETHODIMP GetCurrentInfo(LPFOLDERSETTINGS) override { return E_NOTIMPL; }
    STDMETHODIMP AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP SaveViewState() override { return E_NOTIMPL; }
    STDMETHODIMP SelectItem(PCUITEMID_CHILD, SVSIF) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemObject(UINT, REFIID, void** out) override;

    // IFolderView
    STDMETHODIMP GetCurrentViewMode(UINT* viewMode) override;
    STDMETHODIMP SetCurrentViewMode(UINT viewMode) override;
    STDMETHODIMP GetFolder(REFIID, void** out) override;
    STDMETHODIMP Item(int index, PITEMID_CHILD* child) override;
    STDMETHODIMP ItemCount(UINT flags, int* count) override;
    STDMETHODIMP Items(UINT, REFIID, void** out) override;
    STDMETHODIMP GetSelectionMarkedItem(int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetFocusedItem(int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemPosition(PCUITEMID_CHILD, POINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetSpacing(POINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetDefaultSpacing(POINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetAutoArrange() override { return E_NOTIMPL; }
    STDMETHODIMP SelectItem(int, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SelectAndPositionItems(UINT, PCUITEMID_CHILD_ARRAY, POINT*, DWORD) override {
        return E_NOTIMPL;
    }

    // IFolderView2
    STDMETHODIMP SetGroupBy(REFPROPERTYKEY key, BOOL ascending) override;
    STDMETHODIMP GetGroupBy(PROPERTYKEY* key, BOOL* ascending) override;
    STDMETHODIMP SetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY, REFPROPVARIANT) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP GetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY, PROPVARIANT*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP SetTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtendedTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP SetText(FVTEXTTYPE, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP SetCurrentFolderFlags(DWORD mask, DWORD flags) override;
    STDMETHODIMP GetCurrentFolderFlags(DWORD* flags) override;
    STDMETHODIMP GetSortColumnCount(int* count) override;
    STDMETHODIMP SetSortColumns(const SORTCOLUMN* columns, int count) override;
    STDMETHODIMP GetSortColumns(SORTCOLUMN* columns, int count) override;
    STDMETHODIMP GetItem(int, REFIID, void** out) override;
    STDMETHODIMP GetVisibleItem(int, BOOL, int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetSelectedItem(int, int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetSelection(BOOL, IShellItemArray**) override { return E_NOTIMPL; }
    STDMETHODIMP GetSelectionState(PCUITEMID_CHILD, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP InvokeVerbOnSelection(LPCSTR) override { return E_NOTIMPL; }
    STDMETHODIMP SetViewModeAndIconSize(FOLDERVIEWMODE viewMode, int px) override;
    STDMETHODIMP GetViewModeAndIconSize(FOLDERVIEWMODE* viewMode, int* px) override;
    STDMETHODIMP SetGroupSubsetCount(UINT) override { return E_NOTIMPL; }
    STDMETHODIMP GetGroupSubsetCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP SetRedraw(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP IsMoveInSameFolder() override { return E_NOTIMPL; }
    STDMETHODIMP DoRename() override { return E_NOTIMPL; }

    // IShellFolderView
    STDMETHODIMP Rearrange(LPARAM) override { return E_NOTIMPL; }
    STDMETHODIMP GetArrangeParam(LPARAM*) override { return E_NOTIMPL; }
    STDMETHODIMP ArrangeGrid() override { return E_NOTIMPL; }
    STDMETHODIMP AutoArrange() override { return E_NOTIMPL; }
    STDMETHODIMP AddObject(PUITEMID_CHILD child, UINT* at) override;
    STDMETHODIMP GetObject(PITEMID_CHILD*, UINT) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveObject(PUITEMID_CHILD child, UINT* at) override;
    STDMETHODIMP GetObjectCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP SetObjectCount(UINT, UINT) override { return E_NOTIMPL; }
    STDMETHODIMP UpdateObject(PUITEMID_CHILD, PUITEMID_CHILD, UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP RefreshObject(PUITEMID_CHILD, UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetSelectedCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetSelectedObjects(PCUITEMID_CHILD**, UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP IsDropOnSource(IDropTarget*) override { return E_NOTIMPL; }
    STDMETHODIMP GetDragPoint(POINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetDropPoint(POINT*) override { return E_NOTIMPL; }
    STDMETHODIMP MoveIcons(IDataObject*) override { return E_NOTIMPL; }
    STDMETHODIMP SetItemPos(PCUITEMID_CHILD, POINT*) override { return E_NOTIMPL; }
    STDMETHODIMP IsBkDropTarget(IDropTarget*) override { return E_NOTIMPL; }
    STDMETHODIMP SetClipboard(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP SetPoints(IDataObject*) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemSpacing(ITEMSPACING*) override { return E_NOTIMPL; }
    STDMETHODIMP SetCallback(IShellFolderViewCB*, IShellFolderViewCB**) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Select(UINT) override { return E_NOTIMPL; }
    STDMETHODIMP QuerySupport(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP SetAutomationObject(IDispatch*) override { return E_NOTIMPL; }
};
#pragma GCC diagnostic pop

}  // namespace lumetra::hostedview::testing
