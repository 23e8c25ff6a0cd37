// tackroll_pin_server.dll: an in-process server for the taskbar pin-list class,
// registered in the test prefix because Wine has none. Each new object reads
// "pins.txt" beside the DLL (UTF-8, one directive per line, "%XX" escapes a
// byte, so names may hold line breaks):
//
//   counter N                  the change counter (method 8)
//   interface primary          answer the primary interface (default)
//   interface fallback K       answer only fallback interface K (0-3), not the primary
//   interface none             answer no pin-list interface at all
//   last-fetch s_false         hand out the last item together with S_FALSE
//   item PATH                  a pinned item: the ID list parsed from PATH
//   skip PATH                  an item the keep test (method 9) rejects
//
// The method layout is written out here on its own, apart from the lister's,
// so that a slot mistake in one of them cannot hide in both.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

// The COM interfaces declare no virtual destructors; objects are only ever
// deleted through their own class.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

namespace {

const CLSID kPinListClass = {
    0x90AA3A4E, 0x1CBA, 0x4233, {0xB8, 0xBB, 0x53, 0x57, 0x73, 0xD4, 0x84, 0x49}};
// The primary interface, then the fallbacks in the order the lister asks.
const IID kPinListIids[] = {
    {0x0DD79AE2, 0xD156, 0x45D4, {0x9E, 0xEB, 0x3B, 0x54, 0x97, 0x69, 0xE9, 0x40}},
    {0xC3C6EB6D, 0xC837, 0x4EAE, {0xB1, 0x72, 0x5F, 0xEC, 0x52, 0xA2, 0xA4, 0xFD}},
    {0xBBD20037, 0xBC0E, 0x42F1, {0x91, 0x3F, 0xE2, 0x93, 0x6B, 0xB0, 0xEA, 0x0C}},
    {0x60274FA2, 0x611F, 0x4B8A, {0xA2, 0x93, 0xF2, 0x7B, 0xF1, 0x03, 0xD1, 0x48}},
    {0x53D51C3C, 0xD7E0, 0x4FEC, {0xB4, 0xC6, 0x33, 0xB4, 0xF8, 0xA4, 0x1C, 0x64}},
};
constexpr int kNoInterface = -1;

HMODULE thisModule = nullptr;
LONG liveObjects = 0;

struct Pin {
    PIDLIST_ABSOLUTE idList = nullptr;
    bool keep = true;
};
using Pins = std::vector<Pin>;

struct Scenario {
    ULONG counter = 0;
    int interfaceIndex = 0;  // into kPinListIids, or kNoInterface
    bool lastWithFalse = false;
    std::vector<std::pair<std::wstring, bool>> items;  // path, kept by the keep test
};

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out.push_back(static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

std::wstring Widen(const std::string& utf8) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string ReadScenarioFile() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(thisModule, path, MAX_PATH);
    std::wstring file(path);
    file.resize(file.find_last_of(L'\\') + 1);
    file += L"pins.txt";
    std::string bytes;
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(h, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(h);
    return bytes;
}

Scenario LoadScenario() {
    Scenario scenario;
    const std::string text = ReadScenarioFile();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value =
            space == std::string::npos ? "" : Unescape(line.substr(space + 1));
        if (key == "counter") {
            scenario.counter = std::stoul(value);
        } else if (key == "interface") {
            if (value == "none")
                scenario.interfaceIndex = kNoInterface;
            else if (value.rfind("fallback ", 0) == 0)
                scenario.interfaceIndex = 1 + std::stoi(value.substr(9));
            else
                scenario.interfaceIndex = 0;
        } else if (key == "last-fetch") {
            scenario.lastWithFalse = value == "s_false";
        } else if (key == "item" || key == "skip") {
            scenario.items.emplace_back(Widen(value), key == "item");
        }
    }
    return scenario;
}

// Parsed only when asked for, so that reading the counter stays cheap.
Pins ParsePins(const Scenario& scenario) {
    Pins pins;
    for (const auto& [path, keep] : scenario.items) {
        PIDLIST_ABSOLUTE idList = nullptr;
        if (SUCCEEDED(SHParseDisplayName(path.c_str(), nullptr, &idList, 0, nullptr)) && idList)
            pins.push_back({idList, keep});
    }
    return pins;
}

Pins ClonePins(const Pins& pins) {
    Pins copy;
    for (const Pin& pin : pins) copy.push_back({ILCloneFull(pin.idList), pin.keep});
    return copy;
}

void FreePins(Pins& pins) {
    for (Pin& pin : pins) ILFree(pin.idList);
    pins.clear();
}

class ObjectBase {
  protected:
    ObjectBase() { InterlockedIncrement(&liveObjects); }
    virtual ~ObjectBase() { InterlockedDecrement(&liveObjects); }
    ULONG addRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG release() {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

  private:
    LONG refs_ = 1;
};

class ItemEnumerator final : public IEnumFullIDList, ObjectBase {
  public:
    ItemEnumerator(Pins pins, bool lastWithFalse)
        : pins_(std::move(pins)), lastWithFalse_(lastWithFalse) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IEnumFullIDList) return E_NOINTERFACE;
        *out = static_cast<IEnumFullIDList*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return addRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return release(); }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, PIDLIST_ABSOLUTE* items, ULONG* fetched) override {
        ULONG n = 0;
        while (n < count && next_ < pins_.size()) items[n++] = ILCloneFull(pins_[next_++].idList);
        if (fetched) *fetched = n;
        if (n == 0) return S_FALSE;
        const bool last = next_ == pins_.size();
        return n < count || (last && lastWithFalse_) ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        next_ = std::min<std::size_t>(next_ + count, pins_.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumFullIDList** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }

  private:
    ~ItemEnumerator() override { FreePins(pins_); }

    Pins pins_;
    bool lastWithFalse_;
    std::size_t next_ = 0;
};

// Slots 0-2 come from IUnknown; 3 to 9 follow in this order.
class PinList final : public IUnknown, ObjectBase {
  public:
    PinList() : scenario_(LoadScenario()) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        const bool pinList = scenario_.interfaceIndex != kNoInterface &&
                             iid == kPinListIids[scenario_.interfaceIndex];
        if (iid != IID_IUnknown && !pinList) return E_NOINTERFACE;
        *out = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return addRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return release(); }

    virtual HRESULT STDMETHODCALLTYPE EnumObjects(IEnumFullIDList** out) {  // 3
        *out = new (std::nothrow) ItemEnumerator(ClonePins(pins()), scenario_.lastWithFalse);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    virtual HRESULT STDMETHODCALLTYPE Method4() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Method5() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Method6() { return E_NOTIMPL; }
    virtual HRESULT STDMETHODCALLTYPE Method7() { return E_NOTIMPL; }
    virtual ULONG STDMETHODCALLTYPE GetChangeCount() { return scenario_.counter; }  // 8
    virtual HRESULT STDMETHODCALLTYPE KeepTest(PCIDLIST_ABSOLUTE item) {            // 9
        // Byte for byte: the lister hands back the very lists it was given, and
        // ILIsEqual would cost the benchmark more than the lister itself.
        const UINT size = ILGetSize(item);
        for (const Pin& pin : pins())
            if (ILGetSize(pin.idList) == size && std::memcmp(pin.idList, item, size) == 0)
                return pin.keep ? S_OK : S_FALSE;
        return S_OK;
    }

  private:
    ~PinList() override { FreePins(pins_); }
    const Pins& pins() {
        if (!parsed_) pins_ = ParsePins(scenario_);
        parsed_ = true;
        return pins_;
    }

    Scenario scenario_;
    Pins pins_;
    bool parsed_ = false;
};

class Factory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        PinList* list = new (std::nothrow) PinList();
        if (!list) return E_OUTOFMEMORY;
        const HRESULT hr = list->QueryInterface(iid, out);
        list->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) thisModule = instance;
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid != kPinListClass) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return liveObjects == 0 ? S_OK : S_FALSE; }
