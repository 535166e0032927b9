#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plugin/attributes/camera_record.h"
#include "plugin/attributes/follower_record.h"
#include "plugin/attributes/model_record.h"

namespace quorvel::app {

// One entry of "joints" in a file for `quorvel apply`: the joint it names and, when
// it has one, the record to write into that joint's comment. Texts are 8-bit, as
// in the model.
struct AppliedJoint {
  std::size_t position = 0;  // in the file's "joints"
  std::string name;
  std::optional<int> index;
  std::optional<std::string> kind;
  std::optional<bool> marked;
  std::optional<FollowerRecord> follower;
  std::optional<CameraRecord> camera;
  std::vector<std::string> defaults;
};

// A file of the form `quorvel show --json` writes, read for `quorvel apply`.
struct AppliedFile {
  ModelRecord model;
  std::vector<std::string> modelDefaults;
  std::vector<AppliedJoint> joints;
};

// The place of entry `position` of "joints", for messages: joints[4] "Fighter1".
std::string JointPlace(const AppliedJoint& joint);

// Reads `text` as that form. Refuses, throwing CommandError (kExitFileRefused) whose
// message begins with `source`, text that is no JSON (naming its line and column),
// and JSON not of the form (naming the member: a joint and its field): a member
// missing, of the wrong type or unknown, a number out of range, a text with a
// character beyond U+00FF, or a record text holding a line break or a NUL byte,
// which its comment cannot keep.
AppliedFile ReadAppliedFile(std::string_view text, const std::string& source);

}  // namespace quorvel::app
