// Fixed-range arrays with the index ranges the game is written against
// (-1..30 for the board and its ring, 1..90 for the word list, 0..19 for the
// sound slots). An index outside the range is a programming error: it throws,
// so a test sees it instead of memory being quietly trampled.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace numera {

template <typename T, int Lo, int Hi>
class CheckedArray {
 public:
  static constexpr int kLo = Lo;
  static constexpr int kHi = Hi;

  T& operator()(int i) { return data_[Slot(i)]; }
  const T& operator()(int i) const { return data_[Slot(i)]; }
  void Fill(const T& value) { data_.fill(value); }
  bool operator==(const CheckedArray&) const = default;

 private:
  static std::size_t Slot(int i) {
    if (i < Lo || i > Hi) {
      throw std::out_of_range("index " + std::to_string(i) + " outside " + std::to_string(Lo) +
                              ".." + std::to_string(Hi));
    }
    return static_cast<std::size_t>(i - Lo);
  }
  std::array<T, Hi - Lo + 1> data_{};
};

// The board arrays: first index x (column), second y (row), both -1..30.
template <typename T>
class CheckedGrid {
 public:
  static constexpr int kLo = -1;
  static constexpr int kHi = 30;

  T& operator()(int x, int y) { return data_[Slot(x, y)]; }
  const T& operator()(int x, int y) const { return data_[Slot(x, y)]; }
  void Fill(const T& value) { data_.fill(value); }

 private:
  static constexpr int kSide = kHi - kLo + 1;
  static std::size_t Slot(int x, int y) {
    if (x < kLo || x > kHi || y < kLo || y > kHi) {
      throw std::out_of_range("cell (" + std::to_string(x) + ", " + std::to_string(y) +
                              ") outside the board arrays");
    }
    return static_cast<std::size_t>((y - kLo) * kSide + (x - kLo));
  }
  std::array<T, kSide * kSide> data_{};
};

}  // namespace numera
