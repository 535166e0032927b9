#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::check {

// Known names (events, joints, follower types), for saying which one was meant
// where a text names none of them.
//
// A name is near another when it differs from it only in letter case (A to Z), or,
// case not counted, by one edit: a character added, left out or changed, or two
// neighbouring characters swapped. Edits are suggested only for names of
// kShortestEdited characters or more: in shorter ones, one edit changes too much.
//
// A model holds up to 65,535 joints, and any number of its texts may name one that
// does not exist, so no look-up scans the names: the names are hashed once, with
// letter case folded, and once for each character left out of them. A look-up
// then hashes the text and its own forms with one character left out, and compares
// only the names that share a hash. The index is built at the first look-up that
// needs it, so a model whose names all exist never pays for it.
class NearNames {
 public:
  static constexpr std::size_t kShortestEdited = 6;

  NearNames() = default;
  // `names` are viewed, not copied: they must outlive the index and stay in place.
  explicit NearNames(std::vector<std::string_view> names) : names_(std::move(names)) {}

  // Adds a name after those there are; not after a look-up.
  void Add(std::string_view name) { names_.push_back(name); }
  std::size_t size() const { return names_.size(); }

  // A known name equal to `name` but for letter case; empty when there is none. Of
  // several, the first added.
  std::string_view DifferingInCase(std::string_view name) const;

  // The known name nearest to `name` (never `name` itself): one that differs only
  // in letter case, else one an edit away; of several equally near, the first
  // added. Empty when none is near.
  std::string_view Nearest(std::string_view name) const;

 private:
  // A hash and 1 + the index of the name it is of; 0 marks an empty slot.
  struct Entry {
    std::uint32_t hash = 0;
    std::uint32_t name = 0;
  };
  // Open addressed, at most half full: a look-up probes a slot or two.
  struct Table {
    std::vector<Entry> cells;
    void Reserve(std::size_t entries);
    void Insert(std::uint32_t hash, std::uint32_t name);
    template <class Visit>
    void ForEach(std::uint32_t hash, Visit visit) const;
  };

  void Build() const;
  std::string_view Look(std::string_view name) const;

  std::vector<std::string_view> names_;
  // The last text Nearest was asked about, and its answer: a model's texts often
  // name the same unknown name many times over.
  mutable std::string lastAsked_;
  mutable std::string_view lastNearest_;
  mutable bool asked_ = false;
  mutable bool built_ = false;
  mutable Table whole_;      // each name, case folded
  mutable Table shortened_;  // each name with one character left out
};

}  // namespace quorvel::check
