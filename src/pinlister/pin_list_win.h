#pragma once
// The shell's taskbar pin list. Its interfaces are undocumented; only their
// identifiers and the order of their methods are relied on.
#include <windows.h>
#include <shobjidl.h>

#include <cstdint>

#include "pinlister/pin_line.h"

namespace lumetra::pinlister {

extern const CLSID kTaskbarPinListClassId;
extern const IID kPinListPrimaryIid;
// Asked for in this order when the class does not give the primary interface.
extern const IID kPinListFallbackIids[5];

// The method layout shared by every pin-list interface; methods 4 to 7 are
// never called. Released through IUnknown, never deleted.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
struct ITaskbarPinList : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE EnumObjects(IEnumFullIDList** items) = 0;  // 3
    virtual HRESULT STDMETHODCALLTYPE Unused4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused6() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused7() = 0;
    virtual ULONG STDMETHODCALLTYPE GetChangeCount() = 0;  // 8
    // 9: S_FALSE means the item is not to be listed.
    virtual HRESULT STDMETHODCALLTYPE KeepTest(PCIDLIST_ABSOLUTE item) = 0;
};
#pragma GCC diagnostic pop

// Appends a line for every pinned item; returns how many were added. Needs COM.
int EnumerateTaskbarPins(PinnedLines& out);

// The pin list's change counter; 0 when its primary interface is not there.
std::uint32_t PinListChangeCount();

}  // namespace lumetra::pinlister
