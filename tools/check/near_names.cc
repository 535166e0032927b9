#include "tools/check/near_names.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "tools/check/comment_lines.h"

namespace quorvel::check {
namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kNoGap = std::string_view::npos;

// FNV-1a over `text` with letter case folded, leaving out the character at `gap`
// (none for kNoGap).
std::uint32_t FoldedHash(std::string_view text, std::size_t gap = kNoGap) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != gap) {
      hash = (hash ^ static_cast<unsigned char>(LowerAscii(text[i]))) * 16777619u;
    }
  }
  return hash;
}

bool SameFolded(char a, char b) {
  return LowerAscii(a) == LowerAscii(b);
}

// Whether `a` and `b`, case not counted, are one edit apart: a character added, left
// out or changed, or two neighbours swapped. Equal texts are not.
bool OneEditApart(std::string_view a, std::string_view b) {
  if (a.size() < b.size()) {
    std::swap(a, b);
  }
  if (a.size() - b.size() > 1) {
    return false;
  }
  std::size_t i = 0;
  while (i < b.size() && SameFolded(a[i], b[i])) {
    ++i;
  }
  if (a.size() != b.size()) {  // `a` has one character more, at i or later
    return SameIgnoringCase(a.substr(i + 1), b.substr(i));
  }
  if (i == a.size()) {
    return false;
  }
  if (SameIgnoringCase(a.substr(i + 1), b.substr(i + 1))) {
    return true;  // one changed
  }
  return i + 1 < a.size() && SameFolded(a[i], b[i + 1]) && SameFolded(a[i + 1], b[i]) &&
         SameIgnoringCase(a.substr(i + 2), b.substr(i + 2));
}

}  // namespace

void NearNames::Table::Reserve(std::size_t entries) {
  cells.assign(std::bit_ceil(entries * 2 + 2), Entry{});
}

void NearNames::Table::Insert(std::uint32_t hash, std::uint32_t name) {
  const std::size_t mask = cells.size() - 1;
  std::size_t slot = hash & mask;
  while (cells[slot].name != 0) {
    slot = (slot + 1) & mask;
  }
  cells[slot] = {hash, name + 1};
}

template <class Visit>
void NearNames::Table::ForEach(std::uint32_t hash, Visit visit) const {
  const std::size_t mask = cells.size() - 1;
  for (std::size_t slot = hash & mask; cells[slot].name != 0; slot = (slot + 1) & mask) {
    if (cells[slot].hash == hash) {
      visit(cells[slot].name - 1);
    }
  }
}

void NearNames::Build() const {
  if (built_) {
    return;
  }
  built_ = true;
  std::size_t characters = 0;
  for (std::string_view name : names_) {
    characters += name.size();
  }
  whole_.Reserve(names_.size());
  shortened_.Reserve(characters);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    const auto index = static_cast<std::uint32_t>(i);
    const std::string_view name = names_[i];
    whole_.Insert(FoldedHash(name), index);
    for (std::size_t gap = 0; gap < name.size(); ++gap) {
      shortened_.Insert(FoldedHash(name, gap), index);
    }
  }
}

std::string_view NearNames::DifferingInCase(std::string_view name) const {
  Build();
  std::uint32_t best = kNone;
  whole_.ForEach(FoldedHash(name), [&](std::uint32_t index) {
    if (index < best && names_[index] != name && SameIgnoringCase(names_[index], name)) {
      best = index;
    }
  });
  return best == kNone ? std::string_view() : names_[best];
}

std::string_view NearNames::Nearest(std::string_view name) const {
  if (asked_ && name == lastAsked_) {
    return lastNearest_;
  }
  lastNearest_ = Look(name);
  lastAsked_.assign(name);
  asked_ = true;
  return lastNearest_;
}

std::string_view NearNames::Look(std::string_view name) const {
  if (const std::string_view inCase = DifferingInCase(name); !inCase.empty()) {
    return inCase;
  }
  if (name.size() < kShortestEdited) {
    return {};
  }
  std::uint32_t best = kNone;
  const auto consider = [&](std::uint32_t index) {
    if (index < best && OneEditApart(names_[index], name)) {
      best = index;
    }
  };
  // A name with a character more than the text, one with a character less, and
  // one with a character changed or two swapped (both then agree once the
  // character, or one of the two, is left out of each).
  shortened_.ForEach(FoldedHash(name), consider);
  for (std::size_t gap = 0; gap < name.size(); ++gap) {
    const std::uint32_t hash = FoldedHash(name, gap);
    whole_.ForEach(hash, consider);
    shortened_.ForEach(hash, consider);
  }
  return best == kNone ? std::string_view() : names_[best];
}

}  // namespace quorvel::check
