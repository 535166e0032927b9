#include "check/model_facts.h"

#include "check/comment_lines.h"

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
  for (const JointFacts& joint : joints) {
    if (joint.kind != JointKind::kSkipped && SameIgnoringCase(joint.name, name)) {
      return joint.name;
    }
  }
  return {};
}

}  // namespace quorvel::check
