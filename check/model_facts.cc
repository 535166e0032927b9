#include "check/model_facts.h"

#include <algorithm>
#include <functional>

namespace quorvel::check {

void ModelFacts::IndexNames() {
  byName_.clear();
  byName_.reserve(joints.size());
  std::vector<std::string_view> eligible;
  for (std::size_t i = 0; i < joints.size(); ++i) {
    if (joints[i].kind != JointKind::kSkipped) {
      byName_.push_back(
          {std::hash<std::string_view>()(joints[i].name), static_cast<std::uint32_t>(i)});
      eligible.push_back(joints[i].name);
    }
  }
  std::sort(byName_.begin(), byName_.end());
  nearNames_ = NearNames(std::move(eligible));
}

const JointFacts* ModelFacts::Named(std::string_view name) const {
  const std::uint64_t hash = std::hash<std::string_view>()(name);
  for (auto at = std::lower_bound(byName_.begin(), byName_.end(), NameEntry{hash, 0});
       at != byName_.end() && at->hash == hash; ++at) {
    if (joints[at->joint].name == name) {
      return &joints[at->joint];
    }
  }
  return nullptr;
}

}  // namespace quorvel::check
