#pragma once
// Owners for the About card's fonts, brush, pens and icon that also count how
// many are alive, so that a test can see every one of them go when the card
// closes (the system's own GDI count is not available everywhere).
#include <windows.h>

#include <utility>

#include "platform/unique_handle_win.h"

namespace lumetra::ui {

inline int& AboutGdiAliveCounter() {
    static int alive = 0;
    return alive;
}
// Fonts, brushes, pens and icons of the About card not deleted yet.
inline int AboutGdiObjectsAlive() { return AboutGdiAliveCounter(); }

template <typename T, typename Traits>
class CountedGdi {
  public:
    CountedGdi() noexcept = default;
    explicit CountedGdi(T value) noexcept : owner_(value) {
        if (owner_) ++AboutGdiAliveCounter();
    }
    ~CountedGdi() { reset(); }
    CountedGdi(const CountedGdi&) = delete;
    CountedGdi& operator=(const CountedGdi&) = delete;
    CountedGdi(CountedGdi&& other) noexcept : owner_(std::move(other.owner_)) {}
    CountedGdi& operator=(CountedGdi&& other) noexcept {
        if (this != &other) {
            reset();
            owner_ = std::move(other.owner_);
        }
        return *this;
    }

    T get() const noexcept { return owner_.get(); }
    explicit operator bool() const noexcept { return static_cast<bool>(owner_); }
    void reset() noexcept {
        if (!owner_) return;
        owner_.reset();
        --AboutGdiAliveCounter();
    }

  private:
    platform::UniqueResource<T, Traits> owner_;
};

using CountedGdiObject = CountedGdi<HGDIOBJ, platform::GdiObjectTraits>;
using CountedIcon = CountedGdi<HICON, platform::IconTraits>;

}  // namespace lumetra::ui
