#pragma once
// Move-only owners for Win32 handles. Each alias names the handle type, its
// invalid value and how it is closed; put() serves out-parameters.
#include <windows.h>

#include <utility>

namespace lumetra::platform {

template <typename T, typename Traits>
class UniqueResource {
  public:
    UniqueResource() noexcept = default;
    explicit UniqueResource(T value) noexcept : value_(value) {}
    ~UniqueResource() { reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return Traits::IsValid(value_); }
    T release() noexcept { return std::exchange(value_, Traits::Invalid()); }
    void reset(T value = Traits::Invalid()) noexcept {
        T old = std::exchange(value_, value);
        if (Traits::IsValid(old)) Traits::Close(old);
    }
    T* put() noexcept {
        reset();
        return &value_;
    }

  private:
    T value_ = Traits::Invalid();
};

// Kernel handles: both NULL and INVALID_HANDLE_VALUE mean "none".
struct KernelHandleTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct HwndTraits {
    static HWND Invalid() noexcept { return nullptr; }
    static bool IsValid(HWND h) noexcept { return h != nullptr; }
    static void Close(HWND h) noexcept { ::DestroyWindow(h); }
};
struct HookTraits {
    static HHOOK Invalid() noexcept { return nullptr; }
    static bool IsValid(HHOOK h) noexcept { return h != nullptr; }
    static void Close(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
};
struct HkeyTraits {
    static HKEY Invalid() noexcept { return nullptr; }
    static bool IsValid(HKEY h) noexcept { return h != nullptr; }
    static void Close(HKEY h) noexcept { ::RegCloseKey(h); }
};
struct GdiObjectTraits {
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static bool IsValid(HGDIOBJ h) noexcept { return h != nullptr; }
    static void Close(HGDIOBJ h) noexcept { ::DeleteObject(h); }
};
struct IconTraits {
    static HICON Invalid() noexcept { return nullptr; }
    static bool IsValid(HICON h) noexcept { return h != nullptr; }
    static void Close(HICON h) noexcept { ::DestroyIcon(h); }
};
struct ModuleTraits {
    static HMODULE Invalid() noexcept { return nullptr; }
    static bool IsValid(HMODULE h) noexcept { return h != nullptr; }
    static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
// Destroying a menu also destroys its submenus.
struct MenuTraits {
    static HMENU Invalid() noexcept { return nullptr; }
    static bool IsValid(HMENU h) noexcept { return h != nullptr; }
    static void Close(HMENU h) noexcept { ::DestroyMenu(h); }
};

using UniqueHandle = UniqueResource<HANDLE, KernelHandleTraits>;
using UniqueHwnd = UniqueResource<HWND, HwndTraits>;
using UniqueHook = UniqueResource<HHOOK, HookTraits>;
using UniqueHkey = UniqueResource<HKEY, HkeyTraits>;
using UniqueGdiObject = UniqueResource<HGDIOBJ, GdiObjectTraits>;
using UniqueIcon = UniqueResource<HICON, IconTraits>;
using UniqueModule = UniqueResource<HMODULE, ModuleTraits>;
using UniqueMenu = UniqueResource<HMENU, MenuTraits>;

}  // namespace lumetra::platform
