#pragma once
// Starting with Windows: a shortcut in the user's Startup folder for a plain
// installation, the package's startup task for a packaged one. The system has
// no headers here for the startup task, so its interfaces are declared below
// in the order of their methods.
#include <windows.h>
#include <asyncinfo.h>
#include <hstring.h>
#include <inspectable.h>

#include "config/run_at_startup.h"

namespace lumetra::config {

// Makes the start-with-Windows entry match the RunAtStartup setting; every
// failure is silent and the setting stays as the user chose it.
void ApplyRunAtStartup();

// Deletes Lumetra's and the earlier products' shortcuts in the Startup folder.
void RemoveStartupShortcuts();

// Released through IUnknown, never deleted, so the interfaces' non-virtual
// destructors are fine.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

template <typename Result>
struct IAsyncOperationOf;

template <typename Result>
struct IAsyncCompletedHandlerOf : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(IAsyncOperationOf<Result>* operation,
                                             AsyncStatus status) = 0;
};

template <typename Result>
struct IAsyncOperationOf : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE put_Completed(IAsyncCompletedHandlerOf<Result>* handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Completed(IAsyncCompletedHandlerOf<Result>** handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetResults(Result* results) = 0;
};

struct IStartupTask : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE
    RequestEnableAsync(IAsyncOperationOf<StartupTaskState>** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE Disable() = 0;
    virtual HRESULT STDMETHODCALLTYPE get_State(StartupTaskState* state) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TaskId(HSTRING* id) = 0;
};

struct IStartupTaskStatics : IInspectable {
    // Its operation's results are a vector view of tasks; never called.
    virtual HRESULT STDMETHODCALLTYPE GetForCurrentPackageAsync(IInspectable** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAsync(HSTRING taskId,
                                               IAsyncOperationOf<IStartupTask*>** operation) = 0;
};

#pragma GCC diagnostic pop

extern const IID kStartupTaskStaticsIid;
extern const wchar_t kStartupTaskId[];  // declared by the package manifest

// Waits for the operation while the thread keeps dispatching window messages
// and COM calls; its results on success, else the operation's error code
// (E_FAIL when it reports none).
HRESULT AwaitAsyncOperation(IAsyncOperationOf<IStartupTask*>* operation, IStartupTask** result);
HRESULT AwaitAsyncOperation(IAsyncOperationOf<StartupTaskState>* operation,
                            StartupTaskState* result);

// The packaged route: the runtime's startup-task class asked for Lumetra's
// task, which is then enabled or disabled as StartupTaskActionFor says.
void ApplyStartupTask(bool enable);
// The same with the class's statics handed in (tests hand in their own).
HRESULT ApplyStartupTaskWith(IStartupTaskStatics* statics, bool enable);

}  // namespace lumetra::config
