#pragma once
// The filter the shell view asks about every item it enumerates, so that
// items the palette must not show are never listed in the first place.
#include <windows.h>
#include <shlobj.h>

namespace lumetra::hostedview {

// Deleted only by its own Release, so the interface's non-virtual destructor is fine.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class LumetraFolderFilter final : public IFolderFilter {
  public:
    // Count 1, owned by the caller; null when memory runs out.
    static LumetraFolderFilter* Create();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP ShouldShow(IShellFolder* folder, PCIDLIST_ABSOLUTE folderIdList,
                            PCUITEMID_CHILD item) override;
    STDMETHODIMP GetEnumFlags(IShellFolder* folder, PCIDLIST_ABSOLUTE folderIdList, HWND* window,
                              DWORD* flags) override;

  private:
    LumetraFolderFilter() = default;
    ~LumetraFolderFilter() = default;

    ULONG refs_ = 1;
};
#pragma GCC diagnostic pop

inline constexpr DWORD kDesktopEnumFlags = 0xE0;  // folders, non-folders and hidden items

// Hands the filter to the view; false when the view offers no filter site.
bool AttachFolderFilter();

}  // namespace lumetra::hostedview
