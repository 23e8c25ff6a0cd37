#pragma once
// Owning pointer to a COM interface: Release on reset, AddRef on copy.
#include <unknwn.h>

#include <utility>

namespace lumetra::platform {

template <typename T>
class ComPtr {
  public:
    ComPtr() noexcept = default;
    ComPtr(std::nullptr_t) noexcept {}
    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* raw) noexcept {
        ComPtr p;
        p.ptr_ = raw;
        return p;
    }
    ComPtr(const ComPtr& other) noexcept : ptr_(other.ptr_) {
        if (ptr_) ptr_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(ptr_, other.ptr_);
        return *this;
    }
    ~ComPtr() { reset(); }

    T* get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }
    void reset() noexcept {
        if (T* old = std::exchange(ptr_, nullptr)) old->Release();
    }
    T* detach() noexcept { return std::exchange(ptr_, nullptr); }
    T** put() noexcept {
        reset();
        return &ptr_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    // QueryInterface into another smart pointer; returns the HRESULT.
    template <typename U>
    HRESULT As(REFIID iid, ComPtr<U>& out) const noexcept {
        if (!ptr_) return E_POINTER;
        return ptr_->QueryInterface(iid, out.put_void());
    }

  private:
    T* ptr_ = nullptr;
};

}  // namespace lumetra::platform
