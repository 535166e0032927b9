#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "check/game_files.h"
#include "joints/joint_kind.h"

namespace quorvel::check {

// One joint as the editing session reads it.
struct JointFacts {
  int index = 0;
  std::string name;      // through the host's 32-character buffer
  std::string fullName;  // as the file holds it
  std::string comment;
  JointKind kind = JointKind::kOther;
  bool marked = false;
  // The comment holds a key of the joint's record (for a skipped joint: of a
  // follower's or a camera's record).
  bool holdsRecord = false;
};

// What the rules need to know about the model as a whole.
struct ModelFacts {
  std::string comment;
  std::vector<JointFacts> joints;
  // The last animation frame: the file's frame count.
  std::int64_t lastFrame = 0;
  // Eligible joints by name (the names that object values and the name lists use),
  // each with the positions in `joints` of the joints that bear it.
  std::unordered_map<std::string, std::vector<std::size_t>> byName;
  // The game folder for file values; nothing when files are not checked.
  std::optional<GameFiles> gameFiles;

  void IndexNames();
  // The first eligible joint named `name`, or nullptr.
  const JointFacts* Named(std::string_view name) const;
  // An eligible joint's name equal to `name` but for letter case, or empty.
  std::string NameIgnoringCase(std::string_view name) const;
};

}  // namespace quorvel::check
