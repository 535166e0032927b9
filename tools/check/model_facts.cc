#include "tools/check/model_facts.h"

#include <bit>

#include "tools/check/comment_lines.h"

namespace quorvel::check {
namespace {

std::uint64_t NameHash(std::string_view name) {
  std::uint64_t hash = 14695981039346656037ull;
  for (char c : name) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  return hash;
}

}  // namespace

void ModelFacts::IndexNames() {
  lastNamed_ = {};
  // At most half the slots taken, so that a look-up of a name that is not there
  // ends soon.
  byName_.assign(std::bit_ceil(joints.size() * 2 + 2), 0);
  const std::size_t mask = byName_.size() - 1;
  std::vector<std::string_view> eligible;
  for (std::size_t i = 0; i < joints.size(); ++i) {
    if (joints[i].kind == JointKind::kSkipped) {
      continue;
    }
    eligible.push_back(joints[i].name);
    for (std::size_t slot = NameHash(joints[i].name) & mask;; slot = (slot + 1) & mask) {
      if (byName_[slot] == 0) {
        byName_[slot] = static_cast<std::uint32_t>(i + 1);
        break;
      }
      if (joints[byName_[slot] - 1].name == joints[i].name) {
        break;  // the first of equal names stays
      }
    }
  }
  nearNames_ = NearNames(std::move(eligible));
}

const JointFacts* ModelFacts::Named(std::string_view name) const {
  if (byName_.empty()) {
    return nullptr;
  }
  for (const LastNamed& last : lastNamed_) {
    if (last.valid && SameShortText(name, last.name)) {
      return last.joint;
    }
  }
  LastNamed& last = lastNamed_[nextNamed_];
  nextNamed_ = (nextNamed_ + 1) % lastNamed_.size();
  last.valid = true;
  last.name.assign(name);
  last.joint = Find(name);
  return last.joint;
}

const JointFacts* ModelFacts::Find(std::string_view name) const {
  const std::size_t mask = byName_.size() - 1;
  for (std::size_t slot = NameHash(name) & mask; byName_[slot] != 0; slot = (slot + 1) & mask) {
    const JointFacts& joint = joints[byName_[slot] - 1];
    if (joint.name == name) {
      return &joint;
    }
  }
  return nullptr;
}

}  // namespace quorvel::check
