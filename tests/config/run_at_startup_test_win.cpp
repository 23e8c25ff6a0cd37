// The packaged start-up route against a startup task of the test's own (the
// system here has no package identity and no startup-task class): which
// calls each state leads to, and how the waits for the runtime's
// asynchronous operations end.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <type_traits>

#include "config/run_at_startup_win.h"
#include "platform/com_ptr_win.h"

namespace lumetra::config {
namespace {

using platform::ComPtr;

enum class Completion { kAtOnce, kOnOtherThread, kOnSentMessage, kFails };

constexpr UINT kCompleteMessage = WM_APP + 7;

// A window of this thread: completing through it needs the waiting thread to
// answer messages sent to it from another thread (the ones every program must
// keep answering; Wine's wait dispatches those but not posted ones).
LRESULT CALLBACK CompleterProc(HWND window, UINT message, WPARAM w, LPARAM l);

HWND CompleterWindow() {
    static const HWND window = [] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = CompleterProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"LumetraTest.Completer";
        RegisterClassW(&cls);
        return CreateWindowExW(0, cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               cls.hInstance, nullptr);
    }();
    return window;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <typename Result>
class FakeOperation final : public IAsyncOperationOf<Result>, public IAsyncInfo {
  public:
    FakeOperation(Completion how, Result result, HRESULT error = S_OK)
        : how_(how), result_(result), error_(error) {
        if constexpr (std::is_pointer_v<Result>)
            if (result_) result_->AddRef();
    }
    ~FakeOperation() {
        if (backup_.joinable()) backup_.join();
        if constexpr (std::is_pointer_v<Result>)
            if (result_) result_->Release();
    }

    void Complete() {
        if (done_.exchange(true)) return;
        status_ = how_ == Completion::kFails ? Error : Completed;
        handler_->Invoke(this, status_);
    }
    bool completedByMessage = false;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, __uuidof(IAsyncInfo)))
            *out = static_cast<IAsyncInfo*>(this);
        else if (IsEqualIID(iid, IID_IUnknown))
            *out = static_cast<IAsyncOperationOf<Result>*>(this);
        else
            return *out = nullptr, E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --refs_;
        if (!left) delete this;
        return left;
    }
    STDMETHODIMP GetIids(ULONG*, IID**) override { return E_NOTIMPL; }
    STDMETHODIMP GetRuntimeClassName(HSTRING*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTrustLevel(TrustLevel*) override { return E_NOTIMPL; }

    STDMETHODIMP put_Completed(IAsyncCompletedHandlerOf<Result>* handler) override {
        handler_ = ComPtr<IAsyncCompletedHandlerOf<Result>>::Attach(handler);
        handler->AddRef();
        switch (how_) {
            case Completion::kAtOnce:
            case Completion::kFails: Complete(); break;
            case Completion::kOnOtherThread:
                backup_ = std::thread([this] {
                    Sleep(50);
                    Complete();
                });
                break;
            case Completion::kOnSentMessage:
                backup_ = std::thread([this] {
                    DWORD_PTR answer = 0;
                    // A wait that answers nothing is released after a while
                    // instead of hanging the test.
                    if (!SendMessageTimeoutW(CompleterWindow(), kCompleteMessage, 0,
                                             reinterpret_cast<LPARAM>(this), SMTO_NORMAL, 3000,
                                             &answer))
                        Complete();
                });
                break;
        }
        return S_OK;
    }
    STDMETHODIMP get_Completed(IAsyncCompletedHandlerOf<Result>**) override { return E_NOTIMPL; }
    STDMETHODIMP GetResults(Result* results) override {
        if (status_ != Completed) return E_FAIL;
        *results = result_;
        if constexpr (std::is_pointer_v<Result>)
            if (result_) result_->AddRef();
        return S_OK;
    }

    STDMETHODIMP get_Id(UINT32* id) override { return *id = 1, S_OK; }
    STDMETHODIMP get_Status(AsyncStatus* status) override { return *status = status_, S_OK; }
    STDMETHODIMP get_ErrorCode(HRESULT* error) override {
        return *error = status_ == Error ? error_ : S_OK, S_OK;
    }
    STDMETHODIMP Cancel() override { return S_OK; }
    STDMETHODIMP Close() override { return S_OK; }

  private:
    std::atomic<ULONG> refs_{1};
    Completion how_;
    Result result_;
    HRESULT error_;
    std::atomic<AsyncStatus> status_{Started};
    std::atomic<bool> done_{false};
    ComPtr<IAsyncCompletedHandlerOf<Result>> handler_;
    std::thread backup_;
};

LRESULT CALLBACK CompleterProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message != kCompleteMessage) return DefWindowProcW(window, message, w, l);
    auto* operation = reinterpret_cast<FakeOperation<StartupTaskState>*>(l);
    operation->completedByMessage = true;
    operation->Complete();
    return 0;
}

// Objects on the test's stack: their counts are never used to free them.
template <typename Interface>
class StackObject : public Interface {
  public:
    STDMETHODIMP QueryInterface(REFIID, void** out) override {
        return *out = nullptr, E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetIids(ULONG*, IID**) override { return E_NOTIMPL; }
    STDMETHODIMP GetRuntimeClassName(HSTRING*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTrustLevel(TrustLevel*) override { return E_NOTIMPL; }
};

class FakeTask final : public StackObject<IStartupTask> {
  public:
    explicit FakeTask(StartupTaskState state) : state_(state) {}
    int enableRequests = 0;
    int disables = 0;

    STDMETHODIMP RequestEnableAsync(IAsyncOperationOf<StartupTaskState>** operation) override {
        ++enableRequests;
        *operation =
            new FakeOperation<StartupTaskState>(Completion::kAtOnce, StartupTaskState::kEnabled);
        return S_OK;
    }
    STDMETHODIMP Disable() override { return ++disables, S_OK; }
    STDMETHODIMP get_State(StartupTaskState* state) override { return *state = state_, S_OK; }
    STDMETHODIMP get_TaskId(HSTRING*) override { return E_NOTIMPL; }

  private:
    StartupTaskState state_;
};

class FakeStatics final : public StackObject<IStartupTaskStatics> {
  public:
    FakeStatics(IStartupTask* task, Completion how, HRESULT error = S_OK)
        : task_(task), how_(how), error_(error) {}
    std::wstring askedFor;

    STDMETHODIMP GetForCurrentPackageAsync(IInspectable**) override { return E_NOTIMPL; }
    STDMETHODIMP GetAsync(HSTRING id, IAsyncOperationOf<IStartupTask*>** operation) override {
        using RawBuffer = PCWSTR(WINAPI*)(HSTRING, UINT32*);
        const auto raw = reinterpret_cast<RawBuffer>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"combase.dll"), "WindowsGetStringRawBuffer")));
        UINT32 length = 0;
        const PCWSTR text = raw ? raw(id, &length) : nullptr;
        askedFor.assign(text ? text : L"", length);
        *operation = new FakeOperation<IStartupTask*>(how_, task_, error_);
        return S_OK;
    }

  private:
    IStartupTask* task_;
    Completion how_;
    HRESULT error_;
};
#pragma GCC diagnostic pop

class StartupTaskRoute : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(StartupTaskRoute, EachStateLeadsToItsRequestOrDisable) {
    struct Case {
        StartupTaskState state;
        int requestsWhenOn, disablesWhenOff;
    };
    const Case cases[] = {
        {StartupTaskState::kDisabled, 1, 0},        {StartupTaskState::kDisabledByUser, 1, 0},
        {StartupTaskState::kEnabled, 0, 1},         {StartupTaskState::kDisabledByPolicy, 1, 0},
        {StartupTaskState::kEnabledByPolicy, 0, 0},
    };
    for (const Case& c : cases) {
        const int state = static_cast<int>(c.state);
        FakeTask on(c.state);
        FakeStatics enabling(&on, Completion::kAtOnce);
        EXPECT_EQ(ApplyStartupTaskWith(&enabling, true), S_OK) << state;
        EXPECT_EQ(enabling.askedFor, L"LumetraStartup");
        EXPECT_EQ(on.enableRequests, c.requestsWhenOn) << state;
        EXPECT_EQ(on.disables, 0) << state;

        FakeTask off(c.state);
        FakeStatics disabling(&off, Completion::kAtOnce);
        EXPECT_EQ(ApplyStartupTaskWith(&disabling, false), S_OK) << state;
        EXPECT_EQ(off.enableRequests, 0) << state;
        EXPECT_EQ(off.disables, c.disablesWhenOff) << state;
    }
}

TEST_F(StartupTaskRoute, NoTaskOrAFailedLookupTouchesNothing) {
    FakeStatics noTask(nullptr, Completion::kAtOnce);
    EXPECT_TRUE(FAILED(ApplyStartupTaskWith(&noTask, true)));

    FakeTask task(StartupTaskState::kDisabled);
    FakeStatics refused(&task, Completion::kFails, E_ACCESSDENIED);
    EXPECT_EQ(ApplyStartupTaskWith(&refused, true), E_ACCESSDENIED);
    EXPECT_EQ(task.enableRequests, 0);
}

TEST_F(StartupTaskRoute, AFailedOperationGivesItsErrorOrEFail) {
    FakeTask task(StartupTaskState::kEnabled);
    for (const auto& [reported, expected] :
         {std::pair{E_ACCESSDENIED, E_ACCESSDENIED}, std::pair{S_OK, E_FAIL}}) {
        auto* operation = new FakeOperation<IStartupTask*>(Completion::kFails, &task, reported);
        IStartupTask* result = nullptr;
        EXPECT_EQ(AwaitAsyncOperation(operation, &result), expected);
        EXPECT_EQ(result, nullptr) << "no results from a failed operation";
        operation->Release();
    }
}

TEST_F(StartupTaskRoute, TheWaitEndsWhenAnotherThreadCompletes) {
    FakeTask task(StartupTaskState::kDisabledByUser);
    FakeStatics statics(&task, Completion::kOnOtherThread);
    EXPECT_EQ(ApplyStartupTaskWith(&statics, true), S_OK);
    EXPECT_EQ(task.enableRequests, 1);
}

TEST_F(StartupTaskRoute, TheWaitingThreadKeepsAnsweringItsWindows) {
    ASSERT_NE(CompleterWindow(), nullptr);
    auto* operation =
        new FakeOperation<StartupTaskState>(Completion::kOnSentMessage, StartupTaskState::kEnabled);
    StartupTaskState result = StartupTaskState::kDisabled;
    EXPECT_EQ(AwaitAsyncOperation(operation, &result), S_OK);
    EXPECT_EQ(result, StartupTaskState::kEnabled);
    EXPECT_TRUE(operation->completedByMessage)
        << "the message that completes the operation was not answered during the wait";
    operation->Release();
}

}  // namespace
}  // namespace lumetra::config
