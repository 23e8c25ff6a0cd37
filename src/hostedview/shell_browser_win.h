#pragma once
// The site the hosted shell view talks to. It only ever hosts the Desktop:
// navigation, menus, toolbars and view-state streams are refused or ignored.
#include <windows.h>
#include <shlobj.h>

namespace lumetra::hostedview {

// Deleted only by its own Release, so the interface's non-virtual destructor is fine.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class LumetraShellBrowser final : public IShellBrowser {
  public:
    // Count 1, owned by the caller; null when memory runs out.
    static LumetraShellBrowser* Create(HWND host);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

    STDMETHODIMP InsertMenusSB(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenuSB(HMENU shared, HOLEMENU oleMenu, HWND activeObject) override;
    STDMETHODIMP RemoveMenusSB(HMENU shared) override;
    STDMETHODIMP SetStatusTextSB(LPCWSTR text) override;
    STDMETHODIMP EnableModelessSB(BOOL enable) override;
    STDMETHODIMP TranslateAcceleratorSB(MSG* message, WORD id) override;
    STDMETHODIMP BrowseObject(PCUIDLIST_RELATIVE idList, UINT flags) override;
    STDMETHODIMP GetViewStateStream(DWORD mode, IStream** stream) override;
    STDMETHODIMP GetControlWindow(UINT id, HWND* window) override;
    STDMETHODIMP SendControlMsg(UINT id, UINT message, WPARAM wParam, LPARAM lParam,
                                LRESULT* result) override;
    STDMETHODIMP QueryActiveShellView(IShellView** view) override;
    STDMETHODIMP OnViewWindowActive(IShellView* view) override;
    STDMETHODIMP SetToolbarItems(LPTBBUTTONSB buttons, UINT count, UINT flags) override;

  private:
    explicit LumetraShellBrowser(HWND host) : host_(host) {}
    ~LumetraShellBrowser() = default;

    ULONG refs_ = 1;
    HWND host_ = nullptr;
};
#pragma GCC diagnostic pop

}  // namespace lumetra::hostedview
