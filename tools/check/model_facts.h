#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/joints/joint_kind.h"
#include "tools/check/game_files.h"
#include "tools/check/near_names.h"

namespace quorvel::check {

// One joint as the editing session reads it.
struct JointFacts {
  int index = 0;
  std::string name;  // through the host's 32-character buffer
  // As the file holds it, viewed where the model keeps it (empty for a model
  // without its document).
  std::string_view fullName;
  // As the host hands it out, viewed where the model keeps it: valid while the
  // model is neither changed nor freed.
  std::string_view comment;
  JointKind kind = JointKind::kOther;
  bool marked = false;
  // The comment holds a key of the joint's record (for a skipped joint: of a
  // follower's or a camera's record).
  bool holdsRecord = false;
};

// What the rules need to know about the model as a whole. Its name index views the
// joints' names, so it is moved, never copied.
struct ModelFacts {
  ModelFacts() = default;
  ModelFacts(ModelFacts&&) = default;
  ModelFacts& operator=(ModelFacts&&) = default;
  ModelFacts(const ModelFacts&) = delete;
  ModelFacts& operator=(const ModelFacts&) = delete;

  std::string comment;
  std::vector<JointFacts> joints;
  // The last animation frame: the file's frame count.
  std::int64_t lastFrame = 0;
  // The game folder for file values; nothing when files are not checked.
  std::optional<GameFiles> gameFiles;

  // Indexes the names of the eligible joints (those that object values and the
  // name lists use); call once `joints` is complete.
  void IndexNames();
  // The first eligible joint named `name`, or nullptr.
  const JointFacts* Named(std::string_view name) const;
  // The eligible joint name nearest to `name` (NearNames::Nearest), or empty.
  std::string_view NearestName(std::string_view name) const { return nearNames_.Nearest(name); }

 private:
  // The eligible joints by name, open addressed: each slot is 0 or 1 + a position
  // in `joints`, the first joint of equal names nearest its hash.
  std::vector<std::uint32_t> byName_;
  NearNames nearNames_;
  // The last two names looked up and what each found: records often name one or two
  // joints many times over (a camera's centre of interest, a target of its events).
  struct LastNamed {
    bool valid = false;
    std::string name;
    const JointFacts* joint = nullptr;
  };
  mutable std::array<LastNamed, 2> lastNamed_;
  mutable std::size_t nextNamed_ = 0;

  const JointFacts* Find(std::string_view name) const;
};

}  // namespace quorvel::check
