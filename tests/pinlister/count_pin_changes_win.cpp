// count_pin_changes.exe: starts COM, asks the pin-list class for its change
// counter and prints it: the least any check of the stamp has to do, the
// second baseline of the benchmark.
#include <windows.h>
#include <objbase.h>

#include <cstdio>

namespace {

const CLSID kPinListClass = {
    0x90AA3A4E, 0x1CBA, 0x4233, {0xB8, 0xBB, 0x53, 0x57, 0x73, 0xD4, 0x84, 0x49}};
const IID kPrimaryIid = {
    0x0DD79AE2, 0xD156, 0x45D4, {0x9E, 0xEB, 0x3B, 0x54, 0x97, 0x69, 0xE9, 0x40}};

// Slot 8 of the pin list's table of methods.
using GetChangeCount = ULONG(STDMETHODCALLTYPE*)(IUnknown*);

}  // namespace

int wmain() {
    if (CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) != S_OK)
        return 2;
    IUnknown* list = nullptr;
    ULONG count = 0;
    if (SUCCEEDED(CoCreateInstance(kPinListClass, nullptr, CLSCTX_INPROC_SERVER, kPrimaryIid,
                                   reinterpret_cast<void**>(&list)))) {
        count = (*reinterpret_cast<GetChangeCount**>(list))[8](list);
        list->Release();
    }
    CoUninitialize();
    std::printf("%lu\n", count);
    return 0;
}
