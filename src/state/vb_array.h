// Fixed-size arrays indexed over a closed range, as the model's arrays are
// declared (samples 1..100, powers 1..7, combinations 1..5).  An index outside
// the range raises SubscriptOutOfRange instead of touching memory.
#pragma once

#include <array>
#include <cstddef>

#include "state/runtime_error.h"

namespace kurvo {

template <typename T, int Low, int High>
class RangeArray {
public:
    static constexpr int kLow = Low;
    static constexpr int kHigh = High;

    T& operator()(int i) { return data_[Slot(i)]; }
    const T& operator()(int i) const { return data_[Slot(i)]; }
    void Fill(const T& value) { data_.fill(value); }
    bool operator==(const RangeArray&) const = default;

private:
    static std::size_t Slot(int i) {
        if (i < Low || i > High) Raise(ErrorNumber::SubscriptOutOfRange);
        return static_cast<std::size_t>(i - Low);
    }
    std::array<T, static_cast<std::size_t>(High - Low + 1)> data_{};
};

template <typename T, int Low1, int High1, int Low2, int High2>
class RangeArray2 {
public:
    static constexpr int kRows = High1 - Low1 + 1;
    static constexpr int kCols = High2 - Low2 + 1;

    T& operator()(int i, int j) { return data_[Slot(i, j)]; }
    const T& operator()(int i, int j) const { return data_[Slot(i, j)]; }
    void Fill(const T& value) { data_.fill(value); }
    bool operator==(const RangeArray2&) const = default;

    // Unchecked row-major storage for inner loops whose bounds were checked once.
    const T* Raw() const { return data_.data(); }
    T* Raw() { return data_.data(); }

private:
    static std::size_t Slot(int i, int j) {
        if (i < Low1 || i > High1 || j < Low2 || j > High2) Raise(ErrorNumber::SubscriptOutOfRange);
        return static_cast<std::size_t>(i - Low1) * kCols + static_cast<std::size_t>(j - Low2);
    }
    std::array<T, static_cast<std::size_t>(kRows) * kCols> data_{};
};

}  // namespace kurvo
