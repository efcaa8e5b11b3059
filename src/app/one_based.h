#pragma once

#include <array>
#include <cassert>
#include <cstddef>

namespace vededa {

/// A fixed array addressed by its documented positions 0..Last. Position 0 exists (some tables use it,
/// most leave it unused) so that code and file agree position by position: `component[18]` is the
/// eighteenth component value, as in the reference engine file. Indices are checked in debug builds.
template <typename T, std::size_t Last> class OneBased {
  public:
    static constexpr std::size_t last = Last;

    constexpr T& operator[](std::size_t i) {
        assert(i <= Last);
        return values_[i];
    }
    constexpr const T& operator[](std::size_t i) const {
        assert(i <= Last);
        return values_[i];
    }
    constexpr void fill(const T& v) { values_.fill(v); }
    constexpr bool operator==(const OneBased&) const = default;

    constexpr auto begin() { return values_.begin(); }
    constexpr auto end() { return values_.end(); }
    constexpr auto begin() const { return values_.begin(); }
    constexpr auto end() const { return values_.end(); }

  private:
    std::array<T, Last + 1> values_{};
};

} // namespace vededa
