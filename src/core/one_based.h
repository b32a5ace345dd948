#pragma once

#include <cassert>
#include <cstddef>
#include <initializer_list>
#include <vector>

namespace quorvane {

// A vector numbered from 1, as parameter vectors, the free-parameter list and
// the fuse groups are: element i of a vector of size n is v[i], 1 <= i <= n.
// There is no element 0. Indexing is unchecked (asserted in debug builds);
// at() checks and throws std::out_of_range.
template <typename T>
class OneBased {
 public:
  OneBased() = default;
  explicit OneBased(int n, const T& fill = T()) : items_(Count(n), fill) {}
  OneBased(std::initializer_list<T> items) : items_(items) {}

  int size() const { return static_cast<int>(items_.size()); }
  bool empty() const { return items_.empty(); }
  void resize(int n, const T& fill = T()) { items_.resize(Count(n), fill); }
  void assign(int n, const T& fill) { items_.assign(Count(n), fill); }
  void clear() { items_.clear(); }
  void push_back(const T& item) { items_.push_back(item); }

  T& operator[](int i) {
    assert(i >= 1 && i <= size());
    return items_[static_cast<std::size_t>(i - 1)];
  }
  const T& operator[](int i) const {
    assert(i >= 1 && i <= size());
    return items_[static_cast<std::size_t>(i - 1)];
  }
  T& at(int i) { return items_.at(static_cast<std::size_t>(i - 1)); }
  const T& at(int i) const { return items_.at(static_cast<std::size_t>(i - 1)); }

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  bool operator==(const OneBased&) const = default;

 private:
  static std::size_t Count(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }
  std::vector<T> items_;
};

// A matrix numbered from 1 in both directions: m(i, j), 1 <= i <= rows,
// 1 <= j <= cols, stored by rows.
class OneBasedMatrix {
 public:
  OneBasedMatrix() = default;
  OneBasedMatrix(int rows, int cols, double fill = 0.0) { assign(rows, cols, fill); }

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  void assign(int rows, int cols, double fill) {
    rows_ = rows > 0 ? rows : 0;
    cols_ = cols > 0 ? cols : 0;
    items_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_), fill);
  }

  double& operator()(int i, int j) {
    assert(i >= 1 && i <= rows_ && j >= 1 && j <= cols_);
    return items_[Offset(i, j)];
  }
  double operator()(int i, int j) const {
    assert(i >= 1 && i <= rows_ && j >= 1 && j <= cols_);
    return items_[Offset(i, j)];
  }

  bool operator==(const OneBasedMatrix&) const = default;

 private:
  std::size_t Offset(int i, int j) const {
    return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(cols_) +
           static_cast<std::size_t>(j - 1);
  }
  int rows_ = 0;
  int cols_ = 0;
  std::vector<double> items_;
};

}  // namespace quorvane
