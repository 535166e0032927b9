#include "check/near_names.h"

#include <algorithm>
#include <limits>

#include "check/comment_lines.h"

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

template <class Visit>
void NearNames::ForEachWithHash(const std::vector<Entry>& entries, std::uint32_t hash,
                                Visit visit) {
  for (auto at = std::lower_bound(entries.begin(), entries.end(), Entry{hash, 0});
       at != entries.end() && at->hash == hash; ++at) {
    visit(at->name);
  }
}

void NearNames::Build() const {
  if (built_) {
    return;
  }
  built_ = true;
  whole_.reserve(names_.size());
  std::size_t characters = 0;
  for (std::string_view name : names_) {
    characters += name.size();
  }
  shortened_.reserve(characters);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    const auto index = static_cast<std::uint32_t>(i);
    const std::string_view name = names_[i];
    whole_.push_back({FoldedHash(name), index});
    for (std::size_t gap = 0; gap < name.size(); ++gap) {
      shortened_.push_back({FoldedHash(name, gap), index});
    }
  }
  std::sort(whole_.begin(), whole_.end());
  std::sort(shortened_.begin(), shortened_.end());
}

std::string_view NearNames::DifferingInCase(std::string_view name) const {
  Build();
  std::uint32_t best = kNone;
  ForEachWithHash(whole_, FoldedHash(name), [&](std::uint32_t index) {
    if (index < best && names_[index] != name && SameIgnoringCase(names_[index], name)) {
      best = index;
    }
  });
  return best == kNone ? std::string_view() : names_[best];
}

std::string_view NearNames::Nearest(std::string_view name) const {
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
  // A name that lacks one of the text's characters, one that has a character more,
  // and one with a character changed or two swapped (both then agree once the
  // character, or one of the two, is left out of each).
  ForEachWithHash(shortened_, FoldedHash(name), consider);
  for (std::size_t gap = 0; gap < name.size(); ++gap) {
    const std::uint32_t hash = FoldedHash(name, gap);
    ForEachWithHash(whole_, hash, consider);
    ForEachWithHash(shortened_, hash, consider);
  }
  return best == kNone ? std::string_view() : names_[best];
}

}  // namespace quorvel::check
