#include "check/model_facts.h"

#include <algorithm>

namespace quorvel::check {

void ModelFacts::IndexNames() {
  byName.clear();
  for (std::size_t i = 0; i < joints.size(); ++i) {
    if (joints[i].kind != JointKind::kSkipped) {
      byName[joints[i].name].push_back(i);
    }
  }
}

const JointFacts* ModelFacts::Named(std::string_view name) const {
  const auto found = byName.find(std::string(name));
  return found == byName.end() ? nullptr : &joints[found->second.front()];
}

std::string ModelFacts::NameIgnoringCase(std::string_view name) const {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (const JointFacts& joint : joints) {
    if (joint.kind != JointKind::kSkipped && joint.name.size() == name.size() &&
        std::equal(name.begin(), name.end(), joint.name.begin(),
                   [&](char a, char b) { return lower(a) == lower(b); })) {
      return joint.name;
    }
  }
  return {};
}

}  // namespace quorvel::check
