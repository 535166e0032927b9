#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// An ordered list of joint names, in model order, duplicates kept.
//
// Every page and dialog keeps its own copy of the session's lists. A model may hold
// tens of thousands of joints and as many pages, so copies share one immutable store
// and a list copies its names only when it is changed while shared (copy on write).
// To its users it behaves exactly like a std::vector<std::string> held by value.
class NameList {
 public:
  using const_iterator = std::vector<std::string>::const_iterator;

  NameList() = default;
  NameList(std::initializer_list<std::string> names);
  explicit NameList(std::vector<std::string> names);

  std::size_t size() const { return names_ ? names_->size() : 0; }
  bool empty() const { return size() == 0; }
  const std::string& operator[](std::size_t index) const { return (*names_)[index]; }
  const_iterator begin() const { return names_ ? names_->begin() : Empty().begin(); }
  const_iterator end() const { return names_ ? names_->end() : Empty().end(); }

  void push_back(std::string name);
  void clear() { names_.reset(); }

  // Two lists are equal when they hold the same names in the same order.
  friend bool operator==(const NameList& a, const NameList& b);

  // True when both lists share one store (no names were copied between them).
  bool SharesStorageWith(const NameList& other) const {
    return names_ != nullptr && names_ == other.names_;
  }

 private:
  static const std::vector<std::string>& Empty();

  std::shared_ptr<std::vector<std::string>> names_;
};

}  // namespace quorvel
