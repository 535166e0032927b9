#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tools/check/problem.h"

namespace quorvel::app {

// The problems a check keeps to report at its end, compact: a model at the format's
// limits has millions of them, and most share their message, key and joint with
// others. Each problem takes a few numbers; each distinct text is kept once.
class ProblemStore {
 public:
  ProblemStore() = default;
  ProblemStore(const ProblemStore& other) { *this = other; }
  ProblemStore& operator=(const ProblemStore& other);
  ProblemStore(ProblemStore&&) noexcept = default;
  ProblemStore& operator=(ProblemStore&&) noexcept = default;

  void Add(const check::ProblemView& problem);

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  // Problem `index` in the order added, its texts viewed in the store.
  check::ProblemView operator[](std::size_t index) const;

  class Iterator {
   public:
    Iterator(const ProblemStore& store, std::size_t index) : store_(&store), index_(index) {}
    check::ProblemView operator*() const { return (*store_)[index_]; }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    bool operator==(const Iterator& other) const { return index_ == other.index_; }

   private:
    const ProblemStore* store_;
    std::size_t index_;
  };
  Iterator begin() const { return Iterator(*this, 0); }
  Iterator end() const { return Iterator(*this, size_); }

 private:
  struct Entry {
    std::uint32_t place = 0;  // in places_
    std::uint32_t key = 0;    // in texts_
    std::uint32_t message = 0;
    std::uint16_t code = 0;  // in check::ProblemCodes()
    check::Severity severity = check::Severity::kInfo;
  };
  struct PlaceEntry {
    int joint = -1;
    std::uint32_t name = 0;  // in texts_
  };
  // Entries in chunks of a fixed size, so that a long list never moves as it grows.
  static constexpr std::size_t kChunk = std::size_t{1} << 16;

  std::uint32_t Text(std::string_view text);

  std::vector<std::vector<Entry>> chunks_;
  std::size_t size_ = 0;
  std::vector<PlaceEntry> places_;
  // Each distinct text once, in blocks that never move; texts_ views them by number.
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* blockAt_ = nullptr;  // where the last block's free room begins
  std::size_t blockLeft_ = 0;
  std::vector<std::string_view> texts_;
  std::unordered_map<std::string_view, std::uint32_t> numbers_;
  // The last key and message added: problems come in runs that share them.
  std::uint32_t lastKey_ = UINT32_MAX;
  std::uint32_t lastMessage_ = UINT32_MAX;
};

}  // namespace quorvel::app
