#include "config/run_at_startup_win.h"

#include <objbase.h>
#include <objidl.h>
#include <roapi.h>
#include <shlobj.h>

#include <atomic>
#include <iterator>
#include <new>

#include "config/settings.h"
#include "log/debug_log.h"
#include "log/long_path.h"
#include "platform/com_ptr_win.h"
#include "platform/system_library_win.h"
#include "platform/unique_handle_win.h"

namespace lumetra::config {

const IID kStartupTaskStaticsIid = {
    0xEE5B60BD, 0xA148, 0x41A7, {0xB2, 0x6E, 0xE8, 0xB8, 0x8A, 0x1E, 0x62, 0xF8}};
const wchar_t kStartupTaskId[] = L"LumetraStartup";

namespace {

using platform::ComPtr;

// The completion handlers' interface ids, derived from their generic types
// and the result type as the runtime derives them.
template <typename Result>
struct AsyncHandlerIid;
template <>
struct AsyncHandlerIid<IStartupTask*> {
    static constexpr IID value = {
        0x741f7697, 0x2452, 0x5c80, {0x83, 0xc6, 0x3b, 0x6f, 0x82, 0x2b, 0x90, 0x4c}};
};
template <>
struct AsyncHandlerIid<StartupTaskState> {
    static constexpr IID value = {
        0x70a0bf67, 0x19e8, 0x5a86, {0xa3, 0x2e, 0x3c, 0x98, 0x63, 0x82, 0x5a, 0x04}};
};

constexpr IID kAgileObjectIid = {
    0x94ea2b94, 0xe9cc, 0x49e0, {0xc0, 0xff, 0xee, 0x64, 0xca, 0x8f, 0x5b, 0x90}};

// Sets its event when the operation completes, on whatever thread that is.
// It owns the event, so a late call never signals a handle closed meanwhile.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <typename Result>
class CompletionHandler final : public IAsyncCompletedHandlerOf<Result> {
  public:
    static ComPtr<CompletionHandler> Create() {
        auto handler = ComPtr<CompletionHandler>::Attach(new (std::nothrow) CompletionHandler);
        if (handler) {
            handler->event_.reset(
                CreateEventExW(nullptr, nullptr, CREATE_EVENT_MANUAL_RESET, 0x1F0003));
            if (!handler->event_) handler.reset();
        }
        return handler;
    }
    HANDLE Event() const { return event_.get(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        // Agile: the operation may call it from any thread without marshalling.
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, AsyncHandlerIid<Result>::value) ||
            IsEqualIID(iid, kAgileObjectIid)) {
            *out = static_cast<IAsyncCompletedHandlerOf<Result>*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    STDMETHODIMP Invoke(IAsyncOperationOf<Result>*, AsyncStatus) override {
        SetEvent(event_.get());
        return S_OK;
    }

  private:
    CompletionHandler() = default;
    ~CompletionHandler() = default;

    std::atomic<ULONG> refs_{1};
    platform::UniqueHandle event_;
};
#pragma GCC diagnostic pop

template <typename Result>
HRESULT Await(IAsyncOperationOf<Result>* operation, Result* result) {
    if (!operation || !result) return E_POINTER;
    const ComPtr<CompletionHandler<Result>> handler = CompletionHandler<Result>::Create();
    if (!handler) {
        const DWORD error = GetLastError();
        return error ? HRESULT_FROM_WIN32(error) : E_OUTOFMEMORY;
    }
    HRESULT hr = operation->put_Completed(handler.get());
    if (FAILED(hr)) return hr;  // nothing would ever set the event
    ComPtr<IAsyncInfo> info;
    hr = operation->QueryInterface(__uuidof(IAsyncInfo), info.put_void());
    if (FAILED(hr)) return hr;
    HANDLE event = handler->Event();
    DWORD index = 0;
    hr = CoWaitForMultipleHandles(COWAIT_DISPATCH_CALLS | COWAIT_DISPATCH_WINDOW_MESSAGES, INFINITE,
                                  1, &event, &index);
    if (FAILED(hr)) return hr;
    AsyncStatus status = Started;
    hr = info->get_Status(&status);
    if (FAILED(hr)) return hr;
    if (status == Completed) return operation->GetResults(result);
    HRESULT error = S_OK;
    return SUCCEEDED(info->get_ErrorCode(&error)) && FAILED(error) ? error : E_FAIL;
}

// The runtime's entry points, from System32's combase when it has them.
struct RuntimeFunctions {
    using Initialize = HRESULT(WINAPI*)(RO_INIT_TYPE);
    using Uninitialize = void(WINAPI*)();
    using GetFactory = HRESULT(WINAPI*)(HSTRING, REFIID, void**);
    using StringReference = HRESULT(WINAPI*)(PCWSTR, UINT32, HSTRING_HEADER*, HSTRING*);
    Initialize initialize = platform::SystemExport<Initialize>(L"combase.dll", "RoInitialize");
    Uninitialize uninitialize =
        platform::SystemExport<Uninitialize>(L"combase.dll", "RoUninitialize");
    GetFactory getFactory =
        platform::SystemExport<GetFactory>(L"combase.dll", "RoGetActivationFactory");
    StringReference stringReference =
        platform::SystemExport<StringReference>(L"combase.dll", "WindowsCreateStringReference");
    bool complete() const { return initialize && uninitialize && getFactory && stringReference; }
};

const RuntimeFunctions& Runtime() {
    static const RuntimeFunctions functions;
    return functions;
}

// A string the runtime reads in place; the text must outlive it.
struct StringReference {
    HSTRING_HEADER header{};
    HSTRING text = nullptr;
    bool Make(const wchar_t* value, UINT32 length) {
        return Runtime().stringReference &&
               SUCCEEDED(Runtime().stringReference(value, length, &header, &text));
    }
};

bool HasPackageIdentity() {
    using Fn = LONG(WINAPI*)(UINT32*, PWSTR);
    static const Fn fullName =
        platform::SystemExport<Fn>(L"kernel32.dll", "GetCurrentPackageFullName");
    UINT32 length = 0;
    return fullName && fullName(&length, nullptr) == ERROR_INSUFFICIENT_BUFFER;
}

std::wstring StartupFolder() {
    wchar_t folder[MAX_PATH] = {};  // the call's own fixed size
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, 0, folder))) return {};
    return folder;
}

std::wstring RunningExecutable() {
    return log::ReadGrowing([](wchar_t* buffer, std::size_t capacity) {
        return static_cast<std::size_t>(
            GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(capacity)));
    });
}

void DeleteFiles(const std::vector<std::wstring>& paths) {
    for (const std::wstring& path : paths) DeleteFileW(path.c_str());
}

HRESULT SaveShortcut(const std::wstring& path, const std::wstring& target) {
    ComPtr<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.put_void());
    if (FAILED(hr)) return hr;
    // A shortcut to nothing would only fail at every logon.
    if (target.empty()) return E_FAIL;
    if (FAILED(hr = link->SetPath(target.c_str()))) return hr;
    if (FAILED(hr = link->SetDescription(L"Lumetra"))) return hr;
    ComPtr<IPersistFile> file;
    if (FAILED(hr = link.As(IID_IPersistFile, file))) return hr;
    return file->Save(path.c_str(), TRUE);
}

void CreateStartupShortcut(const std::wstring& path) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HRESULT hr = SaveShortcut(path, RunningExecutable());
    if (FAILED(hr))
        log::DebugLogFormat<512>(L"Startup: shortcut %ls not saved (0x%08lX).", path.c_str(),
                                 static_cast<unsigned long>(hr));
    if (SUCCEEDED(init)) CoUninitialize();
}

}  // namespace

HRESULT AwaitAsyncOperation(IAsyncOperationOf<IStartupTask*>* operation, IStartupTask** result) {
    return Await(operation, result);
}

HRESULT AwaitAsyncOperation(IAsyncOperationOf<StartupTaskState>* operation,
                            StartupTaskState* result) {
    return Await(operation, result);
}

HRESULT ApplyStartupTaskWith(IStartupTaskStatics* statics, bool enable) {
    if (!statics) return E_POINTER;
    StringReference id;
    if (!id.Make(kStartupTaskId, static_cast<UINT32>(std::size(kStartupTaskId) - 1))) return E_FAIL;
    ComPtr<IAsyncOperationOf<IStartupTask*>> lookup;
    HRESULT hr = statics->GetAsync(id.text, lookup.put());
    if (FAILED(hr)) return hr;
    ComPtr<IStartupTask> task;
    hr = AwaitAsyncOperation(lookup.get(), task.put());
    if (FAILED(hr)) return hr;
    if (!task) return E_FAIL;  // the package declares no such task
    StartupTaskState state = StartupTaskState::kDisabled;
    if (FAILED(hr = task->get_State(&state))) return hr;
    switch (StartupTaskActionFor(enable, state)) {
        case StartupTaskAction::kRequestEnable: {
            ComPtr<IAsyncOperationOf<StartupTaskState>> request;
            if (FAILED(hr = task->RequestEnableAsync(request.put()))) return hr;
            // The user or a policy may refuse; the answer changes nothing here.
            StartupTaskState answer = state;
            return AwaitAsyncOperation(request.get(), &answer);
        }
        case StartupTaskAction::kDisable: return task->Disable();
        case StartupTaskAction::kNone: break;
    }
    return S_OK;
}

void ApplyStartupTask(bool enable) {
    const RuntimeFunctions& runtime = Runtime();
    if (!runtime.complete()) return;
    const HRESULT init = runtime.initialize(RO_INIT_SINGLETHREADED);
    {
        static const wchar_t kClass[] = L"Windows.ApplicationModel.StartupTask";
        StringReference className;
        ComPtr<IStartupTaskStatics> statics;
        if (className.Make(kClass, static_cast<UINT32>(std::size(kClass) - 1)) &&
            SUCCEEDED(
                runtime.getFactory(className.text, kStartupTaskStaticsIid, statics.put_void())))
            ApplyStartupTaskWith(statics.get(), enable);
    }
    if (SUCCEEDED(init)) runtime.uninitialize();
}

void RemoveStartupShortcuts() { DeleteFiles(StartupShortcutPaths(StartupFolder())); }

void ApplyRunAtStartup() {
    const bool on = Cfg().runAtStartup;
    if (HasPackageIdentity()) {
        RemoveStartupShortcuts();
        ApplyStartupTask(on);
        log::DebugLogWrite(on ? L"Startup: StartupTask enable requested (packaged)."
                              : L"Startup: StartupTask disable (packaged).");
        return;
    }
    const StartupShortcutPlan plan = PlanStartupShortcuts(StartupFolder(), false, on);
    DeleteFiles(plan.remove);
    if (!plan.create.empty()) CreateStartupShortcut(plan.create);
}

}  // namespace lumetra::config
